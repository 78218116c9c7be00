// The files that the serial and parallel ports of the Wine test prefix write to.
#include "skininstall/wine_ports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "skininstall/platform_files.h"

namespace skininstall::testing {

std::vector<std::filesystem::path> PortFiles() {
  std::vector<std::filesystem::path> files;
  const char* folder = std::getenv("PW_WINE_PORTS");
  if (!folder) return files;
  for (const char* port : {"COM", "LPT"}) {
    for (int n = 1; n <= 9; ++n) {
      files.push_back(std::filesystem::path(SystemPath(folder)) / (port + std::to_string(n)));
    }
  }
  return files;
}

void CheckPortsMapped(const std::vector<std::filesystem::path>& ports) {
  ASSERT_EQ(ports.size(), 18u) << "the ports are not mapped to files: run the tests through "
                                  "tools/scripts/test-all.sh, which maps them (map_ports)";
  for (const auto& port : ports) {
    ASSERT_TRUE(std::filesystem::is_regular_file(port)) << port;
    ASSERT_EQ(std::filesystem::file_size(port), 0u) << port;
  }
}

}  // namespace skininstall::testing
