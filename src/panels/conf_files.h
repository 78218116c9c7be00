// The ".conf" files of export and import: the common Save and Open dialogs that choose them,
// and the copy that export makes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace panels {

enum class ConfDialog { Save, Open };  // export, import

// The common Save or Open dialog for a ".conf" file, owned by `owner`: the chosen path, or
// nothing when the user cancels.
std::optional<std::string> AskForConfFile(HWND owner, ConfDialog which);
using ConfFileChooser = std::function<std::optional<std::string>(HWND owner, ConfDialog which)>;

// Copies a whole file over another, replacing it; true when the copy is complete.
bool CopyFileOver(const std::string& from, const std::string& to);
using FileCopier = std::function<bool(const std::string& from, const std::string& to)>;

// Copies with `copy`. When that fails, a target the attempt created or changed is removed, so
// that no partial copy passes for a backup; a target it never touched (a read-only or locked
// older backup) stays. True when the copy succeeded.
bool CopyOrRemovePartial(const std::string& from, const std::string& to, const FileCopier& copy);

}  // namespace panels
