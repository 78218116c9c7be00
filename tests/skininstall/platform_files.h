// The storage and output files of the platform the tests run on.
#pragma once

#include <memory>
#include <string>

#include "skininstall/archive_storage.h"

namespace skininstall::testing {

std::unique_ptr<ArchiveStorage> MakePlatformStorage();
std::unique_ptr<OutputFiles> MakePlatformOutput();
// A path of the build machine as the test program sees it (under Wine: on drive Z:).
std::string SystemPath(const std::string& buildPath);

}  // namespace skininstall::testing
