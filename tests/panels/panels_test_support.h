// Helpers of the pointer panel tests under Wine: a settings session in a scratch folder, a
// script that answers nested modal windows, real input through xdotool, and profile files read
// back key by key.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/profile_set.h"

namespace panelstest {

// Answers the modal windows of this thread one step at a time, as a user would act on the
// window in front. A step gets the window that accepts input now (the enabled, visible
// top-level window of ours in front) and returns true when it acted on it; otherwise it is
// asked again at the next tick. Ticks come only when the queue is empty, so a step sees what
// the previous one set off. A script that makes no progress for 30 s closes the window in
// front, so that a broken test fails instead of hanging.
class ModalScript {
 public:
  using Step = std::function<bool(HWND front)>;
  explicit ModalScript(std::vector<Step> steps);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  // How many steps have acted.
  std::size_t Done() const { return next_; }
  bool Finished() const { return next_ == steps_.size(); }
  // Every window that was in front at a tick, in the order they came.
  const std::vector<HWND>& Seen() const { return seen_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  std::vector<HWND> seen_;
  UINT_PTR timer_ = 0;
  DWORD lastProgress_ = 0;
};

// The rectangle a skin description gives an entry ("skins\\<ini>" of the default skin).
RECT SkinRect(const char* ini, const char* section, int entry);
POINT Centre(const RECT& r);

// The enabled, visible top-level window of ours in front, or null.
HWND FrontWindow();
// Clicks the button a skinned window made for a skin index.
void ClickControl(HWND window, int index);

// Starts xdotool on the test's own X display with these arguments ("mousemove 10 20 click 1");
// false when it is not installed. It runs on its own: the test waits for what the input does.
bool RunXdotool(const std::string& arguments);

// Every key of an INI file, by lower-case section and key.
using IniKeys = std::map<std::string, std::map<std::string, std::string>>;
IniKeys ReadIniKeys(const std::string& path);

// The problems of a profile file as the device service would meet them: a missing [Setting]
// key or record, a value outside its range, an unaccepted function code. Empty when valid.
std::vector<std::string> ProfileFileProblems(const std::string& path);

// A record with events, as the macro editor stores one.
settings::ButtonAssignment MacroRecord(int button, int code, int events);

}  // namespace panelstest
