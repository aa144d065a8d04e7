#include "navigation/navigator_factory.h"

#include "navigation/search_engine_rider.h"

namespace corvisant {
namespace {

struct KindBuilder {
  int kind;
  NavigatorPtr (*build)();
};

// The kinds a run starts with. Each builder sits beside its navigator.
constexpr KindBuilder kBuilders[] = {
    {0, nullptr},
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
