#include "app/manual_install.h"

#include "common/process_wide.h"
#include "platform/files.h"
#include "url/page_store.h"
#include "url/store_files.h"
#include "url/store_names.h"

namespace corvisant {

bool InstallManualIfMissing(const std::string& programDirectory) {
  Files& files = *Current<Files>();
  if (files.Kind(kDocumentDirectory) != PathKind::kMissing) return true;
  std::string source = JoinStorePath(programDirectory, kDocumentDirectory);
  if (files.Kind(source) != PathKind::kDirectory) return false;
  if (files.MakeDirectory(kDocumentDirectory) != 0) return false;
  bool whole = true;
  for (const DirectoryEntry& entry : files.List(source, "*")) {
    if (entry.isDirectory) continue;
    whole = CopyFileByBlocks(JoinStorePath(source, entry.name),
                             JoinStorePath(kDocumentDirectory, entry.name)) == FileCopy::kCopied &&
            whole;
  }
  return whole;
}

}  // namespace corvisant
