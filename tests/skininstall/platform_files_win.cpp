// Test runs under Wine use the Windows file system; the build tree is on drive Z:.
#include <algorithm>

#include "skininstall/platform_files.h"
#include "skininstall/win_files.h"

namespace skininstall::testing {

std::unique_ptr<ArchiveStorage> MakePlatformStorage() { return std::make_unique<WinArchiveStorage>(); }
std::unique_ptr<OutputFiles> MakePlatformOutput() { return std::make_unique<WinOutputFiles>(); }
std::string SystemPath(const std::string& buildPath) {
  std::string path = "Z:" + buildPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace skininstall::testing
