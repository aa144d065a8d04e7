// The setting of the stored-page rewrite tests: a scratch store, a fake clock, recorded reports,
// a preference record that keeps local copies of every type of document, and the hand-off
// doubles installed (no navigator active, the browser names no URL).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/preferences.h"
#include "html/stored_page_rewriter.h"
#include "platform/ports.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recording_handoffs.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"

namespace corvisant::testing {

constexpr UnixTime kRewriteTestTime = 880000000;
constexpr const char* kPagePath = "page.html";

class PageRewriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ports ports = SystemPorts();
    ports.clock = &clock_;
    previousPorts_ = InstallPorts(ports);
    previousPreferences_ = InstallPreferences(&preferences_);
    preferences_.keepLocalCopies = 1;
    preferences_.recordLevel = record_level::kEveryType | record_level::kRefreshNever;
    preferences_.miscellaneous = miscellaneous_flag::kFollowVisitTags;
    ResetFrameState();
  }
  void TearDown() override {
    ResetFrameState();
    InstallPreferences(previousPreferences_);
    InstallPorts(previousPorts_);
  }

  Files& files() { return *system_; }
  bool Write(const std::string& bytes, const std::string& path = kPagePath) {
    return WriteBytes(files(), path, bytes);
  }
  std::string Read(const std::string& path = kPagePath) { return ReadBytes(files(), path); }

  // Rewrites kPagePath as the copy of pageUrl, reported as the same URL.
  int Rewrite(const std::string& pageUrl, std::string* title = nullptr,
              RewriteOutcome* outcome = nullptr) {
    std::string ignored;
    return RewriteStoredPage(pageUrl, pageUrl, kPagePath, title ? title : &ignored, outcome);
  }

  Files* system_ = SystemPorts().files;
  ScratchDirectory scratch_{*system_};
  FakeClock clock_{kRewriteTestTime};
  RecordingReporter reporter_;
  Preferences preferences_;
  Preferences* previousPreferences_ = nullptr;
  Ports previousPorts_;

  RecordingPageTextWatcher keywords_;
  RecordingImageDeferral images_;
  ScriptedNavigationLink navigation_;
  RecordingVisitTagReplay replay_;
  FixedBrowserLocation browser_;
  InstalledHandoffs handoffs_{
      RewriteHandoffs{&keywords_, &images_, &navigation_, &replay_, &browser_}};
};

}  // namespace corvisant::testing
