// A private set of the process-wide objects for one test, made through the one wiring place: the
// system's files port over a fresh store root (a scratch directory made the working directory), a
// fake clock, the standard random generator, recorded reports and sounds, the captured trace, a
// Windows directory of the test's choice, and the store opened as the tool opens it. Everything
// is put back when it goes.
#pragma once

#include <optional>
#include <string>

#include "app/process_objects.h"
#include "platform/random.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fixed_folders.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/recording_sound.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/trace_capture.h"

namespace corvisant::testing {

// 1997-12-05 10:03:04 UTC: the fake clock's start unless a test asks for another.
constexpr UnixTime kTestTime = 881316184;

struct TestProcessOptions {
  UnixTime start = kTestTime;
  // Stands in for the system's files port (a fault-injecting double over it, say).
  Files* files = nullptr;
  // Stands in for the standard random generator.
  Random* random = nullptr;
  // Open the store (as a tool command's run does) once the root is made.
  bool openStore = true;
  // The data directories made in the fresh root before the store opens.
  bool makeDataDirectories = true;
};

class TestProcess {
 public:
  explicit TestProcess(const TestProcessOptions& options = TestProcessOptions());
  ~TestProcess();
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;

  Files& files() { return *Current<Files>(); }
  // The store root's full Windows-form path.
  const std::string& root() const { return root_->path(); }
  ProcessObjects& process() { return process_; }
  Preferences& preferences() { return *Current<Preferences>(); }
  // The bytes of a file of the store, and a file written whole.
  std::string Read(const std::string& path) { return ReadBytes(files(), path); }
  bool Write(const std::string& path, const std::string& bytes) {
    return WriteBytes(files(), path, bytes);
  }

  FakeClock clock;
  RecordingReporter reporter;
  RecordingSound sound;
  TraceCapture trace;

 private:
  StandardRandom random_;
  FixedFolders folders_{"C:\\windows"};
  ProcessObjects process_;
  std::optional<ScratchDirectory> root_;
};

}  // namespace corvisant::testing
