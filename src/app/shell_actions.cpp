// Help and the vendor web page through the shell and the ".htm" association.
#include "app/shell_actions.h"

#include <windows.h>

#include <shellapi.h>

#include "app/browser_command.h"
#include "win32/file_system.h"
#include "win32/lazy_function.h"
#include "win32/ole_session.h"
#include "win32/raii.h"
#include "win32/wide_text.h"

namespace app {

const char kVendorAddress[] = "http://www.pointwick.example/support/";

namespace {

// The default value of HKEY_CLASSES_ROOT\subkey (260 characters), or "".
std::string ClassesDefault(const std::string& subkey) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, win::Widen(subkey).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
    return "";
  win::RegKey key(raw);
  wchar_t value[261] = {};
  DWORD size = 260 * sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS)
    return "";
  return win::Narrow(value);
}

bool IsExistingFile(const std::string& path) {
  return win::FileExists(path);
}

bool StartProcess(const std::string& commandLine) {
  std::wstring line = win::Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

ShellActions SystemShell() {
  // Shell32 is loaded when the user first opens a document, not with the program.
  static win::LazyFunction<decltype(ShellExecuteW)> shellExecute("shell32.dll", "ShellExecuteW");
  return ShellActions{[](const std::string& path) {
                        win::EnsureOle();
                        if (auto* open = shellExecute.Get()) {
                          open(nullptr, L"open", win::Widen(path).c_str(), nullptr, nullptr, SW_SHOW);
                        }
                      },
                      StartProcess};
}

std::string HelpFilePath() {
  std::string folder = win::ModuleFolder();
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\Help.pdf";
}

void OpenHelp(const ShellActions& shell) { shell.openDocument(HelpFilePath()); }

void OpenVendorPage(const ShellActions& shell) {
  const std::string type = ClassesDefault(".htm");
  if (type.empty()) return;
  const std::string command = ClassesDefault(type + "\\shell\\open\\command");
  const std::string line = BrowserCommandLine(command, kVendorAddress, IsExistingFile);
  if (!line.empty()) shell.startProgram(line);
}

}  // namespace app
