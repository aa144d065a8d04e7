#include "app/preferences_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + kDecimalBase;
  if (c >= 'A' && c <= 'F') return c - 'A' + kDecimalBase;
  return kHexBase;
}

// Digits of base from offset, at least one; nothing when the value does not fit an int.
std::optional<std::int64_t> Digits(std::string_view text, std::size_t offset, int base,
                                   std::size_t* end) {
  std::int64_t value = 0;
  std::size_t at = offset;
  while (at < text.size() && DigitValue(text[at]) < base) {
    value = value * base + DigitValue(text[at++]);
    if (value > kIntMax + 1) return std::nullopt;
  }
  if (at == offset) return std::nullopt;
  if (end != nullptr) *end = at;
  return value;
}

}  // namespace

bool ReadSettingsFile(const std::string& path, std::string* text) {
  text->clear();
  StreamPtr stream = Current<Files>()->Open(path, "rb");
  if (stream == nullptr) return false;
  char chunk[kReadChunk];
  while (text->size() < kMaxSettingsFileBytes) {
    std::size_t wanted = std::min(sizeof chunk, kMaxSettingsFileBytes - text->size());
    std::size_t count = stream->Read(chunk, wanted);
    text->append(chunk, count);
    if (count < wanted) break;
  }
  if (stream->ErrorFlag() != 0) {
    Report(kReportNonFatal, kReportClosesAfter5s, message::kCantReadFile,
           {path, stream->ErrorFlag()});
  }
  return true;
}

std::string SettingsFilePath(const char* fileName) { return DataFilePath(kEtcDirectory, fileName); }

SettingsCursor::SettingsCursor(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

bool SettingsCursor::MoveBehind(char mark, std::size_t offset) {
  std::size_t found = text_.find(mark, position_);
  if (found == std::string_view::npos || text_.size() - found < offset) {
    position_ = text_.size();
    return false;
  }
  position_ = found + offset;
  return true;
}

bool SettingsCursor::NextValue(std::size_t offset) { return MoveBehind('=', offset); }

bool SettingsCursor::NextValueAfterComma(std::size_t offset) { return MoveBehind(',', offset); }

std::string_view SettingsCursor::TakeLine() {
  std::size_t end = text_.find('\n', position_);
  if (end == std::string_view::npos) end = text_.size();
  std::string_view line = text_.substr(position_, end - position_);
  position_ = end;
  return line;
}

std::size_t SettingsCursor::SkipBlanks(std::size_t offset) const {
  while (offset < text_.size() && IsBlank(text_[offset])) ++offset;
  return offset;
}

std::optional<int> SettingsCursor::Hexadecimal() const {
  std::size_t at = SkipBlanks(position_);
  if (text_.size() - at > 2 && text_[at] == '0' && (text_[at + 1] == 'x' || text_[at + 1] == 'X') &&
      DigitValue(text_[at + 2]) < kHexBase) {
    at += 2;
  }
  std::optional<std::int64_t> value = Digits(text_, at, kHexBase, nullptr);
  if (!value || *value > kIntMax) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<int> SettingsCursor::DecimalAt(std::size_t offset, std::size_t* end) const {
  std::size_t at = SkipBlanks(offset);
  bool negative = at < text_.size() && text_[at] == '-';
  if (at < text_.size() && (text_[at] == '-' || text_[at] == '+')) ++at;
  std::optional<std::int64_t> value = Digits(text_, at, kDecimalBase, end);
  if (!value) return std::nullopt;
  std::int64_t signedValue = negative ? -*value : *value;
  if (signedValue > kIntMax || signedValue < -kIntMax - 1) return std::nullopt;
  return static_cast<int>(signedValue);
}

}  // namespace corvisant
