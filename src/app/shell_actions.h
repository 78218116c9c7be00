// What the main window hands to the shell: the help file and the vendor web page. Tests give
// the window their own ShellActions to see what would have been opened or started.
#pragma once

#include <functional>
#include <string>

namespace app {

extern const char kVendorAddress[];

struct ShellActions {
  // Opens a document with the shell's "open" verb.
  std::function<void(const std::string& path)> openDocument;
  // Starts a program from a command line, shown normally; false when it could not start.
  std::function<bool(const std::string& commandLine)> startProgram;
};

// The real shell and process start.
ShellActions SystemShell();

// "Help.pdf" in the executable's folder.
std::string HelpFilePath();
// Opens the help file.
void OpenHelp(const ShellActions& shell);
// Opens the vendor web page with the program registered for ".htm"; nothing when there is none.
void OpenVendorPage(const ShellActions& shell);

}  // namespace app
