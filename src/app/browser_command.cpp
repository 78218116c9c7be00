// Building the browser's command line from the registered ".htm" open command.
#include "app/browser_command.h"

#include <algorithm>

namespace app {
namespace {

std::string Trimmed(const std::string& text) {
  const char* space = " \t\r\n";
  const auto first = text.find_first_not_of(space);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(space) - first + 1);
}

// The program the command starts: the text before the first space that ends an existing file's
// name, or the whole command when it names a file itself. When no part names a file, only a
// bare first word can be meant (a program found on the search path); a path that leads nowhere
// gives nothing, since any part of it could name some other program ("C:\Program" + ".exe").
std::string ProgramPart(const std::string& command,
                        const std::function<bool(const std::string& path)>& isFile) {
  for (std::size_t space = command.find(' '); space != std::string::npos;
       space = command.find(' ', space + 1)) {
    if (isFile(command.substr(0, space))) return command.substr(0, space);
  }
  if (isFile(command)) return command;
  const std::string first = command.substr(0, command.find(' '));
  return first.find_first_of("\\/:") == std::string::npos ? first : "";
}

}  // namespace

std::string BrowserCommandLine(std::string command, const std::string& address,
                               const std::function<bool(const std::string& path)>& isFile) {
  command = Trimmed(command);
  command.erase(std::remove(command.begin(), command.end(), '"'), command.end());
  if (command.empty()) return "";
  const std::string program = ProgramPart(command, isFile);
  return program.empty() ? "" : "\"" + program + "\" " + address;
}

}  // namespace app
