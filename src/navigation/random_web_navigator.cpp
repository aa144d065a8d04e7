#include "navigation/random_web_navigator.h"

#include "platform/ports.h"

namespace corvisant {
namespace {

// The first draw of a pair is the high part of the index: rand() gives 15 bits.
constexpr long long kHighDrawFactor = kRandomMax + 1;
constexpr std::size_t kMovesPerLink = 2;

}  // namespace

void RandomWebNavigator::reorderLinks(std::vector<std::string>& links) {
  Random& random = *Current<Random>();
  std::size_t n = links.size();
  for (std::size_t move = 0; move < kMovesPerLink * n; ++move) {
    long long a = random.Next();
    long long b = random.Next();
    auto drawn = links.begin() +
                 static_cast<std::ptrdiff_t>((b + a * kHighDrawFactor) % static_cast<long long>(n));
    std::string entry = std::move(*drawn);
    links.erase(drawn);
    links.push_back(std::move(entry));
  }
}

NavigatorPtr MakeRandomWebNavigator() { return std::make_unique<RandomWebNavigator>(); }

}  // namespace corvisant
