// A program of the tests (not shipped) that reads another program's keyboard focus and what a
// screen reader hears of its controls, as a screen reader would, from outside:
//   FocusProbe.exe TITLE
// TITLE names the program's main window. Each line read from stdin is a request, each answer
// one line on stdout (fields separated by tabs):
//   focus  -> window of the focus, its top-level window, the main window, role, name, and the
//             focus's rectangle in its top-level window's client pixels (left top right bottom)
//   list   -> for every child of the focus's top-level window: window, class, visible, enabled,
//             role, name, text; the children in one line, separated by "|"
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Spelled out: MinGW's import library has been seen to carry a wrong IID_IAccessible.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::string Utf8(const wchar_t* text) {
  if (!text) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

// Role number and name through the window's client object, or "-" where it has none.
std::string Accessible(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                        reinterpret_cast<void**>(&object))) || !object)
    return "-\t-";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{};
  std::string roleText = "-";
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) roleText = std::to_string(role.lVal);
  BSTR name = nullptr;
  std::string nameText;
  if (SUCCEEDED(object->get_accName(self, &name))) nameText = Utf8(name);
  SysFreeString(name);
  object->Release();
  return roleText + "\t" + nameText;
}

HWND FocusOf(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::string Hex(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", static_cast<void*>(window));
  return text;
}

void AnswerFocus(HWND main) {
  HWND focus = FocusOf(main);
  RECT r{};
  GetClientRect(focus, &r);
  MapWindowPoints(focus, GetAncestor(focus, GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
  std::printf("%s\t%s\t%s\t%s\t%ld %ld %ld %ld\n", Hex(focus).c_str(), Hex(GetAncestor(focus, GA_ROOT)).c_str(),
              Hex(main).c_str(), focus ? Accessible(focus).c_str() : "-\t-", r.left, r.top, r.right, r.bottom);
}

void AnswerList(HWND main) {
  HWND focus = FocusOf(main);
  HWND root = focus ? GetAncestor(focus, GA_ROOT) : main;
  std::string line;
  for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!line.empty()) line += "|";
    char cls[64] = {}, text[256] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    line += Hex(child) + "\t" + cls + "\t" + (IsWindowVisible(child) ? "1" : "0") + "\t" +
            (IsWindowEnabled(child) ? "1" : "0") + "\t" + Accessible(child) + "\t" + text;
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  CoInitialize(nullptr);
  HWND main = nullptr;
  for (int i = 0; i < 300 && !main; ++i, Sleep(100)) main = FindWindowA(nullptr, argv[1]);
  std::string request;
  while (std::getline(std::cin, request)) {
    if (!request.empty() && request.back() == '\r') request.pop_back();
    if (request == "focus") AnswerFocus(main);
    else if (request == "list") AnswerList(main);
    else std::printf("?\n");
    std::fflush(stdout);
  }
  CoUninitialize();
  return 0;
}
