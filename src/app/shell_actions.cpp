// Help and the vendor web page through the shell and the ".htm" association.
#include "app/shell_actions.h"

#include <windows.h>

#include <shellapi.h>

#include "app/browser_command.h"
#include "win32/file_system.h"
#include "win32/ole_session.h"
#include "win32/raii.h"

namespace app {

const char kVendorAddress[] = "http://www.pointwick.example/support/";

namespace {

// The default value of HKEY_CLASSES_ROOT\subkey (260 characters), or "".
std::string ClassesDefault(const std::string& subkey) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
    return "";
  win::RegKey key(raw);
  char value[261] = {};
  DWORD size = 260;
  DWORD type = 0;
  if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS)
    return "";
  return value;
}

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartProcess(const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

ShellActions SystemShell() {
  return ShellActions{[](const std::string& path) {
                        win::EnsureOle();
                        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
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
