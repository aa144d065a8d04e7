// The controller's buttons against the engine and the browser in the process.
#include "app/controller.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "app/resources/resource_ids.h"
#include "navigation/navigation_state.h"
#include "tests/support/test_process.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

struct PictureBoard : ControllerView {
  bool Exists() override { return true; }
  void ShowPicture(int button, int bitmap) override { shown[button] = bitmap; }
  void RedrawNow(int) override {}
  std::map<int, int> shown;
};

struct ControllerRun {
  ControllerRun() {
    simulation::SimulationOptions options;
    options.siteDirectory = process.root();
    sim.emplace(process.process(), options);
    // In place of the engine's stand-in, and gone before the engine goes.
    installed.emplace(&controller);
    controller.SetMainFrameExists(true);
  }
  ~ControllerRun() {
    installed.reset();
    sim.reset();
  }
  testing::TestProcess process;
  std::optional<simulation::Simulation> sim;
  PictureBoard board;
  Controller controller{board};
  std::optional<Installed<ControllerPort>> installed;
};

TEST(Controller, ButtonsRunTheirActionsOrSpringBack) {
  const struct {
    const char* name;
    bool linkUp;
    int navigationMethod;
    int button;
    int state;     // the button's state afterwards
    int picture;   // the picture it shows
    bool running;  // a run is current afterwards
  } cases[] = {
      {"Rec switches local copies", true, 0x41, button::kRec, 0, IDB_CONTROLLER_REC_UP, false},
      {"Track switches the history", true, 0x41, button::kTrack, 0, IDB_CONTROLLER_TRACK_UP, false},
      {"Auto navi. with the link down stays up", false, 0x41, button::kAutoNavigation, 0,
       IDB_CONTROLLER_AUTO_NAVI_UP, false},
      {"Auto navi. with an empty history: a crawl without start that ends at once", true, 0x41,
       button::kAutoNavigation, 0, IDB_CONTROLLER_AUTO_NAVI_UP, false},
      {"Auto navi. random from a list without a list window: nothing runs", true, 0x48,
       button::kAutoNavigation, 1, IDB_CONTROLLER_AUTO_NAVI_DOWN, false},
      {"Forward without a list window stays up", true, 0x41, button::kForward, 0,
       IDB_CONTROLLER_FORWARD_UP, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ControllerRun run;
    Preferences& preferences = run.process.preferences();
    run.controller.SetButtonPicture(button::kRec, preferences.keepLocalCopies);
    run.controller.SetButtonPicture(button::kTrack, preferences.recordHistory);
    preferences.navigationMethod = c.navigationMethod;
    if (!c.linkUp) run.controller.SetButton(button::kOn, button::kUp);
    run.controller.Click(c.button);
    EXPECT_EQ(run.controller.GetButtonState(c.button), c.state);
    EXPECT_EQ(run.board.shown[c.button], c.picture);
    EXPECT_EQ(NavigatorRuns(), c.running);
    EXPECT_EQ(preferences.keepLocalCopies + preferences.recordHistory,
              c.button == button::kRec || c.button == button::kTrack ? 1 : 2);
  }
}

TEST(Controller, AManualPageIsOpenedWithTheLinkUpForItOrReported) {
  ControllerRun run;
  run.controller.SetButton(button::kOn, button::kUp);
  std::string page = std::string(kDocumentDirectory) + "\\manual.html";
  run.process.files().MakeDirectory(kDocumentDirectory);
  ASSERT_TRUE(run.process.Write(page, "<title>Manual</title>"));
  run.controller.ShowManualPage("manual.html");
  EXPECT_EQ(run.process.preferences().linkOn, 0);
  EXPECT_EQ(run.sim->browser().browser().windows().front().title, "Manual");
  run.controller.ShowManualPage("missing.html");
  EXPECT_EQ(run.process.reporter.Lines(), "40021 1 0 \"missing.html\"\n");
}

}  // namespace
}  // namespace corvisant
