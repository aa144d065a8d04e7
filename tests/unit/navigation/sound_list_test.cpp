#include "navigation/sound_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/fixed_folders.h"
#include "tests/support/recording_sound.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

std::vector<std::string> Names(const SoundList& sounds) {
  std::vector<std::string> names;
  for (int i = 0; i < sounds.Count(); ++i) names.push_back(sounds.NameOf(i));
  return names;
}

class SoundListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ports ports = SystemPorts();
    ports.sound = &sound_;
    previous_ = InstallPorts(ports);
    scratch_.emplace(*Current<Files>());
    media_ = scratch_->path() + "\\Media";
  }
  void TearDown() override {
    scratch_.reset();
    InstallPorts(previous_);
  }

  void MakeMedia(const std::vector<std::string>& files) {
    ASSERT_EQ(Current<Files>()->MakeDirectory(media_), 0);
    for (const std::string& file : files) {
      ASSERT_TRUE(testing::WriteBytes(*Current<Files>(), media_ + "\\" + file, "RIFF"));
    }
  }

  testing::RecordingSound sound_;
  Ports previous_;
  std::optional<testing::ScratchDirectory> scratch_;
  std::string media_;
};

TEST_F(SoundListTest, SortsTheWaveFilesByteWiseBehindNoSound) {
  SoundList missing;
  missing.Build(media_);
  EXPECT_EQ(Names(missing), (std::vector<std::string>{"no sound"})) << "no Media folder";
  MakeMedia({"tada.wav", "Chimes.wav", "chord.wav", "readme.txt", "ding.wav.bak"});
  ASSERT_EQ(Current<Files>()->MakeDirectory(media_ + "\\folder.wav"), 0);
  SoundList sounds;
  sounds.Build(media_);
  EXPECT_EQ(Names(sounds),
            (std::vector<std::string>{"no sound", "Chimes.wav", "chord.wav", "tada.wav"}));
}

TEST_F(SoundListTest, NamesAndIndexesMapBothWays) {
  SoundList sounds;
  sounds.Assign(media_, {"tada.wav", "Chimes.wav", "chord.wav", "tada.wav"});
  struct Case {
    const char* name;
    int index;
  };
  for (Case c : {Case{"no sound", 0}, Case{"Chimes.wav", 1}, Case{"chord.wav", 2},
                 Case{"tada.wav", 3}, Case{"TADA.WAV", 0}, Case{"tada", 0}, Case{"", 0}}) {
    EXPECT_EQ(sounds.IndexOf(c.name), c.index) << c.name;
  }
  for (int outside : {-1, 5, 1 << 30}) EXPECT_EQ(sounds.NameOf(outside), "no sound") << outside;
}

TEST_F(SoundListTest, PlaysTheEntrysFileAndNothingForNoSound) {
  SoundList sounds;
  sounds.Assign(media_, {"tada.wav", "Chimes.wav"});
  for (int index : {0, 2, -3, 3, 1}) sounds.Play(index);
  EXPECT_EQ(sound_.played(),
            (std::vector<std::string>{media_ + "\\tada.wav", media_ + "\\Chimes.wav"}));
}

TEST_F(SoundListTest, NamesThatCannotBeSavedAreLeftOut) {
  SoundList sounds;
  sounds.Assign(media_, {"a\nb.wav", "b.wav"});
  EXPECT_EQ(Names(sounds), (std::vector<std::string>{"no sound", "b.wav"}));
}

TEST_F(SoundListTest, TheDefaultFolderIsTheWindowsDirectorysMedia) {
  testing::FixedFolders folders("C:\\WINNT");
  Ports ports = CurrentPorts();
  ports.folders = &folders;
  Ports saved = InstallPorts(ports);
  EXPECT_EQ(DefaultMediaFolder(), "C:\\WINNT\\Media");
  InstallPorts(saved);
}

}  // namespace
}  // namespace corvisant
