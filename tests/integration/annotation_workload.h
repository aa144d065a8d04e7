// The attaches of the annotation crash test, the same sequence in the child that makes them and
// in the parent that checks them: mostly new URLs, every fifth step a new text for a URL two
// steps back; texts of varied length with line feeds, so that the table splits its pages.
#pragma once

#include <string>

namespace corvisant::testing {

struct WorkloadStep {
  std::string url;
  std::string text;
};

inline WorkloadStep AnnotationWorkload(long step) {
  constexpr long kReplaceEvery = 5;
  constexpr long kReplaceBack = 2;
  constexpr long kTextSpread = 97;
  bool replaces = step % kReplaceEvery == kReplaceEvery - 1;
  long page = replaces ? step - kReplaceBack : step;
  WorkloadStep put;
  put.url = "http://crash.example/" + std::string(static_cast<std::size_t>(page % 13), 'p') +
            "/page" + std::to_string(page) + ".html";
  put.text = "note " + std::to_string(step) + " for page " + std::to_string(page) + "\n" +
             std::string(static_cast<std::size_t>((step * 7) % kTextSpread), 'x');
  return put;
}

}  // namespace corvisant::testing
