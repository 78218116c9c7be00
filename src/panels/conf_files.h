// The common Save and Open dialogs that choose the ".conf" files of export and import.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace panels {

enum class ConfDialog { Save, Open };  // export, import

// The common Save or Open dialog for a ".conf" file, owned by `owner`: the chosen path (UTF-8,
// any character Windows allows), or nothing when the user cancels.
std::optional<std::string> AskForConfFile(HWND owner, ConfDialog which);
using ConfFileChooser = std::function<std::optional<std::string>(HWND owner, ConfDialog which)>;

}  // namespace panels
