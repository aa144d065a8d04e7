#include "app/message_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvisant {
namespace {

struct QuotedMessage {
  int id;
  const char* text;
};

// Texts whose odd spelling, spacing or punctuation the user has always seen, and that a tidy-up
// would change. (40011 and 40023 are checked filled in by the reporting tests.)
const QuotedMessage kQuirkyMessages[] = {
    {40001,
     "DdeNameService returned ERROR 0x%08X. Corvisant can't start using data exchange facility. . "
     "You may need to reboot the system."},
    {40003,
     "DdeClientTransaction returned ERROR 0x%08x.  Corvisant failed to communicate with Netscape "
     "Browser.  You may need to exit the browser and relaunch again."},
    {40004,
     "Netscape Navigator is not installed properly. If you can launch the browser manually,  "
     "launch it first and then push the 'ON' button of the Corvisant controller."},
    {40005,
     "Corvisant can't create %s. Make sure the disk isn't write protected nor it isn't full."},
    {40015, "Corvisant can't open the vist appointments file for saving."},
    {40016, "Corvisant can't write the vist appointments file."},
    {40024,
     "Netscape Navigator process seems like running, but it does not satisfy the requirement to "
     "open a new window within a certain time. This may happen when Netscape Browser is just going "
     "down or your machine is in abnormal condition. Please try again 10 seconds later. If it "
     "doesn't work,  you may need to reboot the system."},
};

TEST(MessageTable, EveryMessageIsThereWithinTheLimitAndQuirksAreKept) {
  for (int id = 40000; id <= 40024; ++id) {
    if (id >= 40017 && id <= 40020) continue;
    const char* text = MessageText(id);
    ASSERT_NE(text, nullptr) << id;
    EXPECT_LE(std::strlen(text), kMessageTextMax) << id;
  }
  for (const QuotedMessage& quoted : kQuirkyMessages) {
    EXPECT_STREQ(MessageText(quoted.id), quoted.text) << quoted.id;
  }
}

TEST(MessageTable, IdsWithoutAMessageHaveNoText) {
  for (int id : {0, 39999, 40017, 40018, 40019, 40020, 40025, 50000, -40000}) {
    EXPECT_EQ(MessageText(id), nullptr) << id;
  }
}

}  // namespace
}  // namespace corvisant
