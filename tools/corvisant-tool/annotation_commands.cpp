// annotation put|get|delete: the annotation store of the store root.
#include <string>

#include "platform/ports.h"
#include "tools/corvisant-tool/tool.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "views/annotation_store.h"

namespace corvisant::tool {
namespace {

// Opens the store, making the data directories it lives in when the root has none yet.
bool OpenStore(Context& context, AnnotationStore& store) {
  Files& files = *CurrentPorts().files;
  files.MakeDirectory(kDatabaseDirectory);
  files.MakeDirectory(std::string(kDatabaseDirectory) + "\\" + kEtcDirectory);
  if (store.Open()) return true;
  std::fprintf(context.err, "corvisant-tool: cannot open the annotation store\n");
  return false;
}

int Usage(Context& context, const char* words) {
  std::fprintf(context.err, "usage: corvisant-tool annotation %s\n", words);
  return kExitUsage;
}

int RunPut(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return Usage(context, "put URL TEXT");
  AnnotationStore store;
  if (!OpenStore(context, store)) return kExitNothing;
  // As attaching does it: an empty text removes the annotation.
  bool done = arguments[1].empty() ? (store.Delete(arguments[0]), true)
                                   : store.Put(arguments[0], arguments[1]);
  return done ? kExitDone : kExitNothing;
}

int RunGet(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "get URL");
  AnnotationStore store;
  if (!OpenStore(context, store)) return kExitNothing;
  std::string text = store.Get(arguments[0]);
  if (text.empty()) return kExitNothing;
  std::fwrite(text.data(), 1, text.size(), context.out);
  std::fputc('\n', context.out);
  return kExitDone;
}

int RunDelete(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "delete URL");
  AnnotationStore store;
  if (!OpenStore(context, store)) return kExitNothing;
  return store.Delete(arguments[0]) ? kExitDone : kExitNothing;
}

const Command kAnnotationCommands[] = {
    {"annotation", "put", "URL TEXT", "attach TEXT to URL (an empty TEXT removes it)", RunPut},
    {"annotation", "get", "URL", "print URL's annotation (exit 1 when none)", RunGet},
    {"annotation", "delete", "URL", "remove URL's annotation (exit 1 when none)", RunDelete},
};
const CommandRegistration registerAnnotation(kAnnotationCommands);

}  // namespace
}  // namespace corvisant::tool
