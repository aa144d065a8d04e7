#include "browser/browser_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_dde.h"
#include "tests/support/trace_capture.h"

namespace corvisant {
namespace {

using namespace std::string_literals;
using testing::ScriptedDde;

// What one operation made of its replies, as one comparable text.
using Operation = std::function<std::string(BrowserLink&)>;

std::string Windows(BrowserLink& link) {
  std::vector<std::uint32_t> ids;
  bool got = link.ListBrowserWindows(ids);
  return std::to_string(got) + ":" + std::to_string(ids.size());
}
std::string Title(BrowserLink& link) { return link.GetBrowserTitle(); }
std::string Url(BrowserLink& link) { return link.GetBrowserUrl().value_or("none"); }
std::string Answer(BrowserLink& link) { return std::to_string(link.WaitForBrowserAnswer()); }

TEST(BrowserLinkTest, RetriesPauseOnTheClockAfterEachMiss) {
  struct Case {
    Operation operation;
    std::vector<DdeReply> script;
    std::string result;
    std::size_t attempts;
    std::int64_t slept;
  };
  const DdeReply none;
  const DdeReply twoIds = "\x01\0\0\0\x02\0\0\0"s;
  const DdeReply info = R"("http://a/","T")"s;
  const Case cases[] = {
      {Windows, {none, none, twoIds}, "1:2", 3, 200},
      {Windows, {}, "0:0", 3, 300},
      {Title, {none, info}, "T", 2, 100},
      {Title, {}, "", 3, 300},
      {Url, {info}, "http://a/", 1, 0},
      {Url, {}, "none", 3, 300},
      {Answer, {none, ""s}, "1", 2, 400},
      {Answer, {}, "0", 3, 1200},
  };
  for (const Case& c : cases) {
    ScriptedDde dde;
    for (const DdeReply& reply : c.script) dde.Script(reply);
    testing::FakeClock clock;
    BrowserLink link(dde, clock);
    link.state().browserVersion = 4;
    EXPECT_EQ(c.operation(link), c.result);
    EXPECT_EQ(dde.calls().size(), c.attempts) << c.result;
    EXPECT_EQ(clock.TotalSlept(), c.slept) << c.result;
  }
}

TEST(BrowserLinkTest, EachOperationMakesItsTransaction) {
  struct Case {
    std::function<void(BrowserLink&)> operation;
    const char* topic;
    std::string item;
    unsigned type;
  };
  const Case cases[] = {
      {[](BrowserLink& l) { l.BrowserAnswers(); }, "WWW_Version", "CORVISANT", dde::kRequest},
      {[](BrowserLink& l) { l.RegisterUrlEcho(); }, "WWW_RegisterURLEcho", "CORVISANT", dde::kPoke},
      {[](BrowserLink& l) { l.UnregisterUrlEcho(); }, "WWW_UnRegisterURLEcho", "CORVISANT",
       dde::kPoke},
      {[](BrowserLink& l) { l.RequestOpen("http://a/", true); }, "WWW_OpenURL",
       R"("http://a/",,-1,3,,,)", dde::kRequest},
      {[](BrowserLink& l) { l.OpenUrlInNewWindow("http://a/"); }, "WWW_OpenURL",
       R"("http://a/",,0,0,,,)", dde::kRequest},
      {[](BrowserLink& l) { l.RequestSave("u", "C:\\s", "f"); }, "WWW_OpenURL",
       R"("u","C:\s\f",-7,4,,,"CORVISANT")", dde::kRequest},
      {[](BrowserLink& l) { l.GetBrowserUrl(); }, "WWW_GetWindowInfo", "-1", dde::kRequest},
  };
  for (const Case& c : cases) {
    ScriptedDde dde{""s};
    testing::FakeClock clock;
    BrowserLink link(dde, clock);
    link.state().workWindowId = static_cast<std::uint32_t>(-7);
    c.operation(link);
    ASSERT_EQ(dde.calls().size(), 1u) << c.topic;
    const testing::DdeCall& call = dde.calls()[0];
    EXPECT_EQ(call.service, "NETSCAPE");
    EXPECT_EQ(call.topic, c.topic);
    EXPECT_EQ(call.item, c.item);
    EXPECT_EQ(call.type, c.type) << c.topic;
    EXPECT_EQ(call.timeoutMs, 5000u);
  }
}

TEST(BrowserLinkTest, SilentBrowserIsBusyAndRefusesSaves) {
  testing::TraceCapture trace;
  ScriptedDde dde{std::nullopt, "\xff\xff\xff\xff"s};
  testing::FakeClock clock;
  BrowserLink link(dde, clock);
  EXPECT_FALSE(link.BrowserAnswers());
  EXPECT_EQ(trace.lines(), std::vector<std::string>{"Netscape is Busy"});
  EXPECT_EQ(link.RequestSave("u", "C:", "f"), 0xFFFFFFFF);
  EXPECT_EQ(link.RequestSave("u", "C:", "f"), 0u) << "no reply";
  EXPECT_FALSE(link.OpenUrlInNewWindow(""));
  EXPECT_EQ(dde.calls().size(), 3u) << "an empty URL opens nothing";
}

TEST(BrowserLinkTest, SavedPageIsRememberedOncePerPage) {
  ScriptedDde dde;
  testing::FakeClock clock;
  BrowserLink link(dde, clock);
  EXPECT_TRUE(link.NoteSavedPage("http://a/"));
  EXPECT_FALSE(link.NoteSavedPage("http://a/"));
  EXPECT_FALSE(link.NoteSavedPage("http://a/i.gif")) << "not a page";
  EXPECT_TRUE(link.NoteSavedPage("http://a/b.html"));
  EXPECT_EQ(link.state().lastSavedPageUrl, "http://a/b.html");
}

class EchoList : public UrlEchoHandler {
 public:
  void HandleUrlEcho(std::string_view item) override { items.emplace_back(item); }
  std::vector<std::string> items;
};

TEST(BrowserLinkTest, ServerAcceptsConnectsAndHandsOnUrlEchoes) {
  ScriptedDde dde;
  testing::FakeClock clock;
  EchoList echoes;
  {
    BrowserLink link(dde, clock);
    link.SetUrlEchoHandler(&echoes);
    EXPECT_EQ(dde.Deliver(dde::kConnect, "WWW_Alert", ""), 1);
    EXPECT_EQ(dde.Deliver(dde::kPoke, "WWW_URLEcho", R"("http://a/","text/html")"), 0);
    EXPECT_EQ(dde.Deliver(dde::kPoke, "WWW_URLEcho", ""), 0);
    EXPECT_EQ(dde.Deliver(dde::kPoke, "WWW_EndProgress", "\"x\""), 0);
    EXPECT_EQ(dde.Deliver(dde::kRequest, "WWW_URLEcho", "\"y\""), 0);
  }
  EXPECT_EQ(echoes.items, std::vector<std::string>{R"("http://a/","text/html")"});
  EXPECT_EQ(dde.Deliver(dde::kConnect, "WWW_URLEcho", ""), 0) << "the link is gone";
}

}  // namespace
}  // namespace corvisant
