// The texts of the main window's status line: what the last save, export or import did.
#pragma once

#include <string>
#include <string_view>

namespace app {

enum class StatusEvent { Saved, Exported, Imported };

// The line for an event. path (UTF-8) is the file of an export or an import; the line names
// the file alone, not its folder.
std::string StatusText(StatusEvent event, std::string_view path = {});

}  // namespace app
