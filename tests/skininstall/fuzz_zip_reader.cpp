// libFuzzer target: open an archive, list it, check its size, read every entry and extract it
// into memory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skininstall/memory_files.h"
#include "skininstall/zip_archive.h"

using skininstall::ZipArchive;

namespace {

void ReadEvery(ZipArchive& archive, skininstall::testing::MemoryOutput& output) {
  static uint8_t buffer[8192];
  for (int i = 0; i < archive.GetCount(); ++i) {
    try {
      archive.OpenEntry(i);
      while (archive.ReadEntry(buffer, sizeof buffer) > 0) {
      }
      archive.CloseEntry();
    } catch (const std::exception&) {
      archive.DiscardEntry();
    }
    try {
      archive.ExtractEntry(i, "C:\\skins", 4096);
    } catch (const std::exception&) {
      archive.DiscardEntry();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skininstall::testing::MemoryStorage storage;
  storage.files["C:\\skins.zip"] = std::string(reinterpret_cast<const char*>(data), size);
  skininstall::testing::MemoryOutput output;
  output.discardData = true;
  ZipArchive archive(storage, output);
  try {
    archive.OpenArchive("C:\\skins.zip");
  } catch (const std::exception&) {
    return 0;
  }
  archive.SetPassword("plovardik3817");
  output.freeSpace = archive.DeclaredSize() | 1;
  try {
    archive.CheckFreeSpace("C:\\skins");
  } catch (const std::exception&) {
  }
  ReadEvery(archive, output);
  return 0;
}
