// Pointer panel test helpers: folders, the modal script, xdotool, profile files read back.
#include "panels_test_support.h"

#include <cstdio>

#include "skin/skin_file.h"
#include "skin/skinned_dialog.h"
#include "support/win_test_support.h"
#include "win32/window.h"

namespace panelstest {
namespace {

ModalScript* g_script = nullptr;
constexpr UINT kTickMs = 30;
constexpr DWORD kGiveUpMs = 30000;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

BOOL CALLBACK FindFront(HWND hwnd, LPARAM found) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || !win::WindowObject::FromHandle(hwnd))
    return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;  // the first in z-order is in front
}

// The [Setting] keys the program writes, with their valid ranges.
struct SettingRange {
  const char* key;
  int low, high;
};
constexpr SettingRange kSettingRanges[] = {
    {"Profile", 0, 4},           {"TrayEnabled", 0, 1},
    {"Buttons", 1, 9},           {"UniversalScrollEnabled", 0, 1},
    {"AccelerationEnabled", 0, 1}, {"AutoSaveEnable", 0, 1},
    {"ActiveFlyEnable", 0, 1},   {"OFASensitivityEnabled", 0, 1},
    {"OFASensitivityViewable", 0, 1}, {"XYSensitivityEnabled", 0, 1},
    {"OFASensitivity", 0, 18},   {"SpeedX", 0, 18},
    {"SpeedY", 0, 18},           {"LedState", 0, 3},
};

}  // namespace


RECT SkinRect(const char* ini, const char* section, int entry) {
  const skin::SkinItem item = skin::SkinFile(testing_support::DefaultSkinFolder(), std::string("skins\\") + ini).ReadItem(section, entry);
  return RECT{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
  g_script = this;
  lastProgress_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, kTickMs, OnTick);
}

ModalScript::~ModalScript() {
  if (timer_) KillTimer(nullptr, timer_);
  g_script = nullptr;
}

void CALLBACK ModalScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_script) g_script->Tick();
}

void ModalScript::Tick() {
  HWND front = FrontWindow();
  if (front && (seen_.empty() || seen_.back() != front)) seen_.push_back(front);
  if (next_ < steps_.size() && front && steps_[next_](front)) {
    ++next_;
    lastProgress_ = GetTickCount();
    return;
  }
  if (GetTickCount() - lastProgress_ > kGiveUpMs && front) {
    PostMessageA(front, WM_CLOSE, 0, 0);
    lastProgress_ = GetTickCount();
  }
}

HWND FrontWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindFront, reinterpret_cast<LPARAM>(&found));
  return found;
}

void ClickControl(HWND window, int index) {
  auto* dialog = win::WindowFrom<skin::SkinnedDialog>(window);
  if (HWND control = dialog ? dialog->Control(index) : nullptr)
    PostMessageA(control, BM_CLICK, 0, 0);
}

bool RunXdotool(const std::string& arguments) {
  const char* exe = "Z:\\usr\\bin\\xdotool";
  if (GetFileAttributesA(exe) == INVALID_FILE_ATTRIBUTES) return false;
  std::string commandLine = "/usr/bin/xdotool " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Wine starts a Unix program itself and hands back no process handles.
  if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  return true;
}

IniKeys ReadIniKeys(const std::string& path) {
  IniKeys keys;
  std::vector<char> names(1 << 16);
  GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
  for (const char* section = names.data(); *section; section += lstrlenA(section) + 1) {
    std::vector<char> lines(1 << 16);
    GetPrivateProfileSectionA(section, lines.data(), static_cast<DWORD>(lines.size()), path.c_str());
    auto& into = keys[Lower(section)];
    for (const char* line = lines.data(); *line; line += lstrlenA(line) + 1) {
      const std::string text = line;
      const std::size_t eq = text.find('=');
      into[Lower(text.substr(0, eq))] = eq == std::string::npos ? "" : text.substr(eq + 1);
    }
  }
  return keys;
}

std::vector<std::string> ProfileFileProblems(const std::string& path) {
  std::vector<std::string> problems;
  for (const SettingRange& range : kSettingRanges) {
    char text[64] = {};
    GetPrivateProfileStringA("Setting", range.key, "", text, sizeof text, path.c_str());
    const int value = GetPrivateProfileIntA("Setting", range.key, -1, path.c_str());
    if (!*text || value < range.low || value > range.high)
      problems.push_back(std::string(range.key) + "=" + text);
  }
  for (int p = 0; p < settings::kProfileCount; ++p) {
    for (int b = 1; b <= settings::kButtonCount; ++b) {
      const std::string section = "GROUP" + std::to_string(p);
      const std::string key = "ButtonAssigned" + std::to_string(b);
      settings::ButtonAssignment record{};
      if (!GetPrivateProfileStructA(section.c_str(), key.c_str(), &record, sizeof record, path.c_str()))
        problems.push_back(section + "/" + key + " unreadable");
      else if (!settings::IsAcceptedCode(record.code) || record.macroOption > 1)
        problems.push_back(section + "/" + key + " code " + std::to_string(record.code));
    }
  }
  return problems;
}

settings::ButtonAssignment MacroRecord(int button, int code, int events) {
  settings::ButtonAssignment record{};
  record.button = static_cast<std::uint8_t>(button);
  record.code = static_cast<std::uint8_t>(code);
  record.macroOption = 1;
  record.eventCount = static_cast<std::uint8_t>(events);
  for (int i = 0; i < events && i < settings::kEventSlots; ++i)
    record.events[i] = settings::KeyEvent{static_cast<std::uint8_t>(4 + i), static_cast<std::uint8_t>(i % 2)};
  return record;
}

}  // namespace panelstest
