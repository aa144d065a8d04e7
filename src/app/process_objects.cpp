#include "app/process_objects.h"

#include "app/preferences_file.h"
#include "app/window_positions.h"
#include "navigation/desktop_browser_watch.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

std::unique_ptr<BrowserWatch> MakeBrowserWatch(DesktopPort* desktop, BrowserLink& link) {
  if (desktop == nullptr) return std::make_unique<WindowlessBrowserWatch>(link);
  return std::make_unique<DesktopBrowserWatch>(*desktop, link, *Current<Clock>());
}

}  // namespace

StoreObjects::StoreObjects(const std::string& rootDirectory) : history(*openFiles) {
  storeRoot->Set(rootDirectory);
}

ProcessObjects::ProcessObjects(const ProcessServices& services)
    : files_(services.ports.files),
      clock_(services.ports.clock),
      random_(services.ports.random),
      sound_(services.ports.sound),
      folders_(services.ports.folders),
      memoryFailure_(services.ports.memoryFailure),
      reporter_(services.reporter),
      trace_(services.trace) {}

ProcessObjects::~ProcessObjects() { CloseStore(); }

bool ProcessObjects::OpenStore(const StoreOptions& options) {
  CloseStore();
  use_ = options.use;
  store_ = std::make_unique<StoreObjects>(Current<Files>()->CurrentDirectory());
  if (use_ == StoreUse::kProgram) {
    if (PrepareStore() == StorePreparation::kDirectoryMissing) return false;
    History();
    Annotations();
  }
  LoadSoundsAndPreferences(options.mediaFolder, *store_->sounds, *store_->preferences);
  LoadWindowPositions(*store_->preferences, options.screen);
  return true;
}

EngineObjects::EngineObjects(DdePort& dde, DesktopPort* desktop)
    : queue(Current<Clock>()->Now()),
      link(dde, *Current<Clock>()),
      watchObject(MakeBrowserWatch(desktop, *link)) {
  link->SetUrlEchoHandler(&*pipeline);
}

void ProcessObjects::OpenEngine(DdePort& dde, DesktopPort* desktop) {
  CloseEngine();
  if (store_ != nullptr) engine_ = std::make_unique<EngineObjects>(dde, desktop);
}

void ProcessObjects::CloseEngine() {
  if (engine_ == nullptr) return;
  if (store_->preferences->linkOn) engine_->control->LinkOff();
  engine_->queue->shutdown();
  engine_->link->SetUrlEchoHandler(nullptr);
  engine_.reset();
}

void ProcessObjects::OpenWindows(const WindowPorts& ports) {
  CloseWindows();
  if (store_ != nullptr) windows_ = std::make_unique<WindowObjects>(ports);
}

void ProcessObjects::CloseWindows() { windows_.reset(); }

void ProcessObjects::CloseStore() {
  if (store_ == nullptr) return;
  CloseWindows();
  CloseEngine();
  if (use_ == StoreUse::kProgram) {
    SaveWindowPositions(*store_->preferences);
    store_->annotations->Close();
    EmptyTempDirectory();
  }
  store_->openFiles->CloseAll();
  store_.reset();
  history_ = Opening::kNotTried;
  annotations_ = Opening::kNotTried;
}

HistoryFile* ProcessObjects::History() {
  if (store_ == nullptr) return nullptr;
  if (history_ == Opening::kNotTried) {
    history_ = store_->history->OpenHistory() ? Opening::kOpen : Opening::kFailed;
  }
  return history_ == Opening::kOpen ? &*store_->history : nullptr;
}

AnnotationStore* ProcessObjects::Annotations() {
  if (store_ == nullptr) return nullptr;
  if (annotations_ == Opening::kNotTried) {
    annotations_ = store_->annotations->Open() ? Opening::kOpen : Opening::kFailed;
  }
  return annotations_ == Opening::kOpen ? &*store_->annotations : nullptr;
}

}  // namespace corvisant
