// What the readers of the "preferences" and "windowpos" files share: the whole file read into
// memory, and a cursor that walks its text from one "=" to the next and parses the value behind
// it. The cursor never looks past the end of the text, so a short or damaged file leaves the
// fields it does not reach as they were.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvisant {

// The most of a settings file that is read. The files the system writes are a few kilobytes;
// anything beyond this cannot be one of them, and a huge file must not exhaust memory.
constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// The file's bytes up to kMaxSettingsFileBytes. False (text empty) when it cannot be opened. A
// read error after opening is reported (message 40012) and the bytes read so far are kept.
bool ReadSettingsFile(const std::string& path, std::string* text);

// "%s\\%s\\%s" of the database directory, "etc" and the file name.
std::string SettingsFilePath(const char* fileName);

class SettingsCursor {
 public:
  // The text ends at its first NUL, as the system's text always does.
  explicit SettingsCursor(std::string_view text);

  // Finds the next "=" from the current position; the value begins offset characters after it
  // and the position moves there. False when there is no further "=" or the value would begin
  // beyond the end of the text; the position is then at the end and every later call fails.
  bool NextValue(std::size_t offset);
  // Moves the position to the next "," (the value then begins offset characters after it), as
  // NextValue does for "=".
  bool NextValueAfterComma(std::size_t offset);

  // The text from the position up to the next line feed (or the end); the position moves to the
  // line feed.
  std::string_view TakeLine();

  // A number at the position, or nothing when there is none or it does not fit an int. Blanks
  // are skipped first; Hexadecimal accepts a "0x" prefix, Decimal a sign. The position stays.
  std::optional<int> Hexadecimal() const;
  std::optional<int> Decimal() const { return DecimalAt(position_, nullptr); }
  // A decimal number at offset, and where it ends.
  std::optional<int> DecimalAt(std::size_t offset, std::size_t* end) const;

  std::size_t position() const { return position_; }

 private:
  bool MoveBehind(char mark, std::size_t offset);
  std::size_t SkipBlanks(std::size_t offset) const;

  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace corvisant
