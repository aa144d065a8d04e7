#include "tools/simulation/list_window_files.h"

#include <algorithm>

#include "platform/ports.h"

namespace corvisant::simulation {

struct FileListWindow::State {
  explicit State(OpenFilesTable& openFiles) : list(openFiles) {}
  UrlList list;
  bool open = true;
  int low = -1;
  int high = -1;
};

namespace {

class OfferedList : public UrlListWindowList {
 public:
  explicit OfferedList(std::shared_ptr<FileListWindow::State> state) : state_(std::move(state)) {}

  bool WindowExists() override { return state_->open; }
  int Count() override { return state_->list.Count(); }
  std::string EntryUrl(int index) override { return state_->list.CopyUrlFromOldest(index); }
  bool SelectedRange(int* low, int* high) override {
    if (state_->low < 0) return false;
    *low = state_->low;
    *high = state_->high;
    return true;
  }
  int FirstSelectedIndex() override {
    if (Count() == 0) return -1;
    return state_->low < 0 ? 0 : state_->low;
  }

 private:
  std::shared_ptr<FileListWindow::State> state_;
};

}  // namespace

bool FileListWindow::Open(const std::string& base) {
  OpenFilesTable* openFiles = Current<OpenFilesTable>();
  if (openFiles == nullptr) return false;
  Files& files = *Current<Files>();
  std::string index = base + ".urli";
  std::string data = base + ".urld";
  if (files.Kind(index) != PathKind::kFile || files.Kind(data) != PathKind::kFile) return false;
  state_ = std::make_shared<State>(*openFiles);
  return state_->list.OpenUrlList(index, data);
}

void FileListWindow::Select(int low, int high) {
  if (state_ == nullptr) return;
  state_->low = low < 0 || high < 0 ? -1 : std::min(low, high);
  state_->high = low < 0 || high < 0 ? -1 : std::max(low, high);
}

void FileListWindow::Close() {
  if (state_ != nullptr) state_->open = false;
}

std::unique_ptr<UrlListWindowList> FileListWindow::Offer() const {
  if (state_ == nullptr || !state_->open) return nullptr;
  return std::make_unique<OfferedList>(state_);
}

UrlList* FileListWindow::list() const { return state_ != nullptr ? &state_->list : nullptr; }

std::unique_ptr<UrlListWindowList> FileListWindows::FrontmostList() {
  return frontmost != nullptr ? frontmost->Offer() : nullptr;
}

}  // namespace corvisant::simulation
