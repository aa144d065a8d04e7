// Random from the local store ("random from, local storage"): a stored HTML page drawn through
// the density files, so that a directory is chosen in proportion to its pages. The files are made
// by a walk over the store when they are missing or the user asks for it, and kept for later
// runs. The run never ends by itself.
#pragma once

#include "navigation/density_files.h"
#include "navigation/navigator.h"
#include "navigation/scanning_progress.h"

namespace corvisant {

class LocalStorageNavigator : public Navigator {
 public:
  // Asks whether existing density files are used again, and makes them anew when they are
  // missing or the user says "recreate".
  LocalStorageNavigator();

  int kind() const override { return navigator_kind::kLocalStorage; }
  std::string nextUrl() override;

  int entryCount() const { return entryCount_; }

 private:
  void Rebuild();
  bool Walk(ScanProgress& progress);
  bool WalkDirectory(const std::string& name, std::uint32_t parent, ScanProgress& progress);
  // The file: URL of the HTML file drawn for entry i, or empty when it cannot be had.
  std::string Pick(int i);

  DensityFiles files_;
  int entryCount_ = 0;
};

NavigatorPtr MakeLocalStorageNavigator();

}  // namespace corvisant
