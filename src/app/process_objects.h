// Every process-wide object of the system, in the order start-up makes them, and the start-up and
// shut-down that make and release them. The layers reach each object through Current<T>()
// (common/process_wide.h); this is the one place that installs the program's objects.
// Corvisant.exe and corvisant-tool start through it; a test makes a private set
// (tests/support/test_process.h).
#pragma once

#include <memory>
#include <string>

#include "app/window_positions.h"
#include "browser/browser_link.h"
#include "browser/dde_port.h"
#include "browser/desktop_port.h"
#include "common/preferences.h"
#include "common/process_wide.h"
#include "common/trace.h"
#include "history/history_file.h"
#include "history/history_ports.h"
#include "history/open_files.h"
#include "html/stored_page_rewriter.h"
#include "navigation/browser_control.h"
#include "navigation/engine_standins.h"
#include "navigation/keyword_watcher.h"
#include "navigation/navigation_clock.h"
#include "navigation/navigation_state.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "navigation/sound_list.h"
#include "navigation/url_list_windows.h"
#include "navigation/visit_tag_navigator.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"
#include "views/annotation_store.h"

namespace corvisant {

// What the platform gives the process: its ports, the reporter (null: a line on stderr) and the
// trace sink (null: the trace is discarded).
struct ProcessServices {
  PlatformPorts ports;
  Reporter* reporter = nullptr;
  TraceSink* trace = nullptr;
};

// How a run uses the store. The program prepares it, opens its files at once and leaves the
// window positions and an empty "temp" behind; a tool command only reads or changes what it
// names, opening the history and annotation store when it first needs them.
enum class StoreUse { kProgram, kTool };

struct StoreOptions {
  StoreUse use = StoreUse::kTool;
  // The folder of the sound list; empty: the Windows directory's Media folder.
  std::string mediaFolder;
  // The screen the remembered window positions are placed on.
  ScreenSize screen = kOrdinaryScreen;
};

// The objects kept in the store root, in start-up order. Each one is installed as the process-wide
// object of its type for as long as it lives; they are made when the store is opened and go in
// the shut-down's order when it is closed.
struct StoreObjects {
  explicit StoreObjects(const std::string& rootDirectory);

  ProcessOwned<StoreLocation> storeRoot;
  ProcessOwned<OpenFilesTable> openFiles;
  ProcessOwned<HistoryFile> history;
  ProcessOwned<AnnotationStore> annotations;
  ProcessOwned<SoundList> sounds;
  // With the window positions, which live in the same record.
  ProcessOwned<Preferences> preferences;
  // The appointment schedule comes here with the scheduler.
  ProcessOwned<FrameTracker> frames;
  ProcessOwned<KeywordPageWatcher, PageTextWatcher> keywordWatcher;
};

// The engine and the link to the browser, made after the store's objects in start-up order: the
// request queue with its 800 ms clock (which the program's timer or the simulation drives), the
// navigation state, the Visit-tag replay that takes the Visit tags of processed pages, the DDE
// link, the recording of visited pages, the engine's side of the link, and the browser watch:
// over the desktop when the process has one, else the stand-in that knows the browser through DDE
// alone. Until the application's windows exist, the controller is their stand-in; the History
// window and the URL list windows come with the windows (WindowPorts), the local store's dialogs
// (LocalStorageDialogs) with their subsystem.
struct EngineObjects {
  EngineObjects(DdePort& dde, DesktopPort* desktop);

  ProcessOwned<RequestQueue> queue;
  Installed<ImageDeferral> imagesToQueue{&*queue};
  ProcessOwned<NavigationState> navigation;
  ProcessOwned<NavigationClock> clock;
  ProcessOwned<RunningNavigation, NavigationLink> runningNavigation;
  ProcessOwned<VisitTagTakeOver, VisitTagReplay> visitTags;
  ProcessOwned<BrowserLink> link;
  ProcessOwned<RecordingPipeline> pipeline;
  ProcessOwned<BrowserControl> control{*link};
  Installed<BrowserLocation> browserLocation{&*control};
  Installed<BrowserTitleSource> browserTitle{&*control};
  ProcessOwned<HeadlessController, ControllerPort> controller;
  std::unique_ptr<BrowserWatch> watchObject;
  Installed<BrowserWatch> watch{watchObject.get()};
};

// What the application's windows give the layers below while the windows exist: the History
// window's line for each new visit (the history's HistoryWindowView) and the URL list windows'
// lists for the replay and the random pick (UrlListWindows). The program's windows install theirs
// when they are made; a process without windows installs none.
struct WindowPorts {
  HistoryWindowView* historyWindow = nullptr;
  UrlListWindows* listWindows = nullptr;
};

struct WindowObjects {
  explicit WindowObjects(const WindowPorts& ports)
      : historyWindow(ports.historyWindow), listWindows(ports.listWindows) {}

  Installed<HistoryWindowView> historyWindow;
  Installed<UrlListWindows> listWindows;
};

class ProcessObjects {
 public:
  // Installs the platform's services; nothing is read from the disk yet.
  explicit ProcessObjects(const ProcessServices& services);
  // Closes the store if it is open, then puts back what was installed before.
  ~ProcessObjects();
  ProcessObjects(const ProcessObjects&) = delete;
  ProcessObjects& operator=(const ProcessObjects&) = delete;

  // Start-up from the data directories on, with the working directory as the store root: for the
  // program the random generator seeded and the data directories, "version" and "entry.html"
  // made and "temp" emptied (a directory that cannot be made is reported fatally); then, for every
  // use, the store's objects made in their order, the sound list read and the preferences and
  // window positions read. An open store is closed first. False when the program's store could
  // not be prepared.
  bool OpenStore(const StoreOptions& options);
  // The shut-down's clean-up: for the program the window positions saved, the annotation store
  // closed and "temp" emptied; then, for every use, the open-files table closed with its streams
  // and every store object released.
  void CloseStore();
  bool storeOpen() const { return store_ != nullptr; }

  // The engine on the link over dde (the store open), watching the browser on desktop when the
  // process has one; one at a time. Closing takes the link down and shuts the queue down first.
  void OpenEngine(DdePort& dde, DesktopPort* desktop = nullptr);
  void CloseEngine();

  // The windows' ports (the store open), installed until CloseWindows or the store closes.
  void OpenWindows(const WindowPorts& ports);
  void CloseWindows();

  // The store's history and annotation store, opened on first use; null when the store is not open
  // or the files cannot be opened (which is not tried again before the store is opened anew).
  HistoryFile* History();
  AnnotationStore* Annotations();

 private:
  Installed<Files> files_;
  Installed<Clock> clock_;
  Installed<Random> random_;
  Installed<Sound> sound_;
  Installed<SystemFolders> folders_;
  Installed<MemoryFailureHandler> memoryFailure_;
  Installed<Reporter> reporter_;
  Installed<TraceSink> trace_;

  StoreUse use_ = StoreUse::kTool;
  enum class Opening { kNotTried, kOpen, kFailed };
  Opening history_ = Opening::kNotTried;
  Opening annotations_ = Opening::kNotTried;
  std::unique_ptr<StoreObjects> store_;
  std::unique_ptr<EngineObjects> engine_;
  std::unique_ptr<WindowObjects> windows_;
};

}  // namespace corvisant
