// What the history tests share: a scratch store root with the history directory, the system's
// files port with a fake clock, an open-files table of the test's own, and index records built
// byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "history/open_files.h"
#include "platform/ports.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scratch_directory.h"

namespace corvisant::testing {

// 1997-12-05 10:03:04 UTC, and the same moment on the files' 1904-based clock.
constexpr UnixTime kVisitTime = 881316184;
constexpr std::uint32_t kVisitTimeStored = 0xB0AE0068;  // 881316184 + 0x7C262F10

// One 12-byte index record, most significant byte first; storedTime is already on the 1904
// clock, so that no production code builds the expected bytes.
inline std::string RecordBytes(std::uint16_t number, std::uint32_t storedTime,
                               std::uint32_t offset) {
  std::string bytes;
  auto put = [&bytes](std::uint32_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
      bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
  };
  put(0, 2);
  put(number, 2);
  put(storedTime, 4);
  put(offset, 4);
  return bytes;
}

// The Unix time of a local calendar time, so that lines showing local time can be written out
// by hand whatever the machine's time zone.
inline UnixTime LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  when.tm_isdst = -1;
  return static_cast<UnixTime>(std::mktime(&when));
}

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() : previous_(InstallPorts(WithClock(clock_))) {
    files_.MakeDirectory("CorvisantDatabase");
    files_.MakeDirectory("CorvisantDatabase\\history");
    files_.MakeDirectory("CorvisantDatabase\\hotlist");
    files_.MakeDirectory("CorvisantDatabase\\temp");
  }
  ~StoreTest() override { InstallPorts(previous_); }

  static Ports WithClock(Clock& clock) {
    Ports ports = SystemPorts();
    ports.clock = &clock;
    return ports;
  }
  std::string Bytes(const std::string& path) { return ReadBytes(files_, path); }
  bool Put(const std::string& path, const std::string& bytes) {
    return WriteBytes(files_, path, bytes);
  }

  FakeClock clock_{kVisitTime};
  Ports previous_;
  Files& files_ = *Current<Files>();
  ScratchDirectory scratch_{files_};
  // Declared last: its streams close before the scratch directory goes.
  OpenFilesTable openFiles_;
};

}  // namespace corvisant::testing
