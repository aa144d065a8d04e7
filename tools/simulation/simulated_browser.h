// A browser in the process: the stand-in browser's core joined to the system's DDE port, on a
// clock that moves only when the simulation moves it. The system's own DDE client and server
// logic talks to it exactly as to the stand-in program over DDEML, without Wine and without
// waiting: a whole recording or crawl runs in milliseconds, the same way every time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "browser/dde_port.h"
#include "platform/clock.h"
#include "standin/core/standin_browser.h"

namespace corvisant::simulation {

// Seconds for the system, milliseconds for the browser; a sleep moves it on.
class SimulatedClock : public Clock {
 public:
  explicit SimulatedClock(UnixTime start) : milliseconds_(start * kMillisecondsPerSecond) {}
  UnixTime Now() override { return milliseconds_ / kMillisecondsPerSecond; }
  void Sleep(unsigned milliseconds) override { milliseconds_ += milliseconds; }
  void Advance(std::uint64_t milliseconds) { milliseconds_ += milliseconds; }
  std::uint64_t milliseconds() const { return milliseconds_; }

 private:
  static constexpr std::uint64_t kMillisecondsPerSecond = 1000;
  std::uint64_t milliseconds_;
};

class SimulatedBrowser : public DdePort, private standin::Host {
 public:
  SimulatedBrowser(const standin::Options& options, SimulatedClock& clock);

  // A transaction with the browser's service. While it waits for its reply the browser goes on
  // with its due work, as the real one does while a client waits in its modal loop: echoes may
  // arrive inside it.
  DdeReply Transact(std::string_view service, std::string_view topic, std::string_view item,
                    unsigned type, unsigned timeoutMs) override;
  void SetServerCallback(DdeServerCallback* callback) override { server_ = callback; }

  // The browser's work that is due by the clock (documents shown, saves written, echoes).
  void RunDue() { browser_.RunDue(); }
  standin::Browser& browser() { return browser_; }
  // Every transaction and echo printed as it happens ("-> TOPIC ITEM", "<- echo ITEM").
  void TraceTo(std::FILE* out) { trace_ = out; }
  // Told the URL of every open the browser is asked for (not of the saves); null: nobody.
  using OpenObserver = std::function<void(const std::string& url)>;
  void ObserveOpens(OpenObserver observer) { openObserver_ = std::move(observer); }

 private:
  std::uint64_t NowMs() override { return clock_.milliseconds(); }
  bool Poke(const std::string& service, const std::string& topic, const std::string& item) override;
  standin::LocalFile ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  void PrintTrace(const char* arrow, std::string_view topic, std::string_view item);

  SimulatedClock& clock_;
  standin::Browser browser_;
  DdeServerCallback* server_ = nullptr;
  std::FILE* trace_ = nullptr;
  OpenObserver openObserver_;
};

}  // namespace corvisant::simulation
