// The "windowpos" file and the placing rules of the three windows whose positions survive a
// restart: the menu-bar window, the history's URL list window and the Finder.
#pragma once

#include <string>
#include <string_view>

#include "common/preferences.h"

namespace corvisant {

constexpr const char* kWindowPositionsFileName = "windowpos";

// The screen in pixels; the Windows side asks the system for it.
struct ScreenSize {
  int width;
  int height;
};

// A screen of ordinary size, for callers that have no screen to ask.
constexpr ScreenSize kOrdinaryScreen = {1024, 768};

// The rules of the Set ... position operations: the origin kept on the screen (at least 50
// pixels of the window visible), the menu bar 500 by 300, the Finder 330 by 225, the history as
// given but at least 180 by 180.
WindowRect NormaliseMenuBarPosition(const WindowRect& rect, ScreenSize screen);
WindowRect NormaliseHistoryPosition(const WindowRect& rect, ScreenSize screen);
WindowRect NormaliseFinderPosition(const WindowRect& rect, ScreenSize screen);

// Called by the windows whenever they are moved or sized.
void SetMenuBarPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen);
void SetHistoryPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen);
void SetFinderPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen);

// Where the history window opens: the remembered rectangle; a rectangle never remembered (left
// and top 0) is 350 by 420 at the left edge, 3 pixels below the menu-bar window; a rectangle over
// a menu-bar window near the screen's top left corner moves down below it, keeping its size. The
// result is handed to SetHistoryPosition, which gives the window its final place.
WindowRect PlaceHistoryWindow(const WindowRect& remembered, const WindowRect& menuBar);

// A window of width by height whose top-left corner is at (x, y), the corner kept on the screen
// as every window origin is (a list window made from a selection opens at the mouse cursor).
WindowRect PlaceWindowAt(int x, int y, int width, int height, ScreenSize screen);

// The controller of width by height right below the menu-bar window's frame: under the frame's
// left edge when that is on the screen's left half, else with its right edge under the frame's;
// never above or left of the screen, never past its right edge.
WindowRect PlaceController(const WindowRect& frame, int width, int height, ScreenSize screen);

// The three lines of the file, menu bar, history, Finder: "MenuBarWindow = L T R B".
std::string FormatWindowPositions(const Preferences& preferences);

// Writes the file (mode "wb"); a file that cannot be written is silently skipped.
bool SaveWindowPositions(const Preferences& preferences);

// Applies the default positions, then reads the file's rectangles over them as they stand,
// without normalising. A rectangle the text does not reach keeps the default in the numbers it
// lacks. True when the file was there.
bool LoadWindowPositions(Preferences& preferences, ScreenSize screen);
void ApplyDefaultWindowPositions(Preferences& preferences, ScreenSize screen);
// Reads the rectangles of text over the record.
void ParseWindowPositions(std::string_view text, Preferences& preferences);

}  // namespace corvisant
