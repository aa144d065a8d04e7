// The one place where a navigator of a kind is built; each kind adds its line to the table in
// navigator_factory.cpp. A kind without one builds nothing.
#pragma once

#include "navigation/navigator.h"

namespace corvisant {

// A new navigator of kind, or null when the kind is not built here (6: the URL list window
// builds its own; 4: never made).
NavigatorPtr MakeNavigator(int kind);

}  // namespace corvisant
