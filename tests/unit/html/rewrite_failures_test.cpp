#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/stored_page_rewriter.h"
#include "platform/message_ids.h"
#include "tests/support/write_failing_files.h"
#include "tests/unit/html/page_rewrite_fixture.h"

namespace corvisant {
namespace {

using testing::kPagePath;

class RewriteFailureTest : public testing::PageRewriteTest {
 protected:
  void SetUp() override {
    PageRewriteTest::SetUp();
    Ports ports = CurrentPorts();
    ports.files = &failing_;
    InstallPorts(ports);
  }

  testing::WriteFailingFiles failing_{*system_};
};

// A rewrite whose write fails part-way leaves the page as it was, is reported, gives -1 and hands
// nothing on: the page was not rewritten, so no history entry or link may come from it.
TEST_F(RewriteFailureTest, AFailedWriteLeavesTheStoredPageAsItWas) {
  struct FailureCase {
    const char* name;
    std::string page;
  };
  const FailureCase cases[] = {
      {"a page that grows is written over the old bytes",
       "<html><a href=/c.html>c</a><img src=a.gif></html>"},
      {"a page that shrinks is written anew",
       "<html><a href=http://h1/a/b/c/d/e.html>e</a><img src=a.gif></html>"},
  };
  navigation_.active = false;
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Write(c.page));
    failing_.FailWrites(kPagePath, 1);
    images_.deferred.clear();
    std::string title;
    EXPECT_EQ(RewriteStoredPage("http://h1/a/b/c.html", "http://h1/a/b/c.html", kPagePath, &title,
                                nullptr),
              -1);
    EXPECT_EQ(Read(), c.page);
    EXPECT_TRUE(images_.deferred.empty());
  }
  EXPECT_EQ(reporter_.ids(),
            (std::vector<int>{message::kCantRewriteHtml, message::kCantRewriteHtml}));
  EXPECT_EQ(reporter_.reports()[0].arguments[0].text, kPagePath);
}

TEST_F(RewriteFailureTest, APageThatNeedsNoChangeIsNotWritten) {
  ASSERT_TRUE(Write("<html><a href=x.html>x</a></html>"));
  failing_.FailWrites(kPagePath, 1);
  EXPECT_EQ(Rewrite("http://h1/i.html"), 0);
  EXPECT_TRUE(reporter_.ids().empty());
  EXPECT_EQ(Read(), "<html><a href=x.html>x</a></html>");
}

}  // namespace
}  // namespace corvisant
