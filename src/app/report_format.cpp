#include "app/report_format.h"

#include <cstdint>

namespace corvisant {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

struct Directive {
  bool leftAlign = false;
  bool zeroPad = false;
  bool hexPrefix = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  std::size_t precision = 0;
  char type = 0;
};

// Reads a run of digits into *value; a value beyond what the text can hold is held at the cap.
std::size_t ReadCount(std::string_view format, std::size_t at, std::size_t* value) {
  *value = 0;
  while (at < format.size() && format[at] >= '0' && format[at] <= '9') {
    *value = *value * kDecimalBase + static_cast<std::size_t>(format[at] - '0');
    if (*value > kReportTextMax) *value = kReportTextMax;
    ++at;
  }
  return at;
}

// Parses the directive whose "%" is at format[at]; returns the position after its type letter,
// or the end of the format when it ends inside the directive (type then stays 0).
std::size_t ParseDirective(std::string_view format, std::size_t at, Directive* directive) {
  ++at;
  for (; at < format.size(); ++at) {
    char flag = format[at];
    if (flag == '-') {
      directive->leftAlign = true;
    } else if (flag == '0') {
      directive->zeroPad = true;
    } else if (flag == '#') {
      directive->hexPrefix = true;
    } else {
      break;
    }
  }
  at = ReadCount(format, at, &directive->width);
  if (at < format.size() && format[at] == '.') {
    directive->hasPrecision = true;
    at = ReadCount(format, at + 1, &directive->precision);
  }
  // "l" and "h" name the size of a number that is 32-bit either way.
  if (at < format.size() && (format[at] == 'l' || format[at] == 'h')) ++at;
  if (at == format.size()) return at;
  directive->type = format[at];
  return at + 1;
}

bool IsKnownType(char type) {
  switch (type) {
    case 's':
    case 'S':
    case 'c':
    case 'C':
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
      return true;
    default:
      return false;
  }
}

std::string Digits(std::uint32_t value, int base, bool upper) {
  const char* digitSet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), digitSet[value % static_cast<std::uint32_t>(base)]);
    value /= static_cast<std::uint32_t>(base);
  } while (value != 0);
  return digits;
}

// The number as wvsprintfA prints the 32 bits it reads: the sign (or hex prefix) apart from the
// digits, so that zero padding goes between them.
void FormatNumber(const Directive& directive, long long number, std::string* lead,
                  std::string* digits) {
  auto bits = static_cast<std::uint32_t>(static_cast<unsigned long long>(number));
  bool isHex = directive.type == 'x' || directive.type == 'X';
  if (directive.type == 'd' || directive.type == 'i') {
    auto value = static_cast<std::int32_t>(bits);
    if (value < 0) {
      *lead = "-";
      bits = 0u - bits;
    }
  } else if (isHex && directive.hexPrefix) {
    *lead = directive.type == 'X' ? "0X" : "0x";
  }
  *digits = Digits(bits, isHex ? kHexBase : kDecimalBase, directive.type == 'X');
  if (directive.hasPrecision && directive.precision > digits->size()) {
    digits->insert(0, directive.precision - digits->size(), '0');
  }
}

// The directive filled with its argument, padded to its width.
std::string FormatArgument(const Directive& directive, const ReportArgument& argument) {
  std::string lead;
  std::string body;
  bool numeric = false;
  switch (directive.type) {
    case 's':
    case 'S':
      body = argument.isText ? argument.text : std::to_string(argument.number);
      if (directive.hasPrecision && body.size() > directive.precision) {
        body.resize(directive.precision);
      }
      break;
    case 'c':
    case 'C':
      if (!argument.isText) {
        body.assign(1, static_cast<char>(argument.number));
      } else if (!argument.text.empty()) {
        body.assign(1, argument.text[0]);
      }
      break;
    default:
      if (argument.isText) {
        body = argument.text;
      } else {
        FormatNumber(directive, argument.number, &lead, &body);
        numeric = true;
      }
      break;
  }
  std::size_t length = lead.size() + body.size();
  if (length >= directive.width) return lead + body;
  std::size_t padding = directive.width - length;
  if (directive.leftAlign) return lead + body + std::string(padding, ' ');
  if (directive.zeroPad && numeric && !directive.hasPrecision) {
    return lead + std::string(padding, '0') + body;
  }
  return std::string(padding, ' ') + lead + body;
}

}  // namespace

std::string FormatReportText(std::string_view format,
                             const std::vector<ReportArgument>& arguments) {
  std::string text;
  std::size_t nextArgument = 0;
  std::size_t at = 0;
  while (at < format.size() && text.size() < kReportTextMax) {
    if (format[at] != '%') {
      text += format[at++];
      continue;
    }
    if (at + 1 < format.size() && format[at + 1] == '%') {
      text += '%';
      at += 2;
      continue;
    }
    Directive directive;
    std::size_t end = ParseDirective(format, at, &directive);
    if (IsKnownType(directive.type) && nextArgument < arguments.size()) {
      text += FormatArgument(directive, arguments[nextArgument++]);
    } else {
      text.append(format.substr(at, end - at));
    }
    at = end;
  }
  if (text.size() > kReportTextMax) text.resize(kReportTextMax);
  return text;
}

}  // namespace corvisant
