// The child of the annotation crash test: attaches annotations in the order that
// AnnotationWorkload gives, from FIRST_STEP on, and prints the number of each attach once it has
// returned; without end (the parent kills it at a random moment), or COUNT of them.
#include <cstdio>
#include <cstdlib>

#include "app/process_objects.h"
#include "tests/integration/annotation_workload.h"
#include "views/annotation_store.h"

int main(int argc, char** argv) {
  using namespace corvisant;
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: annotation_crash_child STORE_ROOT FIRST_STEP [COUNT]\n");
    return 2;
  }
  ProcessObjects process({SystemPorts()});
  if (!Current<Files>()->ChangeDirectory(argv[1])) return 2;
  AnnotationStore store;
  if (!store.Open()) return 3;
  long first = std::atol(argv[2]);
  for (long step = first; argc == 3 || step < first + std::atol(argv[3]); ++step) {
    testing::WorkloadStep put = testing::AnnotationWorkload(step);
    if (!store.Put(put.url, put.text)) return 4;
    std::printf("%ld\n", step);
    std::fflush(stdout);
  }
  return 0;
}
