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

// The texts exactly as the user has always seen them, spelling and double spaces included.
const QuotedMessage kQuotedMessages[] = {
    {40000,
     "DdeInitialize returned ERROR 0x%08X. Corvisant can't start using data exchange facility. You "
     "may need to reboot the system."},
    {40001,
     "DdeNameService returned ERROR 0x%08X. Corvisant can't start using data exchange facility. . "
     "You may need to reboot the system."},
    {40002,
     "DdeConnect returned ERROR 0x%08x. Corvisant can't connect with Netscape Browser. You may "
     "need to exit the browser and relaunch again."},
    {40003,
     "DdeClientTransaction returned ERROR 0x%08x.  Corvisant failed to communicate with Netscape "
     "Browser.  You may need to exit the browser and relaunch again."},
    {40004,
     "Netscape Navigator is not installed properly. If you can launch the browser manually,  "
     "launch it first and then push the 'ON' button of the Corvisant controller."},
    {40005,
     "Corvisant can't create %s. Make sure the disk isn't write protected nor it isn't full."},
    {40006, "Corvisant can't open HTML file %s for rewrite."},
    {40007, "Corvisant can't read HTML file %s for rewrite."},
    {40008, "Corvisant can't rewrite HTML file %s. This file may contain a syntax error."},
    {40009, "Corvisant can't open HTML file %s for extracting its title."},
    {40010, "Corvisant can't read HTML file %s for extracting its title."},
    {40011,
     "Corvisant can't create directory  %s under %s by the reason %d. Make sure the disk isn't "
     "write protected nor it isn't full."},
    {40012, "Corvisant can't read file %s by the reason %d."},
    {40013, "Corvisant can't open the preference file for saving."},
    {40014, "Corvisant can't write the preference file."},
    {40015, "Corvisant can't open the vist appointments file for saving."},
    {40016, "Corvisant can't write the vist appointments file."},
    {40021, "The manual section '%s' was not found."},
    {40022, "Corvisant can't check free disk space."},
    {40023, "Only %s MB of free disk space is availabe for Corvisant to keep data."},
    {40024,
     "Netscape Navigator process seems like running, but it does not satisfy the requirement to "
     "open a new window within a certain time. This may happen when Netscape Browser is just going "
     "down or your machine is in abnormal condition. Please try again 10 seconds later. If it "
     "doesn't work,  you may need to reboot the system."},
};

TEST(MessageTable, HoldsEveryMessageExactly) {
  for (const QuotedMessage& quoted : kQuotedMessages) {
    const char* text = MessageText(quoted.id);
    ASSERT_NE(text, nullptr) << quoted.id;
    EXPECT_STREQ(text, quoted.text) << quoted.id;
    EXPECT_LE(std::strlen(text), kMessageTextMax) << quoted.id;
  }
}

TEST(MessageTable, IdsWithoutAMessageHaveNoText) {
  for (int id : {0, 39999, 40017, 40018, 40019, 40020, 40025, 50000, -40000}) {
    EXPECT_EQ(MessageText(id), nullptr) << id;
  }
}

}  // namespace
}  // namespace corvisant
