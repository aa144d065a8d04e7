#include "tests/support/test_process.h"

#include "url/page_store.h"

namespace corvisant::testing {
namespace {

ProcessServices ServicesFor(const TestProcessOptions& options, Clock& clock, Random& random,
                            Sound& sound, SystemFolders& folders, Reporter& reporter,
                            TraceSink& trace) {
  ProcessServices services;
  services.ports = SystemPorts();
  if (options.files != nullptr) services.ports.files = options.files;
  services.ports.clock = &clock;
  services.ports.random = options.random != nullptr ? options.random : &random;
  services.ports.sound = &sound;
  services.ports.folders = &folders;
  services.reporter = &reporter;
  services.trace = &trace;
  return services;
}

}  // namespace

TestProcess::TestProcess(const TestProcessOptions& options)
    : clock(options.start),
      process_(ServicesFor(options, clock, random_, sound, folders_, reporter, trace)) {
  root_.emplace(files());
  if (options.makeDataDirectories) {
    files().MakeDirectory(kDatabaseDirectory);
    for (const char* directory :
         {kEtcDirectory, kHistoryDirectory, kHotlistDirectory, kTempDirectory}) {
      files().MakeDirectory(DataDirectoryPath(directory));
    }
  }
  if (options.openStore) process_.OpenStore(StoreOptions());
}

TestProcess::~TestProcess() {
  // The store's streams close before its directory goes.
  process_.CloseStore();
  root_.reset();
}

}  // namespace corvisant::testing
