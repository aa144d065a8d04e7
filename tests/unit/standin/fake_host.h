#ifndef TESTS_UNIT_STANDIN_FAKE_HOST_H_
#define TESTS_UNIT_STANDIN_FAKE_HOST_H_

// A world for the stand-in browser: a clock that moves only when told, files in a map, and a
// record of every poke, write, dialog and log line.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "standin/core/host.h"

namespace standin {

class FakeHost : public Host {
 public:
  std::uint64_t NowMs() override { return now; }
  bool Poke(const std::string& service, const std::string& topic,
            const std::string& item) override {
    pokes.push_back(service + " " + topic + " " + item);
    if (on_poke) on_poke();
    return failing_pokes-- <= 0;
  }
  LocalFile ReadFile(const std::string& path) override {
    if (auto file = files.find(path); file != files.end()) {
      return {LocalFile::Kind::kFile, file->second};
    }
    for (const auto& [name, bytes] : files) {
      if (name.rfind(path + "\\", 0) == 0) return {LocalFile::Kind::kDirectory, ""};
    }
    return {};
  }
  bool WriteFile(const std::string& path, const std::string& bytes) override {
    written[path] = bytes;
    return true;
  }
  Fetched Fetch(const std::string& url) override {
    fetched.push_back(url);
    auto page = web.find(url);
    if (page == web.end()) return {};
    return {true, page->second, ""};
  }
  void DialogOpened(const Dialog& dialog) override { shown_dialogs.push_back(dialog); }
  void DialogClosed(int id) override { closed_dialogs.push_back(id); }
  void Log(const std::string& line) override { log.push_back(line); }

  std::uint64_t now = 1000;
  std::map<std::string, std::string> files;  // Windows paths; directories are implied
  std::map<std::string, std::string> web;
  std::map<std::string, std::string> written;
  std::vector<std::string> pokes;
  std::vector<std::string> fetched;
  std::vector<Dialog> shown_dialogs;
  std::vector<int> closed_dialogs;
  std::vector<std::string> log;
  std::function<void()> on_poke;
  int failing_pokes = 0;  // so many pokes fail before they succeed again
};

}  // namespace standin

#endif  // TESTS_UNIT_STANDIN_FAKE_HOST_H_
