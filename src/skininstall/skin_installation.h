// The installation run of the skin installer: every archive entry into the skins folder.
#pragma once

#include <functional>
#include <string>

#include "skininstall/zip_archive.h"

namespace skininstall {

// The fixed password of the skin package.
inline constexpr char kSkinPassword[] = "plovardik3817";
inline constexpr size_t kInstallBufferSize = 65535;

// Opens the archive (its errors are raised to the caller: nothing is installed then), checks
// that the declared sizes fit on the target drive, then extracts entry after entry with kept
// paths, calling setPosition with (i + 1) x 100 / N after each. A package that does not fit
// installs nothing; the first entry that fails ends the run, its open state closed after the
// error. Returns true when every entry was installed.
bool InstallSkins(ZipArchive& archive, const std::string& archivePath,
                  const std::string& targetFolder, const std::function<void(double)>& setPosition);

}  // namespace skininstall
