#include "navigation/sound_list.h"

#include "platform/ports.h"

namespace corvisant {
namespace {

constexpr const char* kMediaSubfolder = "\\Media";
constexpr const char* kSoundPattern = "*.wav";

}  // namespace

std::string DefaultMediaFolder() {
  return Current<SystemFolders>()->WindowsDirectory() + kMediaSubfolder;
}

SoundList::SoundList() { names_.Add(kNoSoundName); }

void SoundList::Build(const std::string& folder) {
  std::string listed = folder.empty() ? DefaultMediaFolder() : folder;
  std::vector<std::string> fileNames;
  for (const DirectoryEntry& entry : Current<Files>()->List(listed, kSoundPattern)) {
    if (!entry.isDirectory) fileNames.push_back(entry.name);
  }
  Assign(listed, fileNames);
}

void SoundList::Assign(const std::string& folder, const std::vector<std::string>& fileNames) {
  folder_ = folder;
  names_.Clear();
  for (const std::string& name : fileNames) {
    if (name.find('\n') == std::string::npos) names_.Add(name);
  }
  names_.Sort();
  names_.InsertAtFront(kNoSoundName);
}

int SoundList::IndexOf(std::string_view name) const {
  int index = names_.Find(name);
  return index < 0 ? kNoSound : index;
}

const std::string& SoundList::NameOf(int index) const {
  return names_.At(IsValidIndex(index) ? index : kNoSound);
}

void SoundList::Play(int index) const {
  if (index == kNoSound || !IsValidIndex(index)) return;
  Current<Sound>()->PlayFile(folder_ + "\\" + names_.At(index));
}

}  // namespace corvisant
