#include "standin/core/options.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

constexpr const char* kCommunicator =
    "C:\\Program Files\\Netscape\\Communicator\\Program\\Netscape.exe";

TEST(OptionsTest, VersionComesFromTheInstallFolderUnlessGiven) {
  const std::pair<const char*, int> cases[] = {
      {kCommunicator, 4},
      {"c:\\program files\\netscape\\navigator\\program\\netscape.exe", 3},
      {"Z:\\work\\build\\Netscape.exe", 4},
  };
  for (const auto& [path, version] : cases) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions({}, path, &options, &error));
    EXPECT_EQ(options.version, version) << path;
    ASSERT_TRUE(ParseOptions({"--version", "3"}, path, &options, &error));
    EXPECT_EQ(options.version, 3);
  }
}

TEST(OptionsTest, ReadsEveryOption) {
  Options o;
  std::string error;
  ASSERT_TRUE(ParseOptions({"--site",
                            "Z:\\s",
                            "--log",
                            "l.txt",
                            "--browse",
                            "b.txt",
                            "--interval",
                            "50",
                            "--exit-when-done",
                            "--alert-on-missing",
                            "--alert-every",
                            "3",
                            "--progress-dialog",
                            "--dialog-language",
                            "8",
                            "--refuse-saves",
                            "--mute",
                            "--save-delay",
                            "0",
                            "--load-delay",
                            "7",
                            "--start",
                            "x:y"},
                           kCommunicator, &o, &error))
      << error;
  EXPECT_EQ(o.site_dir + o.log_file + o.browse_file + o.start_url, "Z:\\sl.txtb.txtx:y");
  EXPECT_EQ(std::vector<std::uint32_t>(
                {o.browse_interval_ms, o.alert_every, o.save_delay_ms, o.load_delay_ms}),
            std::vector<std::uint32_t>({50, 3, 0, 7}));
  EXPECT_EQ(o.dialog_language, 8);
  EXPECT_TRUE(o.exit_when_done && o.alert_on_missing && o.progress_dialog && o.refuse_saves &&
              o.mute);
}

TEST(OptionsTest, RejectsBadArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"--version", "5"},
      {"--dialog-language", "9"},
      {"--save-delay", "-1"},
      {"--interval", "1x"},
      {"--site"},
      {"--site", ""},
      {"--bogus"},
  };
  for (const auto& args : cases) {
    Options options;
    std::string error;
    EXPECT_FALSE(ParseOptions(args, kCommunicator, &options, &error)) << args[0];
    EXPECT_NE(error.find(args[0]), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace standin
