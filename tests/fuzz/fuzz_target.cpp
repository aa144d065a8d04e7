#include "tests/fuzz/fuzz_target.h"

#include <map>

namespace corvisant::fuzzing {
namespace {

std::map<std::string, FuzzProperty>& Registry() {
  static std::map<std::string, FuzzProperty> properties;
  return properties;
}

}  // namespace

FuzzRegistration::FuzzRegistration(const char* name, FuzzProperty property) {
  Registry()[name] = property;
}

FuzzProperty FindFuzzProperty(const std::string& name) {
  auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : found->second;
}

namespace {

ProcessServices ServicesWith(Files* files) {
  ProcessServices services{SystemPorts()};
  if (files != nullptr) services.ports.files = files;
  return services;
}

}  // namespace

FuzzProcess::FuzzProcess(const char* directory, Files* files)
    : process_(ServicesWith(files)), home_(Current<Files>()->CurrentDirectory()) {
  if (directory != nullptr) {
    this->files().MakeDirectory(directory);
    Check(this->files().ChangeDirectory(directory));
  }
  process_.OpenStore(StoreOptions());
}

}  // namespace corvisant::fuzzing
