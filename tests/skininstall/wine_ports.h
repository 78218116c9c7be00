// The files that the serial and parallel ports of the Wine test prefix write to.
#pragma once

#include <filesystem>
#include <vector>

namespace skininstall::testing {

// COM1-COM9 and LPT1-LPT9 as files (tools/scripts/wine-env.sh, map_ports, names the folder in
// PW_WINE_PORTS); none when the ports are not mapped.
std::vector<std::filesystem::path> PortFiles();

// Fails the test unless every port is a file, empty so far: a test that may write to a device
// name runs only then, and checks afterwards that the files are still empty.
void CheckPortsMapped(const std::vector<std::filesystem::path>& ports);

}  // namespace skininstall::testing
