#include "standin/core/documents.h"

#include <gtest/gtest.h>

#include "tests/unit/standin/fake_host.h"

namespace standin {
namespace {

constexpr const char* kSite = "Z:\\site";

TEST(DocumentsTest, MapsHttpUrlsIntoTheSiteDirectory) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://h1/a/b.html", "Z:\\site\\h1 Z:\\site\\h1\\a\\b.html"},
      {"http://h1:8080/", "Z:\\site\\h1$8080 Z:\\site\\h1$8080\\"},
      {"http://h1", "Z:\\site\\h1 Z:\\site\\h1\\"},
      {"http://h1/My%20Docs/x.htm?q=1#top", "Z:\\site\\h1 Z:\\site\\h1\\My Docs\\x.htm"},
      {"http://h1/a/../../secret", "Z:\\site\\h1 "},
      {"HTTP://h1/dir/", "Z:\\site\\h1 Z:\\site\\h1\\dir\\"},
      {"https://h1/a", "-"},
      {"ftp://h1/a", "-"},
  };
  for (const auto& [url, place] : cases) {
    std::optional<SitePlace> p = SitePlaceFor(kSite, url);
    EXPECT_EQ(p ? p->host_directory + " " + p->file : "-", place) << url;
  }
  EXPECT_FALSE(SitePlaceFor("", "http://h1/"));
}

TEST(DocumentsTest, FileUrlsNameDiskPaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///C|/x/y.html", "C:\\x\\y.html"},
      {"file:///C:/x/y.html", "C:\\x\\y.html"},
      {"file://C|/x%20y/", "C:\\x y\\"},
      {"file:///tmp/a.txt", "\\tmp\\a.txt"},
      {"file:///", "-"},
      {"http://h1/", "-"},
  };
  for (const auto& [url, path] : cases) {
    EXPECT_EQ(DiskPathOfFileUrl(url).value_or("-"), path) << url;
  }
}

TEST(DocumentsTest, MimeTypeFromTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.html", "text/html"},
      {"A.HTM", "text/html"},
      {"p.gif", "image/gif"},
      {"p.JPEG", "image/jpeg"},
      {"p.jpg", "image/jpeg"},
      {"p.png", "image/png"},
      {"s.css", "text/css"},
      {"r.txt", "text/plain"},
      {"z.gz", "application/x-gzip"},
      {"z.zip", "application/zip"},
      {"d.pdf", "application/pdf"},
      {"noext", "application/octet-stream"},
      {"dir.d\\file", "application/octet-stream"},
  };
  for (const auto& [name, mime] : cases) EXPECT_EQ(MimeForName(name), mime) << name;
}

TEST(DocumentsTest, LoadsFromSiteDiskAndNetwork) {
  FakeHost host;
  host.files["Z:\\site\\h1\\index.html"] = "root";
  host.files["Z:\\site\\h1\\dir\\index.html"] = "dir";
  host.files["Z:\\site\\h1\\p.gif"] = "GIF";
  host.files["C:\\x\\y.html"] = "local";
  host.web["http://elsewhere/a.css"] = "net";
  const struct {
    const char* url;
    const char* bytes;  // "404" for the not-found page
    const char* mime;
  } cases[] = {
      {"http://h1/", "root", "text/html"},
      {"http://h1/dir", "dir", "text/html"},
      {"http://h1/p.gif", "GIF", "image/gif"},
      {"http://h1/gone.html", "404", "text/html"},
      {"http://h1/../x", "404", "text/html"},
      {"file:///C|/x/y.html", "local", "text/html"},
      {"http://elsewhere/a.css", "net", "text/css"},
      {"http://nowhere/", "404", "text/html"},
      {"about:blank", "<html><head><title>Netscape</title></head><body></body></html>",
       "text/html"},
  };
  for (const auto& c : cases) {
    Document d = LoadDocument(host, kSite, c.url);
    EXPECT_EQ(d.missing ? "404" : d.bytes, c.bytes) << c.url;
    EXPECT_EQ(d.mime, c.mime) << c.url;
  }
  EXPECT_EQ(host.fetched, (std::vector<std::string>{"http://elsewhere/a.css", "http://nowhere/"}))
      << "hosts with a folder in the site never go to the network";
}

}  // namespace
}  // namespace standin
