// The browser's command line from the registered ".htm" command: cut where a file ends, and
// the program path always quoted.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/browser_command.h"

namespace {

TEST(BrowserCommandTest, TheProgramPathIsCutAndQuoted) {
  const std::set<std::string> files = {"C:\\Program Files\\Browser\\browser.exe", "C:\\Program.exe",
                                       "C:\\web\\view.exe"};
  const auto isFile = [&](const std::string& path) { return files.count(path) != 0; };
  struct Case {
    const char* command;
    const char* line;
  };
  const Case cases[] = {
      // A path with spaces stays one quoted program, even with "C:\Program.exe" lying in wait.
      {"\"C:\\Program Files\\Browser\\browser.exe\" -url \"%1\"", "\"C:\\Program Files\\Browser\\browser.exe\" ADDR"},
      {"  C:\\Program Files\\Browser\\browser.exe  ", "\"C:\\Program Files\\Browser\\browser.exe\" ADDR"},
      {"C:\\web\\view.exe %1", "\"C:\\web\\view.exe\" ADDR"},
      // Nothing names a file: only the first word can be a program on the search path.
      {"viewer.exe -new %1", "\"viewer.exe\" ADDR"},
      {"C:\\Program Files\\Gone\\x.exe", ""},
      {"", ""},
      {"  \"\" ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(app::BrowserCommandLine(c.command, "ADDR", isFile), c.line) << c.command;
}

}  // namespace
