// Status line texts: the event's words, and the file's name without its folder.
#include <gtest/gtest.h>

#include "app/status_text.h"

namespace {

TEST(StatusText, EachEventHasItsLineAndNamesTheFileAlone) {
  using app::StatusEvent;
  const struct {
    StatusEvent event;
    const char* path;
    const char* text;
  } kCases[] = {
      {StatusEvent::Saved, "", "Settings saved"},
      {StatusEvent::Exported, "C:\\users\\me\\Documents\\mouse.conf", "Settings exported to mouse.conf"},
      {StatusEvent::Imported, "D:/backup/old.conf", "Settings imported from old.conf"},
      {StatusEvent::Imported, "plain.conf", "Settings imported from plain.conf"},
      {StatusEvent::Exported, "C:\\users\\\xC5\x81ukasz\\\xE6\x97\xA5.conf", "Settings exported to \xE6\x97\xA5.conf"},
  };
  for (const auto& c : kCases) EXPECT_EQ(app::StatusText(c.event, c.path), c.text) << c.path;
}

}  // namespace
