// annotation put|get|delete: the annotation store of the store root.
#include <string>

#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "views/annotation_store.h"

namespace corvisant::tool {
namespace {

// The store's annotation store, with the data directories it lives in made when the root has
// none yet; null (with a message) when it cannot be opened.
AnnotationStore* OpenAnnotations(Context& context) {
  Files& files = *Current<Files>();
  files.MakeDirectory(kDatabaseDirectory);
  files.MakeDirectory(DataDirectoryPath(kEtcDirectory));
  AnnotationStore* store = context.process->Annotations();
  if (store == nullptr) Failed(context, "cannot open the annotation store");
  return store;
}

// A change the store could not write whole is told, never passed over as done.
int WriteFailed(Context& context) { return Failed(context, "cannot write the annotation store"); }

int RunPut(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return kExitUsage;
  AnnotationStore* store = OpenAnnotations(context);
  if (store == nullptr) return kExitNothing;
  // As attaching does it: an empty text removes the annotation.
  return store->Put(arguments[0], arguments[1]) ? kExitDone : WriteFailed(context);
}

int RunGet(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  AnnotationStore* store = OpenAnnotations(context);
  if (store == nullptr) return kExitNothing;
  std::string text = store->Get(arguments[0]);
  if (text.empty()) return kExitNothing;
  std::fwrite(text.data(), 1, text.size(), context.out);
  std::fputc('\n', context.out);
  return kExitDone;
}

int RunDelete(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  AnnotationStore* store = OpenAnnotations(context);
  if (store == nullptr) return kExitNothing;
  switch (store->Delete(arguments[0])) {
    case Removal::kRemoved:
      return kExitDone;
    case Removal::kNone:
      return kExitNothing;
    case Removal::kFailed:
      break;
  }
  return WriteFailed(context);
}

const Command kAnnotationCommands[] = {
    {"annotation", "put", "URL TEXT", "attach TEXT to URL (an empty TEXT removes it)", RunPut},
    {"annotation", "get", "URL", "print URL's annotation (exit 1 when none)", RunGet},
    {"annotation", "delete", "URL", "remove URL's annotation (exit 1 when none)", RunDelete},
};
const CommandRegistration registerAnnotation(kAnnotationCommands);

}  // namespace
}  // namespace corvisant::tool
