#include "tools/simulation/simulation.h"

#include "navigation/navigation_clock.h"
#include "platform/ports.h"

namespace corvisant::simulation {
namespace {

standin::Options BrowserOptions(const SimulationOptions& options) {
  standin::Options browser;
  browser.site_dir = options.siteDirectory;
  browser.save_delay_ms = options.saveDelayMs;
  browser.alert_every = options.alertEvery;
  return browser;
}

}  // namespace

Simulation::Simulation(ProcessObjects& process, const SimulationOptions& options)
    : process_(process), clock_(Current<Clock>()->Now()) {
  Current<Random>()->Seed(options.seed);
  browser_ = std::make_unique<SimulatedBrowser>(BrowserOptions(options), clock_);
  browser_->TraceTo(options.trace);
  desktop_ = std::make_unique<SimulatedDesktop>(browser_->browser());
  userWindow_ = browser_->browser().last_active();
  process_.History();
  process_.OpenEngine(*browser_, desktop_.get());
  Current<BrowserControl>()->LinkOn(true);
}

Simulation::~Simulation() { process_.CloseEngine(); }

bool Simulation::linkUp() const { return Current<Preferences>()->linkOn != 0; }

void Simulation::UserOpens(std::string_view url) {
  browser_->browser().FollowLink(userWindow_, url);
}

void Simulation::Pass() {
  clock_.Advance(tick::kTimerPeriodMs);
  browser_->RunDue();
  Current<NavigationClock>()->OnTimer();
}

void Simulation::Run(std::uint64_t milliseconds) {
  for (std::uint64_t passed = 0; passed < milliseconds; passed += tick::kTimerPeriodMs) Pass();
}

bool Simulation::RunUntilIdle(std::uint64_t limitMilliseconds) {
  for (std::uint64_t passed = 0; passed < limitMilliseconds; passed += tick::kTimerPeriodMs) {
    Pass();
    const RequestQueue& queue = *Current<RequestQueue>();
    bool browserBusy = browser_->browser().RunDue().has_value();
    if (queue.requests().empty() && queue.deferred().empty() && !browserBusy && !NavigatorRuns()) {
      return true;
    }
  }
  return false;
}

}  // namespace corvisant::simulation
