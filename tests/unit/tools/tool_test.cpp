// corvisant-tool as scripts meet it: one transcript of command lines over one store. The core
// behind each command is tested in its own layer; these rows guard each command's answer form and
// usage errors. A row "(file) PATH" shows a file's bytes instead (status 1: no such file).
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "tests/support/test_process.h"
#include "tests/support/tool_capture.h"

namespace corvisant {
namespace {

// A command line, its exit status, its output and its error text (empty when not given).
struct Row {
  std::vector<std::string> args;
  int status;
  std::string out = "";
  std::string err = "";
};

constexpr const char* kFile = "(file)";

std::string Usage(const std::string& command) { return "usage: corvisant-tool " + command + "\n"; }

std::string Err(const std::string& problem) { return "corvisant-tool: " + problem + "\n"; }

// A command line the tool cannot run at all.
std::string Misused(const std::string& problem) {
  return Err(problem) + "run \"corvisant-tool help\" for the list of commands\n";
}

// A setting prefs set refuses, with its usage line.
std::string Refused(const std::string& problem) {
  return Err(problem) + Usage("prefs set NAME VALUE...");
}

// 1997-12-05 10:03:04 local time, and later.
std::string LocalVisit(int seconds) {
  std::tm when{};
  when.tm_year = 97, when.tm_mon = 11, when.tm_mday = 5, when.tm_hour = 10, when.tm_min = 3;
  when.tm_sec = 4 + seconds, when.tm_isdst = -1;
  return std::to_string(static_cast<long long>(std::mktime(&when)));
}

TEST(CorvisantTool, EveryCommandAnswersInItsForm) {
  testing::TestProcess process;
  const std::string root = process.root();
  std::string urlRoot = root + "/";
  for (char& c : urlRoot) c = c == '\\' ? '/' : c == ':' ? '|' : c;
  urlRoot = "file:///" + urlRoot;
  const std::string media = root + "\\Media";
  const std::string t0 = LocalVisit(0), t20 = LocalVisit(20), t80 = LocalVisit(80);
  for (const char* directory : {"h9", "Media", "Media\\folder.wav", "sub", "sub\\CorvisantDatabase",
                                "sub\\CorvisantDatabase\\etc"}) {
    ASSERT_EQ(process.files().MakeDirectory(directory), 0) << directory;
  }
  const std::pair<const char*, std::string> files[] = {
      {"page.html",
       "<TITLE>Hello</title>\r\n<!DOCTYPE html><p>AT&amp;T \"q\" \\ \x01\xA9<!-- c --><a "
       "href=x.html>"},
      {"b.html",
       "<html><title>Caf\xe9\r\nnews</title><a href=\"http://h2/x.html\">x</a><img "
       "src=\"p%20q.gif\"><visit href=http://h3/ spend=12secs><visit repeat=4></html>"},
      {"h9\\t.html", "<title> Tab\there</title>"},
      {"k.html", "<b>Java</b> news news"},
      {"sub\\CorvisantDatabase\\etc\\windowpos",
       "MenuBarWindow = 1 2 3 4\nHistoryWindow = -30 -40 70 60\n"},
  };
  for (const auto& [name, bytes] : files) ASSERT_TRUE(process.Write(name, bytes)) << name;
  for (const char* sound : {"Media\\tada.wav", "Media\\Chimes.wav", "Media\\chord.wav",
                            "Media\\notes.txt", "Media\\ding.wav.bak"}) {
    ASSERT_TRUE(process.Write(sound, "RIFF"));
  }
  const std::string noKeyword = "keyword = \nsound = no sound\n";
  std::string changed =
      "record level = 0x0022\nreplay mode = 0x000f\nshow page = 20 secs\n"
      "navigation method = 0x0041\nnavigation finish sound = chord.wav\n";
  for (const char* word : {"", "news\nsound = tada.wav", "", "", "Java\nsound = chord.wav", "",
                           "java\nsound = Chimes.wav", "", "", ""}) {
    changed += *word != '\0' ? "keyword = " + std::string(word) + "\n" : noKeyword;
  }
  changed += "miscellaneous = 0x0001\nfont = 120, Courier New\n";
  const std::string help =
      "usage: corvisant-tool [--root DIR] [--media DIR] [--version] COMMAND ...\n...";
  const std::string positions = "HistoryWindow 0 0 180 180\nFinderWindow 300 100 630 325\n";
  const std::string hotlistHead = "<HTML>\r\n<base href=\"" + urlRoot + "\">\r\n";
  const std::string homeLine = "<li><A HREF=\"http://h1/\">Home</A>  1997/12/05 10:03:04\r\n";
  const std::string visitHead = "<html>\r\n<visit repeat=1>\r\n<visit href=";
  const std::string visitUsage = Usage("export visit SOURCE PATH [--local] [--spend N]");
  const std::string rewriteUsage =
      Usage("page rewrite PAGEURL FILE [--reported URL] [--visit-tags]");

  const Row rows[] = {
      {{"--version"}, 0, "1.02\n"},
      {{"help"}, 0, help},
      {{"frobnicate"}, 2, "", Misused("unknown command frobnicate")},
      {{"--root"}, 2, "", Misused("--root needs a directory")},
      {{"--root", "Z:\\none", "help"}, 2, "", Misused("cannot use the store root Z:\\none")},
      // --root chooses the store root the command reads; the next row comes back.
      {{"--root", root + "\\sub", "prefs", "windowpos"},
       0,
       "MenuBarWindow 1 2 3 4\n"
       "HistoryWindow -30 -40 70 60\nFinderWindow 300 100 630 325\n"},
      {{"--root", root, "prefs", "windowpos"}, 0, "MenuBarWindow 10 10 510 310\n" + positions},
      {{"prefs", "windowpos", "x"}, 2, "", Usage("prefs windowpos")},

      {{"html", "tokens", "page.html"},
       0,
       "start 1 \"TITLE\"\ntext \"Hello\"\nend 1 \"/title\"\ntext \"\\r\\n\"\n"
       "start -1 \"!DOCTYPE html\"\nstart -2 -\ntext \"AT&T \\\"q\\\" \\\\ \\x01\\xa9\"\n"
       "comment\nstart 8 \"a href=x.html\"\nlooks-like-html=1\n"},
      {{"html", "tokens"}, 2, "", Usage("html tokens FILE")},
      {{"html", "attribute", "A HREF=x.html", "href", "--skip", "A"}, 0, "x.html\n6\n"},
      {{"html", "attribute", "a"}, 2, "", Usage("html attribute TAGTEXT NAME [--skip TEXT]")},
      {{"html", "decode", "AT&amp;T &lt &#65; &copy &x;"}, 0, "AT&T < A \\xa9 &x;\n"},
      {{"html", "decode"}, 2, "", Usage("html decode TEXT")},

      {{"page", "rewrite", "http://h1/a/b.html", "b.html", "--reported", "http://h1/a/b.html?x",
        "--visit-tags"},
       0,
       "result=0\ntitle=Caf\\xe9  news\nlink=http://h2/x.html\n"
       "image=http://h1/a/p%20q.gif\th1\\a\\p q.gif\nvisit=http://h3/\t12\nrepeat=4\n"},
      {{"page", "title", "h9/t.html"}, 0, "Tab\\x09here\n"},
      {{"page", "title", "h9/none.html"}, 0, "\n"},  // reported: see the end
      {{"page", "title"}, 2, "", Usage("page title STORENAME")},
      {{"page", "rewrite", "http://h1/"}, 2, "", rewriteUsage},

      // Hotlists, before the history has an entry.
      {{"hotlist", "add", "news"}, 1, "", Err("no newest entry, or no hotlist news")},
      {{"hotlist", "create", "news"}, 0, "created\n"},
      {{"hotlist", "create", "news"}, 0, "exists\n"},
      {{"hotlist", "create", "..\\escape"}, 1, "", Err("not a hotlist name: ..\\escape")},
      // A URL whose local copy's directory is there links to it.
      {{"hotlist", "format", "http://h9/", "Home\r", t0},
       0,
       "<li><A HREF=\"http://h9/\">Home\\x0d</A> <A HREF=\"h9\">(*)</A> 1997/12/05 10:03:04\n"},
      {{"hotlist", "format", "u", "t"}, 2, "", Usage("hotlist format URL TITLE T")},

      {{"history", "count"}, 0, "0\n"},
      {{"history", "add", "http://h1/", "--title", "Home", "--now", t0}, 0, "recorded\n"},
      {{"history", "add", "http://h1/", "--title", "Home", "--now", t20}, 0, "skipped\n"},
      {{"hotlist", "add", "news"}, 0},
      {{kFile, "CorvisantDatabase\\hotlist\\news"}, 0, hotlistHead + homeLine},
      {{"export", "hotlist", "history", "h.html"}, 0},
      {{kFile, "h.html"}, 0, hotlistHead + homeLine + "</html>\r\n"},
      {{"export", "visit", "history", "v.html"}, 0},
      {{kFile, "v.html"}, 0, visitHead + "\"http://h1/\" spend=20secs>\r\n</html>\r\n"},
      {{"export", "visit", "history", "l.html", "--local", "--spend", "45"}, 0},
      {{kFile, "l.html"},
       0,
       visitHead + "\"" + urlRoot + "h1/index.html\" spend=45secs>\r\n</html>\r\n"},
      {{"export", "urllist", "history", "saved"}, 0},
      {{"export", "urllist", "saved", "copy"}, 0},
      {{"list", "show", "copy"}, 0, "0\t" + t0 + "\thttp://h1/\tHome\n"},
      {{"export", "visit", "history"}, 2, "", visitUsage},
      {{"history", "add", "http://h2/t", "--title", "two\r\nlines\x80", "--now", t80},
       0,
       "recorded\n"},
      {{"history", "list", "--oldest-first", "--first", "1", "--count", "1"},
       0,
       "1\t" + t80 + "\thttp://h2/t\ttwo \\x0alines\\x80\n"},
      {{"history", "line", "0"}, 0, "1997/12/05 10:04:24 two \\x0alines\\x80\n"},
      {{"history", "line", "2"}, 1, "", Err("no readable entry 2")},
      {{"history", "add"}, 2, "", Usage("history add URL [--title TITLE] [--now T]")},
      {{"history", "line", "x"}, 2, "", Usage("history line I")},

      {{"list", "append", "trip", "b", "B", "200"}, 0},
      {{"list", "append", "trip", "a", "A", "100"}, 0},
      {{"list", "append", "trip", "c", "C", "300"}, 0},
      {{"list", "show", "trip"}, 0, "0\t300\tc\tC\n1\t100\ta\tA\n2\t200\tb\tB\n"},
      {{"list", "sort", "trip"}, 0},
      {{"list", "show", "trip", "--oldest-first"}, 0, "0\t100\ta\tA\n1\t200\tb\tB\n2\t300\tc\tC\n"},
      {{"list", "reverse", "trip"}, 0},
      {{"list", "show", "trip", "--oldest-first", "--count", "1"}, 0, "0\t300\tc\tC\n"},
      {{"list", "show", "missing"}, 1, "", Err("cannot open the list pair")},
      {{kFile, "missing.urli"}, 1},
      {{"list", "append", "b", "u", "t"}, 2, "", Usage("list append BASE URL TITLE T")},

      // Preferences: refused settings save nothing; each accepted one changes its line.
      {{"prefs", "show"}, 0, "record level = 0x0041\nreplay mode = 0x000f\n..."},
      {{"prefs", "show", "x"}, 2, "", Usage("prefs show")},
      {{"prefs", "set"}, 2, "", Usage("prefs set NAME VALUE...")},
      {{"prefs", "set", "colour", "1"}, 2, "", Refused("unknown preference: colour")},
      {{"prefs", "set", "record-level", "0x3"}, 2, "", Refused("not a usable value: 0x3")},
      {{"prefs", "set", "finish-sound", "TADA.WAV"},
       1,
       "",
       Err("no sound named TADA.WAV in " + media)},
      {{"prefs", "set", "keyword", "10", "x", "tada.wav"},
       2,
       "",
       Refused("not a keyword entry (0 to 9): 10")},
      {{"prefs", "set", "keyword", "1", "x\ny", "tada.wav"},
       2,
       "",
       Refused("a keyword cannot hold a line feed: x\ny")},
      {{"prefs", "set", "font", "80", ""}, 2, "", Refused("not a usable font: ")},
      {{kFile, "CorvisantDatabase\\etc\\preferences"}, 1},
      {{"prefs", "set", "record-level", "0x22"}, 0},
      {{"prefs", "set", "finish-sound", "chord.wav"}, 0},
      {{"prefs", "set", "keyword", "1", "news", "tada.wav"}, 0},
      {{"prefs", "set", "keyword", "4", "Java", "chord.wav"}, 0},
      {{"prefs", "set", "keyword", "6", "java", "Chimes.wav"}, 0},
      {{"prefs", "set", "font", "120", "Courier New"}, 0},
      {{kFile, "CorvisantDatabase\\etc\\preferences"}, 0, changed},
      {{"sounds", "list"}, 0, "no sound\nChimes.wav\nchord.wav\ntada.wav\n"},
      {{"keywords", "check", "k.html"}, 0, "play tada.wav\nplay chord.wav\n"},
      {{"keywords", "check"}, 2, "", Usage("keywords check FILE")},

      {{"annotation", "put", "http://a/", "two\nlines"}, 0},
      {{"annotation", "get", "http://a/"}, 0, "two\nlines\n"},
      {{"annotation", "delete", "http://a/"}, 0},
      {{"annotation", "get", "http://a/"}, 1},
      {{"annotation", "put", "http://a/"}, 2, "", Usage("annotation put URL TEXT")},

      {{"report", "40023", "12"},
       0,
       "Only 12 MB of free disk space is availabe for Corvisant to keep data.\n"},
      {{"report", "40017"}, 1, "", Err("no message 40017")},
      {{"report", "x"}, 2, "", Usage("report ID [ARG...]")},
  };
  for (const Row& row : rows) {
    const std::string line = ::testing::PrintToString(row.args);
    testing::ToolRun run{1, "", ""};
    if (!row.args.empty() && row.args[0] == kFile) {
      if (process.files().Kind(row.args[1]) == PathKind::kFile)
        run = {0, process.Read(row.args[1]), ""};
    } else {
      tool::Arguments args = {"--media", media};
      args.insert(args.end(), row.args.begin(), row.args.end());
      run = testing::RunToolCaptured(process.process(), args);
    }
    EXPECT_EQ(run.status, row.status) << line;
    // An expected output ending in "..." is the start of the output.
    std::size_t end =
        row.out.rfind("...") == row.out.size() - 3 ? row.out.size() - 3 : std::string::npos;
    EXPECT_EQ(run.out.substr(0, end), row.out.substr(0, end)) << line;
    EXPECT_EQ(run.err, row.err) << line;
  }
  // The title of a missing file is reported, and closes itself after 5 seconds.
  EXPECT_EQ(process.reporter.Lines(), "40009 1 5 \"h9\\none.html\"\n");
}

}  // namespace
}  // namespace corvisant
