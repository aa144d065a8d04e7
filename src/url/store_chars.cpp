#include "url/store_names.h"

namespace corvisant {
namespace {

// The characters a local file name cannot hold, and what stands for each in the store.
constexpr std::string_view kUrlChars = ":?|*\"<>";
constexpr std::string_view kStoreChars = "$^!}{[]";

void Translate(char* text, std::size_t length, std::string_view from, std::string_view to) {
  for (std::size_t i = 0; i < length; ++i) {
    std::size_t at = from.find(text[i]);
    if (at != std::string_view::npos) text[i] = to[at];
  }
}

}  // namespace

void MapToStoreChars(char* text, std::size_t length) {
  Translate(text, length, kUrlChars, kStoreChars);
  // A name ending in ".." would name the parent directory.
  if (length >= 2 && text[length - 2] == '.' && text[length - 1] == '.') {
    text[length - 2] = '_';
    text[length - 1] = '_';
  }
}

void MapToStoreChars(std::string& text) { MapToStoreChars(text.data(), text.size()); }

void UnmapStoreChars(char* text, std::size_t length) {
  Translate(text, length, kStoreChars, kUrlChars);
}

void UnmapStoreChars(std::string& text) { UnmapStoreChars(text.data(), text.size()); }

void UrlPathToDosPath(std::string& text) {
  std::size_t bar = text.find('|');
  if (bar != std::string::npos) text[bar] = ':';
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
}

void DosPathToUrlPath(std::string& text) {
  std::size_t colon = text.find(':');
  if (colon != std::string::npos) text[colon] = '|';
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
}

}  // namespace corvisant
