// Benchmark: extracts every entry of an archive with our reader and prints the rate.
// zip_bench ARCHIVE PASSWORD OUTDIR, or zip_bench --make-pictures DIR MEGABYTES NOISE%
// for its input.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "skininstall/std_files.h"
#include "skininstall/zip_archive.h"

using skininstall::ZipArchive;

namespace {

// Picture-like data: smooth gradients with noise in the low bits of some pixels. More noise
// means less compression, so decrypting the compressed stream weighs more.
void MakePictures(const std::filesystem::path& folder, long megabytes, unsigned noisePercent) {
  std::filesystem::create_directories(folder);
  constexpr size_t kSize = 4000000;
  uint32_t random = 7;
  std::string picture(kSize, '\0');
  for (long n = 0; n * 4 < megabytes; ++n) {
    for (size_t i = 0; i < kSize; ++i) {
      random = random * 1664525u + 1013904223u;
      const uint8_t smooth = static_cast<uint8_t>((i / 3) % 1024 / 4 + (i / 3072) % 256 + n);
      const uint8_t noise = (random >> 29) * ((random >> 8) % 100 < noisePercent);
      picture[i] = static_cast<char>(smooth ^ noise);
    }
    char name[32];
    std::snprintf(name, sizeof name, "face%03ld.bmp", n);
    std::ofstream(folder / name, std::ios::binary).write(picture.data(), kSize);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--make-pictures") {
    MakePictures(argv[2], std::atol(argv[3]), static_cast<unsigned>(std::atoi(argv[4])));
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: zip_bench ARCHIVE PASSWORD OUTDIR\n");
    return 2;
  }
  std::filesystem::create_directories(argv[3]);
  skininstall::StdArchiveStorage storage;
  skininstall::StdOutputFiles output;
  const auto start = std::chrono::steady_clock::now();
  uint64_t bytes = 0;
  try {
    ZipArchive archive(storage, &output);
    archive.OpenArchive(argv[1], ZipArchive::kReadOnly, 0);
    archive.SetPassword(argv[2]);
    for (int i = 0; i < archive.GetCount(); ++i) {
      if (!archive.ExtractEntry(i, argv[3], true, nullptr, nullptr, nullptr, 1 << 20)) {
        std::fprintf(stderr, "entry %d not extracted\n", i);
        return 1;
      }
      bytes += archive.GetEntry(i).uncompressedSize;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f s, %.1f MB/s\n", seconds, bytes / 1e6 / seconds);
  return 0;
}
