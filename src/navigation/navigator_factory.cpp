#include "navigation/navigator_factory.h"

#include "navigation/breadth_first_navigator.h"
#include "navigation/depth_first_navigator.h"
#include "navigation/local_storage_navigator.h"
#include "navigation/random_web_navigator.h"
#include "navigation/search_engine_rider.h"

namespace corvisant {
namespace {

struct KindBuilder {
  int kind;
  NavigatorPtr (*build)();
};

// The kinds a run starts with. Each builder sits beside its navigator.
constexpr KindBuilder kBuilders[] = {
    {navigator_kind::kBreadthFirst, MakeBreadthFirstNavigator},
    {navigator_kind::kDepthFirst, MakeDepthFirstNavigator},
    {navigator_kind::kRandomWeb, MakeRandomWebNavigator},
    {navigator_kind::kLocalStorage, MakeLocalStorageNavigator},
    {navigator_kind::kSearchEngineRider, MakeSearchEngineRider},
};

}  // namespace

NavigatorPtr MakeNavigator(int kind) {
  for (const KindBuilder& builder : kBuilders) {
    if (builder.kind == kind && builder.build != nullptr) return builder.build();
  }
  return nullptr;
}

}  // namespace corvisant
