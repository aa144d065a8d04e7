// Random from a URL list ("random, from URL list"): an entry of the frontmost URL list window's
// whole list, drawn anew at every step. The run never ends by itself; it ends when the user stops
// it or the window goes.
#pragma once

#include "navigation/url_range_navigator.h"

namespace corvisant {

class RandomUrlListNavigator : public UrlRangeNavigator {
 public:
  explicit RandomUrlListNavigator(std::unique_ptr<UrlListWindowList> window);

  int kind() const override { return navigator_kind::kRandomUrlList; }
  std::string nextUrl() override;
};

// The run of kind 6: a random pick over the whole list of the frontmost URL list window; null
// when no URL list window is open.
NavigatorPtr MakeRandomUrlListNavigator();

}  // namespace corvisant
