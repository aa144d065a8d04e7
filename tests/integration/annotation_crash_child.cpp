// The child of the annotation crash test: attaches annotations without end, in the order that
// AnnotationWorkload gives, and prints the number of each attach once it has returned. The
// parent kills it at a random moment.
#include <cstdio>
#include <cstdlib>

#include "app/process_objects.h"
#include "tests/integration/annotation_workload.h"
#include "views/annotation_store.h"

int main(int argc, char** argv) {
  using namespace corvisant;
  if (argc != 3) {
    std::fprintf(stderr, "usage: annotation_crash_child STORE_ROOT FIRST_STEP\n");
    return 2;
  }
  ProcessObjects process({SystemPorts()});
  if (!Current<Files>()->ChangeDirectory(argv[1])) return 2;
  AnnotationStore store;
  if (!store.Open()) return 3;
  for (long step = std::atol(argv[2]);; ++step) {
    testing::WorkloadStep put = testing::AnnotationWorkload(step);
    if (!store.Put(put.url, put.text)) return 4;
    std::printf("%ld\n", step);
    std::fflush(stdout);
  }
}
