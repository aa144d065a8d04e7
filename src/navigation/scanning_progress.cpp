#include "navigation/scanning_progress.h"

namespace corvisant {
namespace {

constexpr int kFilesBetweenMessages = 10;

}  // namespace

bool ScanProgress::Count(bool found, std::string_view name) {
  ++scanned_;
  if (found) ++found_;
  if (dialog_ == nullptr) return true;
  dialog_->ShowScanned(scanned_);
  if (found) dialog_->ShowFound(found_, name);
  if (scanned_ % kFilesBetweenMessages != 0) return true;
  return !dialog_->HandleMessagesAndStopped();
}

}  // namespace corvisant
