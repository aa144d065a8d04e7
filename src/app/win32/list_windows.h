// The URL list windows' part of the program, made at start-up once the store and the preference
// record exist and released before them: the window classes registered, the two fonts made, the
// history's window line, the windows' lists for the replay and the font listener installed.
// Releasing it closes every URL list window.
#pragma once

#include <string>

#include "app/process_objects.h"
#include "app/win32/url_list_window.h"
#include "app/win32/url_list_window_navigation.h"
#include "app/win32/window_fonts.h"
#include "common/preferences.h"

namespace corvisant {

class ListWindows : public FontListener {
 public:
  explicit ListWindows(ProcessObjects& process);
  ~ListWindows() override;
  ListWindows(const ListWindows&) = delete;
  ListWindows& operator=(const ListWindows&) = delete;

  // userFont changed: every URL list window takes the new one.
  void FontChanged(int size, const std::string& face) override;

 private:
  ProcessObjects& process_;
  WindowFonts fonts_;
  Installed<WindowFonts> installedFonts_{&fonts_};
  HistoryWindowLine historyLine_;
  Win32UrlListWindows listWindows_;
};

}  // namespace corvisant
