// The installation run of the skin installer.
#include "skininstall/skin_installation.h"

#include <cstdint>

namespace skininstall {

bool InstallSkins(ZipArchive& archive, const std::string& archivePath,
                  const std::string& targetFolder, const std::function<void(double)>& setPosition) {
  archive.OpenArchive(archivePath, ZipArchive::kReadOnly, 0);
  archive.SetPassword(kSkinPassword);
  const int count = archive.GetCount();
  const long double step = count > 0 ? 100.0L / count : 0.0L;
  bool failed = false;
  try {
    archive.CheckFreeSpace(targetFolder);
  } catch (const std::exception&) {
    failed = true;
  }
  // A 16-bit index would never reach the end of a Zip64 archive of 65,536 entries or more.
  for (int i = 0; i < count && !failed; ++i) {
    try {
      // An entry whose data ended early reports it only by returning false: that is a failed
      // entry as much as one that raised an error.
      if (!archive.ExtractEntry(i, targetFolder, true, nullptr, nullptr, nullptr,
                                kInstallBufferSize)) {
        failed = true;
        break;
      }
    } catch (const std::exception&) {
      failed = true;
      break;
    }
    setPosition(static_cast<double>((i + 1) * step));
  }
  if (failed) archive.CloseEntry(nullptr, true);
  return !failed;
}

}  // namespace skininstall
