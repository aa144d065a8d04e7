// The process-wide sound list: the WAV files of the Media folder, sorted byte-wise, behind the
// entry "no sound" at index 0. A sound is always named by its index in this list; the
// preferences file keeps names, the record keeps indexes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/preferences.h"
#include "common/string_list.h"

namespace corvisant {

constexpr const char* kNoSoundName = "no sound";

// The Windows directory's "Media" folder, where the sound list is read from.
std::string DefaultMediaFolder();

class SoundList {
 public:
  // A list holding only "no sound".
  SoundList();

  // Rebuilds the list from the "*.wav" files of folder (empty: DefaultMediaFolder()),
  // sub-directories skipped. A missing folder gives a list holding only "no sound".
  void Build(const std::string& folder);
  // Makes the list from the file names of folder: sorted byte-wise, "no sound" in front. A name
  // holding a line feed is left out: it could not be written into the preferences file.
  void Assign(const std::string& folder, const std::vector<std::string>& fileNames);

  int Count() const { return names_.Count(); }
  bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
  // The index of the first entry equal to name (exact, case-sensitive); 0 when there is none.
  int IndexOf(std::string_view name) const;
  // The entry's name; "no sound" for an index that is not in the list.
  const std::string& NameOf(int index) const;
  const std::string& folder() const { return folder_; }

  // Plays the entry's file to its end through the sound port; nothing for "no sound" or an index
  // that is not in the list.
  void Play(int index) const;

 private:
  std::string folder_;
  SortedStringList names_;
};

}  // namespace corvisant
