// The tray companion's profile switch, run many times from a process of its own:
//   SwitchProbe.exe PROFILE_FILE COUNT
// Switches the stored profile COUNT times through the companion's writer; the exit code is the
// number of writes that failed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/companion_writes.h"

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  const std::string path = argv[1];
  const int count = std::atoi(argv[2]);
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    const win::FileResult result = settings::SwitchStoredProfile(path, 1 + i % 4).file;
    if (result.Ok()) continue;
    ++failed;
    std::fprintf(stderr, "switch %d: %s\n", i, win::FaultText(result.fault));
  }
  return failed;
}
