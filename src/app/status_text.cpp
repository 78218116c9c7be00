// Status line texts: one row per event, the file's name after the row's words.
#include "app/status_text.h"

namespace app {
namespace {

struct StatusRow {
  StatusEvent event;
  const char* words;
  bool namesFile;
};
constexpr StatusRow kRows[] = {
    {StatusEvent::Saved, "Settings saved", false},
    {StatusEvent::Exported, "Settings exported to ", true},
    {StatusEvent::Imported, "Settings imported from ", true},
};

// Either separator ends a folder: the common dialogs give backslashes, other callers may not.
std::string_view FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string StatusText(StatusEvent event, std::string_view path) {
  for (const StatusRow& row : kRows) {
    if (row.event != event) continue;
    std::string text = row.words;
    if (row.namesFile) text += FileNameOf(path);
    return text;
  }
  return {};
}

}  // namespace app
