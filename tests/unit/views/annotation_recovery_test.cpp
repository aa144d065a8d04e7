#include "views/annotation_recovery.h"

#include <gtest/gtest.h>

#include <string>

namespace corvisant {
namespace {

// The records found, as "url@offset+length" joined by spaces.
std::string Scan(const std::string& log) {
  std::string found;
  ScanAnnotationLog(log, [&found](const LogRecord& record) {
    if (!found.empty()) found += ' ';
    found += std::string(record.url) + "@" + std::to_string(record.offset) + "+" +
             std::to_string(record.length);
  });
  return found;
}

TEST(ScanAnnotationLog, FindsEveryWholeRecordAndPassesOverDamage) {
  const struct {
    std::string log;
    const char* expected;
  } cases[] = {
      {"", ""},
      {"http://a/\n1\na\nhttp://b/\n2\nbc\n", "http://a/@0+1 http://b/@14+2"},
      {"http://a/\n3\na\nb\n", "http://a/@0+3"},  // a text with a line feed
      {"http://a/\n0\n\n", "http://a/@0+0"},
      {"http://a/\n1\na\nhttp://b/\n5\nab", "http://a/@0+1"},     // cut in the text
      {"http://a/\n1\na\nhttp://b/\n", "http://a/@0+1"},          // cut after the URL
      {"http://a/\n1\na\nhttp://b/", "http://a/@0+1"},            // cut in the URL
      {"junk\nhttp://b/\n1\nb\n", "http://b/@5+1"},               // a stray line
      {"http://a/\n1x\na\nhttp://b/\n1\nb\n", "http://b/@15+1"},  // a length that is no number
      {"http://a/\n1\nab\nhttp://b/\n1\nb\n", "http://b/@15+1"},  // no line feed after the text
      {"\n\nhttp://b/\n1\nb\n", "http://b/@2+1"},                 // empty lines
      {"http://a/\n99999999999999999999\nx\n", ""},               // a length beyond any number
  };
  for (const auto& test : cases) EXPECT_EQ(Scan(test.log), test.expected) << test.log;
}

}  // namespace
}  // namespace corvisant
