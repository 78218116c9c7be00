// Where an archived name lands on disk, and creating the folders on the way there.
#pragma once

#include <optional>
#include <string>

#include "skininstall/archive_storage.h"

namespace skininstall {

// The name relative to the target folder: with its folders (leading backslashes removed), each
// component without the trailing dots and spaces that Windows drops. Empty when the name would
// leave the target folder: a ".." component (or one of dots that Windows trims to it), a drive
// letter or other colon; when it holds a character no Windows name holds (controls,
// * ? " < > |); when any component names a device (IsDeviceName) or is only spaces; or when
// nothing is left, as that would be the target folder itself.
std::optional<std::string> TargetName(const std::string& name);

// Windows opens a device, not a file, for a path component named CON, PRN, AUX, NUL,
// COM0-COM9, LPT0-LPT9 (also with the superscript digits 1, 2 and 3), CONIN$ or CONOUT$, in any
// case, followed by anything after a dot, with trailing spaces before the dot or at the end.
bool IsDeviceName(const std::string& component);

// True for well-formed UTF-8: no overlong forms, surrogates or values above U+10FFFF.
bool IsValidUtf8(const std::string& text);

// The longest path Windows opens without the long-path prefix, with its terminating zero,
// and the longest folder it creates (room for an 8.3 name).
constexpr size_t kMaxPath = 260;
constexpr size_t kMaxFolderPath = kMaxPath - 12;

// The length of UTF-8 text in UTF-16 units, as Windows counts it.
size_t Utf16Length(const std::string& utf8);
// The file's path and its folder are short enough for Windows.
bool FitsWindowsPath(const std::string& path);

// folder (trailing separators removed) + "\\" + relative name.
std::string JoinTarget(const std::string& folder, const std::string& relative);

// The path up to its last separator; empty when there is none.
std::string ParentOf(const std::string& path);

// Creates the folder and every missing folder above it; false when any step fails.
bool CreateFolderPath(OutputFiles& files, std::string path);

}  // namespace skininstall
