// MainWindow: the configuration program's one top-level window (dialog template 102).
#pragma once

#include <string>

#include "settings/profile_set.h"
#include "settings/settings_store.h"
#include "win32/dialog.h"
#include "win32/raii.h"

namespace app {

extern const char kMainWindowTitle[];  // "Mouse Driver"

class MainWindow : public win::Dialog {
 public:
  MainWindow();

  settings::ProfileSet& CurrentSettings() { return current_; }
  const settings::ProfileSet& BaselineSettings() const { return baseline_; }
  const settings::ProfilePaths& Paths() const { return paths_; }
  const std::string& VersionText() const { return versionText_; }

 protected:
  LRESULT OnCreate() override;
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);

  void FixProgramFolder();
  void LoadIcon();
  void PaintMinimised(HDC dc);

  char savedDirectory_[MAX_PATH] = {};
  win::Icon icon_;
  settings::ProfilePaths paths_;
  std::string versionText_;
  settings::ProfileSet scratch_{};
  settings::ProfileSet current_{};
  settings::ProfileSet baseline_{};
  bool sensitivityOpen_ = false;
  bool advancedOpen_ = false;
  bool keyOpen_ = false;
};

}  // namespace app
