// What the engine's URL-list replay takes from the URL list windows. The replay is not part of
// the program yet: until it is, the two replay commands of the "URL List Menu" are greyed and
// start nothing.
#include "app/win32/url_list_window.h"

namespace corvisant {

bool ReplayAvailable() { return false; }

bool ReplayWindowSelection(UrlListWindow& /*window*/, int /*direction*/) { return false; }

}  // namespace corvisant
