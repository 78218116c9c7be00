// zip_probe: installs one archive into a folder the way Unfurlex installs skins.zip and prints
// what became of it, for peer_suites.py.
//   zip_probe <archive> <target-folder> [--password P]
// Prints "ok <entries>" or "refused <what>" and exits 0 either way; 2 for bad usage.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <typeinfo>

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

std::string Describe(const std::exception& error) {
  if (const auto* zip = dynamic_cast<const ZipError*>(&error)) {
    return "ZipError " + std::to_string(zip->Code());
  }
  if (const auto* file = dynamic_cast<const FileSystemError*>(&error)) {
    return "FileSystemError " + std::to_string(file->SystemError()) + " (" + error.what() + ")";
  }
  return std::string(typeid(error).name()) + " (" + error.what() + ")";
}

std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

// What ended the run (empty when every entry installed) and the number of entries.
struct Outcome {
  std::string refused;
  int entries = 0;
};

// InstallSkins' loop once more: InstallSkins keeps the error that ended a run to itself, and it
// always uses the skin package's password.
Outcome Install(const std::string& archivePath, const std::string& folder,
                const std::string& password) {
  PlatformStorage storage;
  PlatformOutput output;
  ZipArchive archive(storage, &output);
  try {
    archive.OpenArchive(archivePath, ZipArchive::kReadOnly, 0);
  } catch (const std::exception& error) {
    return {Describe(error) + " at open"};
  }
  archive.SetPassword(password);
  try {
    archive.CheckFreeSpace(folder);
  } catch (const std::exception& error) {
    return {Describe(error) + " at the free-space check"};
  }
  for (int i = 0; i < archive.GetCount(); ++i) {
    const std::string where = " at entry " + std::to_string(i) + " \"" +
                              Printable(archive.GetEntry(i).name) + "\"";
    try {
      if (!archive.ExtractEntry(i, folder, true, nullptr, nullptr, nullptr, kInstallBufferSize)) {
        return {"ExtractEntry returned false" + where};
      }
    } catch (const std::exception& error) {
      archive.CloseEntry(nullptr, true);
      return {Describe(error) + where};
    }
  }
  return {"", archive.GetCount()};
}

}  // namespace

int main(int argc, char** argv) {
  const bool withPassword = argc == 5 && std::strcmp(argv[3], "--password") == 0;
  if (argc != 3 && !withPassword) {
    std::fprintf(stderr, "usage: zip_probe <archive> <target-folder> [--password P]\n");
    return 2;
  }
  const std::string archivePath = argv[1], folder = argv[2];
  Outcome outcome;
  if (withPassword) {
    outcome = Install(archivePath, folder, argv[4]);
  } else {
    PlatformStorage storage;
    PlatformOutput output;
    ZipArchive archive(storage, &output);
    try {
      if (InstallSkins(archive, archivePath, folder, [](double) {})) {
        outcome.entries = archive.GetCount();
      } else {
        // A fresh folder: what the first run left behind (read-only files) must not change the way.
        outcome = Install(archivePath, folder + "-replay", kSkinPassword);
        if (outcome.refused.empty()) outcome.refused = "by InstallSkins, not by the replay of its loop";
      }
    } catch (const std::exception& error) {
      outcome.refused = Describe(error) + " at open";
    }
  }
  if (outcome.refused.empty()) {
    std::printf("ok %d\n", outcome.entries);
  } else {
    std::printf("refused %s\n", outcome.refused.c_str());
  }
  return 0;
}
