// Folder and path helpers shared by the programs.
#pragma once

#include <string>

namespace win {

// Creates `path` and every missing parent folder. Trailing backslashes are ignored;
// a drive root or an existing folder succeeds at once.
bool CreateFolderPath(const std::string& path);

// Creates the folders that a file at `filePath` needs (everything before its last backslash).
bool CreateParentFolders(const std::string& filePath);

// The folder of the running executable, with a trailing backslash ("" if it cannot be read).
std::string ModuleFolder();

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// Returns the whole content of a file, or false if it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace win
