// A fuzz property: a function of arbitrary bytes that aborts (or trips a sanitizer) when the code
// under test breaks a promise. Each one is built twice: as a libFuzzer target in the fuzz build,
// and into the corpus runner of the unit builds, which runs it over its committed corpus natively
// and under Wine.
//
//   CORVISANT_FUZZ_TARGET(scan_html) { ... data, size ... }
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/process_objects.h"

namespace corvisant::fuzzing {

using FuzzProperty = void (*)(const std::uint8_t* data, std::size_t size);

// Makes the property known to the corpus runner under name.
class FuzzRegistration {
 public:
  FuzzRegistration(const char* name, FuzzProperty property);
};

// Looks a property up by name; null when none is registered.
FuzzProperty FindFuzzProperty(const std::string& name);

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The process-wide objects a property that touches the store runs with, made once for the run:
// the system's ports (the files port replaced when one is given) and the store opened, as a tool
// command opens it, in the subdirectory directory of the working directory (none: the working
// directory itself).
class FuzzProcess {
 public:
  explicit FuzzProcess(const char* directory, Files* files = nullptr);
  Files& files() { return *Current<Files>(); }
  // The working directory the run started in.
  const std::string& home() const { return home_; }

 private:
  ProcessObjects process_;
  std::string home_;
};

}  // namespace corvisant::fuzzing

#define CORVISANT_FUZZ_PROPERTY_NAME(name) FuzzProperty_##name

#ifdef CORVISANT_FUZZ_BUILD
#define CORVISANT_FUZZ_ENTRY(name)                                                    \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    CORVISANT_FUZZ_PROPERTY_NAME(name)(data, size);                                   \
    return 0;                                                                         \
  }
#else
#define CORVISANT_FUZZ_ENTRY(name)                                       \
  static const corvisant::fuzzing::FuzzRegistration registration_##name( \
      #name, CORVISANT_FUZZ_PROPERTY_NAME(name));
#endif

#define CORVISANT_FUZZ_TARGET(name)                                                           \
  static void CORVISANT_FUZZ_PROPERTY_NAME(name)(const std::uint8_t* data, std::size_t size); \
  CORVISANT_FUZZ_ENTRY(name)                                                                  \
  static void CORVISANT_FUZZ_PROPERTY_NAME(name)(const std::uint8_t* data, std::size_t size)
