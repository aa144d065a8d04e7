#include "browser/item_texts.h"

#include "browser/dde_port.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

// The flags place: a plain open, an open that bypasses both caches, a save.
constexpr const char* kOpenFlags = "0";
constexpr const char* kReloadFlags = "3";
constexpr const char* kSaveFlags = "4";

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text);
  quoted += '"';
  return quoted;
}

// The browser reads window ids as signed decimals.
std::string WindowPlace(std::uint32_t window) {
  return std::to_string(static_cast<std::int32_t>(window));
}

// url, no file, window, flags, then empty form data, MIME type and progress server.
std::string OpenItem(std::string_view url, std::uint32_t window, const char* flags) {
  return Quoted(url) + ",," + WindowPlace(window) + "," + flags + ",,,";
}

}  // namespace

std::string OpenUrlItem(std::string_view url, bool reload) {
  return OpenItem(url, kLastActiveWindow, reload ? kReloadFlags : kOpenFlags);
}

std::string NewWindowItem(std::string_view url) { return OpenItem(url, kNewWindow, kOpenFlags); }

std::string SaveUrlItem(std::string_view url, std::string_view storeRoot,
                        std::string_view relativeFile, std::uint32_t window) {
  if (!storeRoot.empty() && storeRoot.back() == '\\') storeRoot.remove_suffix(1);
  std::string file(storeRoot);
  file += '\\';
  file.append(relativeFile);
  return Quoted(EscapeCommaSpace(url)) + "," + Quoted(file) + "," + WindowPlace(window) + "," +
         kSaveFlags + ",,," + Quoted(dde::kOwnService);
}

}  // namespace corvisant
