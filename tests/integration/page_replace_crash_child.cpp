// The child of the page-replacement crash test: without end, writes the stored page anew, has it
// rewritten and saves the preferences with the step as "show page", then prints the step. The
// parent kills it at a random moment.
#include <cstdio>
#include <cstdlib>

#include "app/preferences_file.h"
#include "app/process_objects.h"
#include "html/stored_page_rewriter.h"
#include "tests/integration/page_replace_workload.h"
#include "url/whole_file_writer.h"

int main(int argc, char** argv) {
  using namespace corvisant;
  if (argc != 3) {
    std::fprintf(stderr, "usage: page_replace_crash_child STORE_ROOT FIRST_STEP\n");
    return 2;
  }
  ProcessObjects process({SystemPorts()});
  if (!Current<Files>()->ChangeDirectory(argv[1])) return 2;
  SoundList sounds;
  Preferences preferences;
  for (long step = std::atol(argv[2]);; ++step) {
    std::string title;
    if (!WriteWholeFile(testing::kCrashPagePath, testing::CrashPage(step, false))) return 3;
    if (RewriteStoredPage(testing::kCrashPageUrl, testing::kCrashPageUrl, testing::kCrashPagePath,
                          &title) != 0) {
      return 4;
    }
    preferences.showPage = static_cast<int>(step);
    if (!SavePreferences(preferences, sounds)) return 5;
    std::printf("%ld\n", step);
    std::fflush(stdout);
  }
}
