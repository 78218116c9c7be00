// zip_probe: installs one archive into a folder the way Unfurlex installs skins.zip and prints
// what became of it, for peer_suites.py.
//   zip_probe <archive> <target-folder> [--password P]
// Prints "ok <entries>" or "refused <what>" and exits 0 either way; 2 for bad usage.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "skininstall/skin_installation.h"
#ifdef _WIN32
#include "skininstall/win_files.h"
using PlatformStorage = skininstall::WinArchiveStorage;
using PlatformOutput = skininstall::WinOutputFiles;
#else
#include "skininstall/std_files.h"
using PlatformStorage = skininstall::StdArchiveStorage;
using PlatformOutput = skininstall::StdOutputFiles;
#endif

namespace {
using namespace skininstall;

std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

// "" when every entry installed, else what stopped the installation.
std::string Refusal(const std::string& archivePath, const std::string& folder,
                    const std::string& password, int& entries) {
  PlatformStorage storage;
  PlatformOutput output;
  ZipArchive archive(storage, output);
  try {
    const std::optional<InstallFailure> failure =
        InstallSkins(archive, output, archivePath, folder, [](double) {}, password);
    entries = archive.GetCount();
    if (!failure) return "";
    std::string text = failure->reason;
    if (failure->entry >= 0) {
      text += " at entry " + std::to_string(failure->entry) + " \"" + Printable(failure->name) + "\"";
    }
    if (failure->systemError) text += " (system error " + std::to_string(failure->systemError) + ")";
    return text;
  } catch (const ZipError& error) {
    return "ZipError " + std::to_string(error.Code()) + " at open" +
           (error.Detail().empty() ? "" : ": " + error.Detail());
  } catch (const std::exception& error) {
    return std::string(error.what()) + " at open";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool withPassword = argc == 5 && std::strcmp(argv[3], "--password") == 0;
  if (argc != 3 && !withPassword) {
    std::fprintf(stderr, "usage: zip_probe <archive> <target-folder> [--password P]\n");
    return 2;
  }
  int entries = 0;
  const std::string refused = Refusal(argv[1], argv[2], withPassword ? argv[4] : kSkinPassword, entries);
  if (refused.empty()) {
    std::printf("ok %d\n", entries);
  } else {
    std::printf("refused %s\n", refused.c_str());
  }
  return 0;
}
