// Where an archived name lands on disk, and creating the folders on the way there.
#pragma once

#include <optional>
#include <string>

#include "skininstall/archive_storage.h"

namespace skininstall {

// The name relative to the target folder: with its folders (leading backslashes removed) or
// only its file title and extension. Empty when the name would leave the target folder: a
// ".." component (or one of dots that Windows trims to it), a drive letter or other colon,
// or a NUL byte. A file needs a non-empty name; a folder entry may be the target itself.
std::optional<std::string> TargetName(const std::string& name, bool keepPaths, bool isFolder);

// folder (trailing separators removed) + "\\" + relative name.
std::string JoinTarget(const std::string& folder, const std::string& relative);

// The path up to its last separator; empty when there is none.
std::string ParentOf(const std::string& path);

// Creates the folder and every missing folder above it; false when any step fails.
bool CreateFolderPath(OutputFiles& files, std::string path);

}  // namespace skininstall
