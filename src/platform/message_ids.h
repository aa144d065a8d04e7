// The ids of the string-table messages that failures are reported with. The texts live with the
// error report; every caller names a message by one of these.
#pragma once

namespace corvisant::message {

constexpr int kDdeInitializeFailed = 40000;
constexpr int kDdeNameServiceFailed = 40001;
constexpr int kDdeConnectFailed = 40002;
constexpr int kDdeTransactionFailed = 40003;
constexpr int kBrowserNotInstalled = 40004;
constexpr int kCantCreateFile = 40005;
constexpr int kCantOpenHtmlForRewrite = 40006;
constexpr int kCantReadHtmlForRewrite = 40007;
constexpr int kCantRewriteHtml = 40008;
constexpr int kCantOpenHtmlForTitle = 40009;
constexpr int kCantReadHtmlForTitle = 40010;
constexpr int kCantCreateDirectory = 40011;
constexpr int kCantReadFile = 40012;
constexpr int kCantOpenPreferences = 40013;
constexpr int kCantWritePreferences = 40014;
constexpr int kCantOpenSchedules = 40015;
constexpr int kCantWriteSchedules = 40016;
constexpr int kManualSectionNotFound = 40021;
constexpr int kCantCheckFreeSpace = 40022;
constexpr int kLowDiskSpace = 40023;
constexpr int kBrowserWontOpenWindow = 40024;

}  // namespace corvisant::message
