// A run of the whole engine against the browser in the process: the store of the working
// directory with its saved preferences, the link brought up, the 800 ms clock driven by the
// simulation. The user's side is what a test or a tool command makes the browser do.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/process_objects.h"
#include "tools/simulation/simulated_browser.h"
#include "tools/simulation/simulated_desktop.h"

namespace corvisant::simulation {

struct SimulationOptions {
  std::string siteDirectory;
  unsigned seed = 1;
  std::uint32_t saveDelayMs = 300;
  // The browser raises an Alert after every this many pages it shows (0: never).
  std::uint32_t alertEvery = 0;
  // Where the transactions and echoes are printed as they happen; null: nowhere.
  std::FILE* trace = nullptr;
};

class Simulation {
 public:
  // The engine is opened over the browser and its desktop on process's open store, the clock and
  // the random generator are the simulation's, and the link is switched on.
  Simulation(ProcessObjects& process, const SimulationOptions& options);
  // Closes the engine (the link goes down) and gives the process its clock back.
  ~Simulation();
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // The link came up.
  bool linkUp() const;
  // The person at the browser opens url in their window.
  void UserOpens(std::string_view url);
  // Runs the 800 ms timer and the browser for milliseconds of simulated time.
  void Run(std::uint64_t milliseconds);
  // Runs until the queue holds nothing, the browser has nothing due and no run is going on, or
  // limitMilliseconds have passed; true when it came to rest.
  bool RunUntilIdle(std::uint64_t limitMilliseconds);

  SimulatedClock& clock() { return clock_; }
  SimulatedBrowser& browser() { return *browser_; }
  SimulatedDesktop& desktop() { return *desktop_; }

 private:
  void Pass();

  ProcessObjects& process_;
  SimulatedClock clock_;
  Installed<Clock> clockInstalled_{&clock_};
  std::unique_ptr<SimulatedBrowser> browser_;
  std::unique_ptr<SimulatedDesktop> desktop_;
  standin::WindowId userWindow_ = 0;
};

}  // namespace corvisant::simulation
