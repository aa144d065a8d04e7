#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "standin/core/standin_browser.h"
#include "tests/unit/standin/fake_host.h"

namespace standin {
namespace {

using namespace std::string_literals;

constexpr const char* kProgram = "C:\\Program Files\\Netscape\\Communicator\\Program\\Netscape.exe";

class BrowserTest : public testing::Test {
 protected:
  void Start(std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--site", "Z:\\site"});
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(args, kProgram, &options, &error)) << error;
    host.files["Z:\\site\\h1\\index.html"] =
        "<title>Home</title><a href=\"a.html\">A</a><a href=\"http://h2/\">Two</a>";
    host.files["Z:\\site\\h1\\a.html"] = "<title>Page A</title>";
    browser = std::make_unique<Browser>(options, host);
    browser->Start();
    browser->RunDue();
  }
  std::string Request(const char* topic, const std::string& item) {
    return browser->Request(topic, item).value_or("none");
  }
  std::string Open(const std::string& url, const char* window = "-1") {
    return Request("WWW_OpenURL", "\"" + url + "\",," + window + ",0,,,");
  }
  std::string Save(const std::string& url, const std::string& file, const char* window = "1") {
    return Request("WWW_OpenURL",
                   "\"" + url + "\",\"" + file + "\"," + window + ",4,,,\"CORVISANT\"");
  }
  void Advance(std::uint64_t ms) {
    host.now += ms;
    browser->RunDue();
  }
  bool Logged(const std::string& line) const {
    return std::find(host.log.begin(), host.log.end(), line) != host.log.end();
  }

