// The command line that opens a web address with the program registered for ".htm" files.
#pragma once

#include <functional>
#include <string>

namespace app {

// The registered open command (as read from the registry) and the address give the command
// line to start: the command trimmed, its quotes removed, cut at the first space that ends the
// name of an existing file, and that program path quoted, then a space and the address. The
// quotes keep a program path with spaces ("C:\Program Files\...") in one piece, so that no
// "C:\Program.exe" can run in its place. Empty when there is no command.
std::string BrowserCommandLine(std::string command, const std::string& address,
                               const std::function<bool(const std::string& path)>& isFile);

}  // namespace app
