#include "navigation/random_url_list_navigator.h"

#include <cstdint>
#include <cstdlib>

#include "platform/ports.h"

namespace corvisant {
namespace {

// The two draws are spread over 32 bits: r = rand() + 32767, then rand() + r x 65536 + 32767,
// taken as a signed 32-bit number and made positive.
constexpr std::uint32_t kDrawOffset = kRandomMax;
constexpr std::uint32_t kHighPartFactor = 65536;

long long DrawListIndex(Random& random) {
  std::uint32_t r = static_cast<std::uint32_t>(random.Next()) + kDrawOffset;
  r = static_cast<std::uint32_t>(random.Next()) + r * kHighPartFactor + kDrawOffset;
  return std::llabs(static_cast<long long>(static_cast<std::int32_t>(r)));
}

}  // namespace

RandomUrlListNavigator::RandomUrlListNavigator(std::unique_ptr<UrlListWindowList> window)
    : UrlRangeNavigator(std::move(window), 0, -1, -1, replay_direction::kRandom) {
  if (window_ != nullptr) high_ = window_->Count() - 1;
}

std::string RandomUrlListNavigator::nextUrl() {
  // An empty list has no entry to draw: the run ends rather than divide by its size.
  if (!WindowStillOpen() || high_ < low_) return std::string();
  long long span = static_cast<long long>(high_) - low_ + 1;
  current_ = low_ + static_cast<int>(DrawListIndex(*Current<Random>()) % span);
  return window_->EntryUrl(current_);
}

NavigatorPtr MakeRandomUrlListNavigator() {
  UrlListWindows* windows = Current<UrlListWindows>();
  std::unique_ptr<UrlListWindowList> list = windows != nullptr ? windows->FrontmostList() : nullptr;
  if (list == nullptr) return nullptr;
  return std::make_unique<RandomUrlListNavigator>(std::move(list));
}

}  // namespace corvisant
