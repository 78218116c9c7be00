// Native test runs use the standard-library file system.
#include "skininstall/platform_files.h"
#include "skininstall/std_files.h"

namespace skininstall::testing {

std::unique_ptr<ArchiveStorage> MakePlatformStorage() { return std::make_unique<StdArchiveStorage>(); }
std::unique_ptr<OutputFiles> MakePlatformOutput() { return std::make_unique<StdOutputFiles>(); }
std::string SystemPath(const std::string& buildPath) { return buildPath; }

}  // namespace skininstall::testing
