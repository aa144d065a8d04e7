// A fresh store root with the system's own ports installed and the "CorvisantDatabase\etc"
// directory made, for tests of the files kept there. Everything is undone when it goes.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant::testing {

class SettingsStore {
 public:
  SettingsStore() : previous_(InstallPorts(SystemPorts())) {
    scratch_.emplace(files());
    EXPECT_EQ(files().MakeDirectory("CorvisantDatabase"), 0);
    EXPECT_EQ(files().MakeDirectory("CorvisantDatabase\\etc"), 0);
  }
  ~SettingsStore() {
    scratch_.reset();
    InstallPorts(previous_);
  }
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  Files& files() { return *CurrentPorts().files; }
  const std::string& path() const { return scratch_->path(); }

 private:
  Ports previous_;
  std::optional<ScratchDirectory> scratch_;
};

}  // namespace corvisant::testing
