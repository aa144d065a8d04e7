#include "standin/win32/http_fetch.h"

namespace standin_shell {
namespace {

constexpr const char* kAgent = "Mozilla/4.0 (compatible; Netscape stand-in)";
constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kFirstErrorStatus = 400;
constexpr DWORD kChunkBytes = 16384;
constexpr DWORD kTypeBytes = 256;
// Every fetch goes to the server: tests change their site between requests.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                             INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                             INTERNET_FLAG_NO_COOKIES;

// "text/html; charset=x" is text/html.
std::string ContentType(HINTERNET request) {
  char type[kTypeBytes] = {};
  DWORD size = sizeof(type);
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_TYPE, type, &size, nullptr)) return "";
  std::string mime(type, size);
  mime = mime.substr(0, mime.find(';'));
  while (!mime.empty() && mime.back() == ' ') mime.pop_back();
  return mime;
}

// Not an HTTP error: true also for other protocols, which have no status.
bool StatusIsSuccess(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                      nullptr)) {
    return true;
  }
  return status < kFirstErrorStatus;
}

}  // namespace

HttpFetcher::HttpFetcher()
    : session_(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)) {
  if (!session_) return;
  DWORD timeout = kTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_SEND_TIMEOUT}) {
    InternetSetOptionA(session_.get(), option, &timeout, sizeof(timeout));
  }
}

standin::Fetched HttpFetcher::Fetch(const std::string& url) {
  standin::Fetched fetched;
  if (!session_) return fetched;
  OwnedInternet request(InternetOpenUrlA(session_.get(), url.c_str(), nullptr, 0, kOpenFlags, 0));
  if (!request || !StatusIsSuccess(request.get())) return fetched;
  char chunk[kChunkBytes];
  DWORD read = 0;
  while (InternetReadFile(request.get(), chunk, sizeof(chunk), &read) && read > 0) {
    fetched.bytes.append(chunk, read);
  }
  fetched.mime = ContentType(request.get());
  fetched.found = true;
  return fetched;
}

}  // namespace standin_shell
