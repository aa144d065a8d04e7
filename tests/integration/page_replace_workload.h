// The stored page of the page-replacement crash test, the same in the child that writes and
// rewrites it and in the parent that checks it: 10 MB, its step in its first line, a link that the
// rewrite makes local, and a filler that changes from step to step.
#pragma once

#include <string>

namespace corvisant::testing {

constexpr const char* kCrashPageUrl = "http://h1/p.html";
constexpr const char* kCrashPagePath = "h1\\p.html";
constexpr std::size_t kCrashPageFiller = 10 * 1024 * 1024;

inline std::string CrashPage(long step, bool rewritten) {
  constexpr int kLetters = 26;
  return "<html><!-- step " + std::to_string(step) + " --><a href=\"" +
         (rewritten ? "../h2/x.html" : "http://h2/x.html") + "\">x</a>" +
         std::string(kCrashPageFiller, static_cast<char>('a' + step % kLetters)) + "</html>";
}

// The step a page names in its first line, or -1.
inline long CrashPageStep(const std::string& page) {
  constexpr std::size_t kStepAt = 16;
  return page.size() > kStepAt ? std::atol(page.c_str() + kStepAt) : -1;
}

}  // namespace corvisant::testing
