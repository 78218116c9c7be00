// What the installer test asks Windows about, from inside the test's Wine prefix. Each answer is
// written to a file (Wine's background programs would hold a pipe open):
//   installer_probe shortcut LNK OUT           OUT: target, arguments, icon file, icon index
//   installer_probe window CLASS TITLE OUT     OUT: visible, region type, image and id of the
//                                              owner process, the image of its parent; "none"
//                                              when no such top-level window
//   installer_probe texts TITLE OUT            OUT: the texts of the controls of every visible
//                                              top-level window whose title begins with TITLE
//   installer_probe opened OUT DOCUMENT        as the shell's "open" command of a document type:
//                                              appends DOCUMENT to OUT
// CLASS "-" means any class. Lines of OUT are separated by newlines. Exit code 0 on success.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

bool WriteLines(const char* path, const std::string& text, const char* mode = "wb") {
  FILE* f = std::fopen(path, mode);
  if (!f) return false;
  std::fputs(text.c_str(), f);
  return std::fclose(f) == 0;
}

HWND FindTopWindow(const char* windowClass, const char* title) {
  return FindWindowA(std::string(windowClass) == "-" ? nullptr : windowClass, title);
}

int Shortcut(const char* link, const char* out) {
  if (FAILED(CoInitialize(nullptr))) return 2;
  int status = 1;
  IShellLinkA* shell = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shell)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH);
      if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char target[MAX_PATH] = "", arguments[1024] = "", icon[MAX_PATH] = "";
        int iconIndex = 0;
        shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        shell->GetArguments(arguments, sizeof arguments);
        shell->GetIconLocation(icon, MAX_PATH, &iconIndex);
        const std::string text = std::string(target) + "\n" + arguments + "\n" + icon + "\n" +
                                 std::to_string(iconIndex) + "\n";
        status = WriteLines(out, text) ? 0 : 2;
      }
      file->Release();
    }
    shell->Release();
  }
  CoUninitialize();
  return status;
}

std::string ImageOf(DWORD processId) {
  char image[MAX_PATH] = "";
  if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, image, &size);
    CloseHandle(process);
  }
  return image;
}

DWORD ParentOf(DWORD processId) {
  DWORD parent = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{sizeof entry};
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == processId) parent = entry.th32ParentProcessID;
  }
  CloseHandle(snapshot);
  return parent;
}

int Window(const char* windowClass, const char* title, const char* out) {
  HWND window = FindTopWindow(windowClass, title);
  if (!window) return WriteLines(out, "none\n") ? 0 : 2;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int regionType = GetWindowRgn(window, region);
  DeleteObject(region);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const std::string text = std::string(IsWindowVisible(window) ? "visible" : "hidden") + "\n" +
                           std::to_string(regionType) + "\n" + ImageOf(processId) + "\n" +
                           std::to_string(processId) + "\n" + ImageOf(ParentOf(processId)) + "\n";
  return WriteLines(out, text) ? 0 : 2;
}

BOOL CALLBACK AddText(HWND child, LPARAM texts) {
  char text[512] = "";
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) *reinterpret_cast<std::string*>(texts) += std::string(text) + "\n";
  return TRUE;
}

struct TextSearch {
  std::string title;
  std::string texts;
  bool found = false;
};

BOOL CALLBACK AddWindowTexts(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<TextSearch*>(search);
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  if (!IsWindowVisible(window) || std::string(title).rfind(s.title, 0) != 0) return TRUE;
  s.found = true;
  EnumChildWindows(window, AddText, reinterpret_cast<LPARAM>(&s.texts));
  return TRUE;
}

int Texts(const char* title, const char* out) {
  TextSearch search{title};
  EnumWindows(AddWindowTexts, reinterpret_cast<LPARAM>(&search));
  return WriteLines(out, search.found ? search.texts : "none\n") ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "shortcut" && argc == 4) return Shortcut(argv[2], argv[3]);
  if (command == "window" && argc == 5) return Window(argv[2], argv[3], argv[4]);
  if (command == "texts" && argc == 4) return Texts(argv[2], argv[3]);
  if (command == "opened" && argc == 4)
    return WriteLines(argv[2], std::string(argv[3]) + "\n", "ab") ? 0 : 2;
  std::fprintf(stderr, "usage: see the head of installer_probe.cpp\n");
  return 3;
}