  FakeHost host;
  std::unique_ptr<Browser> browser;
};

TEST_F(BrowserTest, AnswersTheWindowQueries) {
  Start();
  EXPECT_EQ(Request("WWW_Version", "CORVISANT"), "\x04\0\0\0"s);
  EXPECT_EQ(Request("WWW_GetWindowInfo", "-1"), "\"about:blank\",\"Netscape\"\0"s);
  EXPECT_EQ(Open("http://h1/", "0"), "\x02\0\0\0"s) << "a new window";
  EXPECT_EQ(Request("WWW_ListWindows", "CORVISANT"), "\x01\0\0\0\x02\0\0\0\0\0\0\0"s);
  Advance(0);
  EXPECT_EQ(Request("WWW_GetWindowInfo", "-1"), "\"http://h1/\",\"Home\"\0"s);
  EXPECT_EQ(Request("WWW_GetWindowInfo", "1"), "\"about:blank\",\"Netscape\"\0"s);
  EXPECT_EQ(Request("WWW_GetWindowInfo", "7"), "none");
  EXPECT_EQ(Open("http://h1/", "7"), "\0\0\0\0"s) << "an unknown window takes nothing";
  EXPECT_EQ(Request("WWW_Activate", "1"), "none");
  EXPECT_FALSE(browser->AcceptsTopic("WWW_Activate"));
  EXPECT_TRUE(browser->AcceptsTopic("WWW_RegisterURLEcho"));
  const BrowserWindow* shown = browser->FindWindow(2);
  ASSERT_EQ(shown->links.size(), 2u);
  EXPECT_EQ(shown->links[0].url, "http://h1/a.html");
  EXPECT_EQ(browser->CaptionOf(*shown), "Home - Netscape");
}

TEST_F(BrowserTest, EchoesShownDocumentsToRegisteredServers) {
  Start({"--load-delay", "100"});
  EXPECT_TRUE(browser->Poke("WWW_RegisterURLEcho", "CORVISANT"));
  EXPECT_TRUE(browser->Poke("WWW_RegisterURLEcho", "OTHER"));
  EXPECT_FALSE(browser->Poke("WWW_Bogus", "OTHER"));
  Open("http://h1/gone.gif");
  Advance(99);
  EXPECT_TRUE(host.pokes.empty()) << "not shown before the load delay";
  Advance(1);
  EXPECT_EQ(host.pokes,
            (std::vector<std::string>{R"(CORVISANT WWW_URLEcho "http://h1/gone.gif","text/html",1)",
                                      R"(OTHER WWW_URLEcho "http://h1/gone.gif","text/html",1)"}));
  EXPECT_TRUE(browser->Poke("WWW_UnRegisterURLEcho", "OTHER"));
  Open("http://h1/a.html");
  Open("standin:alert");
  Advance(100);
  EXPECT_EQ(host.pokes.back(), R"(CORVISANT WWW_URLEcho "http://h1/a.html","text/html",1)");
  EXPECT_EQ(host.pokes.size(), 3u) << "control URLs are not echoed";
  EXPECT_TRUE(Logged(R"(echo CORVISANT "http://h1/a.html","text/html",1)"));
  EXPECT_TRUE(Logged(R"(request WWW_OpenURL "http://h1/a.html",,-1,0,,,)"));
  EXPECT_TRUE(Logged("poke WWW_RegisterURLEcho CORVISANT"));
}

TEST_F(BrowserTest, AFailedEchoIsTriedTwiceMore) {
  Start();
  browser->Poke("WWW_RegisterURLEcho", "CORVISANT");
  for (int failures : {2, 5}) {
    host.pokes.clear();
    host.failing_pokes = failures;
    Open("http://h1/");
    for (int i = 0; i < 4; ++i) Advance(500);
    EXPECT_EQ(host.pokes.size(), 3u) << failures;
    host.failing_pokes = 0;
  }
}

TEST_F(BrowserTest, ALaterOpenReplacesOneNotYetShown) {
  Start({"--load-delay", "100"});
  browser->Poke("WWW_RegisterURLEcho", "CORVISANT");
  Open("http://h1/gone.html");
  Advance(50);
  Open("http://h1/a.html");
  Advance(60);
  EXPECT_TRUE(host.pokes.empty());
  Advance(40);
  ASSERT_EQ(host.pokes.size(), 1u);
  EXPECT_NE(host.pokes[0].find("a.html"), std::string::npos);
}

TEST_F(BrowserTest, SavesWhereAskedAfterTheSaveDelay) {
  Start();
  host.files["Z:\\site\\h1\\a b,c.html"] = "saved bytes";
  EXPECT_EQ(Save("http://h1/a%20b%2cc.html", "Z:\\tmp\\1.html"), "\x01\0\0\0"s);
  EXPECT_EQ(Save("http://h1/a.html", "Z:\\tmp\\2.html", "-1"), "\x01\0\0\0"s);
  EXPECT_EQ(Save("http://h1/a.html", "Z:\\tmp\\3.html", "9"), "\0\0\0\0"s);
  EXPECT_EQ(Save("http://h1/a.html", "", "1"), "\0\0\0\0"s);
  Advance(299);
  EXPECT_TRUE(host.written.empty()) << "a save answers at once and writes later";
  Advance(1);
  EXPECT_EQ(host.written,
            (std::map<std::string, std::string>{{"Z:\\tmp\\1.html", "saved bytes"},
                                                {"Z:\\tmp\\2.html", "<title>Page A</title>"}}));
  EXPECT_TRUE(Logged("saved http://h1/a b,c.html -> Z:\\tmp\\1.html"));
}

TEST_F(BrowserTest, RefusingAndMuteBrowsers) {
  Start({"--refuse-saves"});
  EXPECT_EQ(Save("http://h1/a.html", "Z:\\tmp\\1.html"), "\0\0\0\0"s);
  Advance(1000);
  EXPECT_TRUE(host.written.empty());

  Start({"--mute"});
  for (const char* topic : {"WWW_Version", "WWW_ListWindows", "WWW_GetWindowInfo"}) {
    EXPECT_EQ(Request(topic, "-1"), "none") << topic;
  }
  EXPECT_EQ(Open("http://h1/"), "none");
  EXPECT_FALSE(browser->Poke("WWW_RegisterURLEcho", "CORVISANT"));
  Advance(1000);
  EXPECT_TRUE(host.pokes.empty());
  EXPECT_TRUE(browser->muted());
}

TEST_F(BrowserTest, SimulatedUserBrowsesOnceAServerListens) {
  host.files["Z:\\b.txt"] = "http://h1/\r\n\nhttp://h1/a.html\n";
  Start(
      {"--browse", "Z:\\b.txt", "--interval", "1000", "--exit-when-done", "--save-delay", "1500"});
  Advance(5000);
  EXPECT_TRUE(host.pokes.empty()) << "nobody listens yet";
  browser->Poke("WWW_RegisterURLEcho", "CORVISANT");
  Advance(999);
  EXPECT_TRUE(host.pokes.empty());
  Advance(1);
  Advance(1000);
  ASSERT_EQ(host.pokes.size(), 2u);
  EXPECT_NE(host.pokes[1].find("http://h1/a.html"), std::string::npos);
  Save("http://h1/a.html", "Z:\\tmp\\1.html");
  Advance(1000);
  EXPECT_TRUE(Logged("browse-done"));
  EXPECT_FALSE(browser->ShouldExit()) << "a save is still running";
  Advance(500);
  EXPECT_TRUE(browser->ShouldExit());
  EXPECT_EQ(host.pokes.size(), 2u);
}

// The bottom-right button as a dialog watcher picks it: largest right edge, then bottom edge.
const DialogControl* BottomRight(const Dialog& dialog) {
  const DialogControl* chosen = nullptr;
  for (const DialogControl& c : dialog.controls) {
    if (c.class_name != "Button") continue;
    if (!chosen || c.x + c.width > chosen->x + chosen->width ||
        (c.x + c.width == chosen->x + chosen->width &&
         c.y + c.height > chosen->y + chosen->height)) {
      chosen = &c;
    }
  }
  return chosen;
}

TEST_F(BrowserTest, RaisesDialogsOnDemand) {
  const struct {
    const char* url;
    int version;
    std::string title;
    bool has_progress_bar;
  } cases[] = {
      {"standin:alert", 4, "Alert - Netscape", false},
      {"standin:alert", 3, "Netscape - [Alert]", false},
      {"standin:alert?lang=2", 4, "Message d'alerte - Netscape", false},
      {"standin:modal", 4, "Security Information", false},
      {"standin:progress?lang=1&kind=location", 4,
       "\x8F\xEA\x8F\x8A\x82\xF0\x95\xDB\x91\xB6\x92\x86", false},
      {"standin:progress?lang=5&kind=location", 4, "Salvando endere\xE7o", false},
      {"standin:progress?lang=8", 4, "Sparar dokument", false},
      {"standin:progress385", 4, "", true},
  };
  for (const auto& c : cases) {
    Start({"--version", std::to_string(c.version)});
    Open(c.url);
    ASSERT_EQ(browser->dialogs().size(), 1u) << c.url;
    const Dialog dialog = browser->dialogs()[0];
    EXPECT_EQ(dialog.title, c.title) << c.url;
    EXPECT_TRUE(dialog.modal_frame);
    EXPECT_EQ(std::any_of(dialog.controls.begin(), dialog.controls.end(),
                          [](const DialogControl& d) { return d.class_name == "NSProgress"; }),
              c.has_progress_bar)
        << c.url;
    const DialogControl* button = BottomRight(dialog);
    ASSERT_TRUE(button && button->tab_stop) << c.url;
    for (const DialogControl& other : dialog.controls) {
      if (&other != button) browser->PressButton(dialog.id, other.id);
    }
    EXPECT_EQ(browser->dialogs().size(), 1u) << "only the bottom-right button closes " << c.url;
    browser->PressButton(dialog.id, button->id);
    EXPECT_TRUE(browser->dialogs().empty()) << c.url;
    EXPECT_EQ(host.closed_dialogs.back(), dialog.id);
    EXPECT_TRUE(Logged("dialog-closed " + std::to_string(dialog.id) + " " + button->text));
    EXPECT_EQ(browser->FindWindow(1)->url, "about:blank") << "nothing is shown " << c.url;
  }
  Dialog untitled = host.shown_dialogs.back();
  EXPECT_EQ(untitled.client_width * 1000 + untitled.client_height, 385150);
  Open("standin:nothing");
  EXPECT_TRUE(browser->dialogs().empty());
}

TEST_F(BrowserTest, ProgressDialogLastsAsLongAsItsSave) {
  Start({"--progress-dialog", "--dialog-language", "4"});
  Save("http://h1/a.html", "Z:\\tmp\\1.html");
  ASSERT_EQ(browser->dialogs().size(), 1u);
  EXPECT_EQ(browser->dialogs()[0].title, "Speichern von Dokument");
  Advance(300);
  EXPECT_TRUE(browser->dialogs().empty());
  EXPECT_EQ(host.written.size(), 1u);

  Save("http://h1/a.html", "Z:\\tmp\\2.html");
  const Dialog dialog = browser->dialogs().at(0);
  browser->PressButton(dialog.id, BottomRight(dialog)->id);
  Advance(300);
  EXPECT_EQ(host.written.count("Z:\\tmp\\2.html"), 0u) << "Cancel stops the save";
  EXPECT_TRUE(Logged("save-cancelled http://h1/a.html -> Z:\\tmp\\2.html"));
}

TEST_F(BrowserTest, AlertsForMissingPagesAndEveryNthPage) {
  Start({"--alert-on-missing", "--alert-every", "3", "--version", "3"});  // the start page is 1
  Open("http://h1/gone.html");
  Advance(0);
  EXPECT_EQ(browser->dialogs().size(), 1u) << "missing";
  Open("http://h1/");
  Advance(0);
  EXPECT_EQ(browser->dialogs().size(), 2u) << "third page";
  EXPECT_EQ(browser->dialogs()[1].title, "Netscape - [Alert]");
  EXPECT_EQ(browser->FindWindow(1)->title, "Home");
}

TEST_F(BrowserTest, EchoReceiverMayCallBackIn) {
  Start();
  browser->Poke("WWW_RegisterURLEcho", "A");
  browser->Poke("WWW_RegisterURLEcho", "B");
  std::vector<std::string> titles;
  host.on_poke = [&] {
    titles.push_back(Request("WWW_GetWindowInfo", "-1"));
    if (titles.size() == 1) Open("http://h1/a.html");
    browser->RunDue();  // a nested timer: must leave the work to the outer pass
  };
  Open("http://h1/");
  Advance(0);
  EXPECT_EQ(titles[0], "\"http://h1/\",\"Home\"\0"s);
  EXPECT_EQ(titles[3], "\"http://h1/a.html\",\"Page A\"\0"s);
  const std::string first = R"(WWW_URLEcho "http://h1/","text/html",1)";
  const std::string second = R"(WWW_URLEcho "http://h1/a.html","text/html",1)";
  EXPECT_EQ(host.pokes,
            (std::vector<std::string>{"A " + first, "B " + first, "A " + second, "B " + second}))
      << "every server hears of a page before any hears of the next";
}

TEST_F(BrowserTest, LastActiveWindowIsTheLatestVisibleOne) {
  Start();
  Open("http://h1/", "0");
  EXPECT_EQ(browser->last_active(), 2u);
  browser->SetVisible(2, false);
  EXPECT_EQ(browser->last_active(), 1u) << "the system hides its work window";
  EXPECT_EQ(Save("http://h1/a.html", "Z:\\tmp\\1.html", "2"), "\x02\0\0\0"s);
  browser->SetVisible(1, false);
  EXPECT_EQ(browser->last_active(), 2u);
  browser->Activate(1);
  EXPECT_EQ(browser->last_active(), 1u);
  browser->CloseWindow(1);
  EXPECT_EQ(Open("http://h1/"), "\x02\0\0\0"s);
}

}  // namespace
}  // namespace standin
