// The item texts of the browser's "WWW_OpenURL" requests and of the other transactions. The
// browser's arguments are comma-separated places (URL, file to save into, window id, flags, form
// data, MIME type, progress server); strings stand in double quotes, an omitted argument is an
// empty place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvisant {

// Browser window ids: the last active window (written -1 in items), and a new window.
constexpr std::uint32_t kLastActiveWindow = 0xFFFFFFFF;
constexpr std::uint32_t kNewWindow = 0;

// The item of "WWW_GetWindowInfo": the last active window. The version, window-list and URL-echo
// transactions carry this system's own service name as their item.
constexpr const char* kLastActiveWindowItem = "-1";

// Opens url in the last active window; reload bypasses the browser's caches for the document
// and its images.
std::string OpenUrlItem(std::string_view url, bool reload);
// Opens url in a new window.
std::string NewWindowItem(std::string_view url);
// Saves url (commas and spaces escaped) into storeRoot\relativeFile through window, naming this
// system as the progress server. A trailing backslash of storeRoot is not doubled.
std::string SaveUrlItem(std::string_view url, std::string_view storeRoot,
                        std::string_view relativeFile, std::uint32_t window);

}  // namespace corvisant
