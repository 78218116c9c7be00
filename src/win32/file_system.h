// Folder and file helpers shared by the programs. Paths are UTF-8 (see wide_text.h).
#pragma once

#include <string>

#include "win32/whole_file.h"

namespace win {

// Creates `path` and every missing parent folder. Trailing backslashes are ignored;
// a drive root or an existing folder succeeds at once.
bool CreateFolderPath(const std::string& path);

// Creates the folders that a file at `filePath` needs (everything before its last backslash).
bool CreateParentFolders(const std::string& filePath);

// The folder of the running executable, with a trailing backslash ("" if it cannot be read).
std::string ModuleFolder();

// A folder of the user's shell by its CSIDL (CSIDL_APPDATA, CSIDL_PERSONAL, with CSIDL_FLAG_CREATE
// as the system takes it); empty when there is none.
std::wstring ShellFolder(int csidl);

// True when `path` names an existing folder, or an existing file.
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);

// Returns the whole content of a file, or false if it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

// The content of a file that may not exist yet: a missing file or folder reads as empty.
// Anything else that keeps it from being read is a fault naming `path`.
FileResult ReadFileIfAny(const std::string& path, std::string& content);

// The fault a system error code stands for.
FileFault FaultOfError(unsigned long error);

// The system's files, for WriteWholeFile.
FileLayer& SystemFiles();

// WriteWholeFile through the system, after creating the folders the file needs.
FileResult WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace win
