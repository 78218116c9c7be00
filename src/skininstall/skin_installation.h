// The installation run of the skin installer: every archive entry into the skins folder.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "skininstall/zip_archive.h"

namespace skininstall {

// The fixed password of the skin package.
inline constexpr char kSkinPassword[] = "plovardik3817";
inline constexpr size_t kInstallBufferSize = 65535;

// Why an installation stopped, in words for the user.
struct InstallFailure {
  int entry = -1;        // -1: before any entry
  std::string name;      // the entry's name as the archive gives it
  std::string reason;    // what is wrong with it
  unsigned long systemError = 0;  // the file system's error code, when it was one
  std::string folder;    // the target folder, when no file can be made in it
};

// Opens the archive (its errors are raised to the caller: nothing is installed then), refuses a
// split archive and a target folder that takes no new files (a standard user's run under
// Program Files, read-only media), checks that the declared sizes fit on the target drive and that no two entries
// land on one name once Windows has folded them, then extracts entry after entry with kept
// paths, calling setPosition with (i + 1) x 100 / N after each. A package that does not fit or
// holds names that collide installs nothing; the first entry that fails ends the run, its open
// state closed after the error, and is returned.
std::optional<InstallFailure> InstallSkins(ZipArchive& archive, OutputFiles& output,
                                           const std::string& archivePath,
                                           const std::string& targetFolder,
                                           const std::function<void(double)>& setPosition,
                                           const std::string& password = kSkinPassword);

// The first entry whose target path Windows takes for that of an earlier entry (letter case,
// trailing dots and spaces, either separator, a file where a folder goes), or none.
std::optional<InstallFailure> FindFoldedCollision(const ZipArchive& archive, OutputFiles& output);

}  // namespace skininstall
