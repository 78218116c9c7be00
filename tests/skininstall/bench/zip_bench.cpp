// Benchmark: extracts every entry of an archive with our reader and prints the rate.
// zip_bench ARCHIVE PASSWORD OUTDIR [BUFFER], or zip_bench --make-pictures DIR MEGABYTES NOISE%
// [COUNT] for its input. Built natively over the standard library and for Windows over the
// Windows file side, which is what Unfurlex uses.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "skininstall/zip_archive.h"

#ifdef _WIN32
#include "skininstall/win_files.h"
using Storage = skininstall::WinArchiveStorage;
using Output = skininstall::WinOutputFiles;
#else
#include "skininstall/std_files.h"
using Storage = skininstall::StdArchiveStorage;
using Output = skininstall::StdOutputFiles;
#endif

using skininstall::ZipArchive;

namespace {

// Picture-like data: smooth gradients with noise in the low bits of some pixels. More noise
// means less compression, so decrypting the compressed stream weighs more. COUNT pictures of
// different sizes (a quarter to seven quarters of the mean), in nine folders, make up MEGABYTES.
void MakePictures(const std::filesystem::path& folder, long megabytes, unsigned noisePercent,
                  long count) {
  std::filesystem::create_directories(folder);
  const double mean = megabytes * 1e6 / count;
  uint32_t random = 7;
  std::string picture;
  for (long n = 0; n < count; ++n) {
    const size_t size = static_cast<size_t>(mean * (0.25 + 1.5 * ((n * 7919) % 101) / 100.0));
    picture.resize(size);
    for (size_t i = 0; i < size; ++i) {
      random = random * 1664525u + 1013904223u;
      const uint8_t smooth = static_cast<uint8_t>((i / 3) % 1024 / 4 + (i / 3072) % 256 + n);
      const uint8_t noise = (random >> 29) * ((random >> 8) % 100 < noisePercent);
      picture[i] = static_cast<char>(smooth ^ noise);
    }
    char name[40];
    std::snprintf(name, sizeof name, "skin%ld/face%03ld.bmp", n % 9, n);
    std::filesystem::create_directories((folder / name).parent_path());
    std::ofstream(folder / name, std::ios::binary).write(picture.data(), picture.size());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if ((argc == 5 || argc == 6) && std::string(argv[1]) == "--make-pictures") {
    const long count = argc == 6 ? std::atol(argv[5]) : std::atol(argv[3]) / 4;
    MakePictures(argv[2], std::atol(argv[3]), static_cast<unsigned>(std::atoi(argv[4])),
                 count > 0 ? count : 1);
    return 0;
  }
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: zip_bench ARCHIVE PASSWORD OUTDIR [BUFFER]\n");
    return 2;
  }
  const size_t buffer = argc == 5 ? std::strtoul(argv[4], nullptr, 10) : size_t{1} << 20;
  std::filesystem::create_directories(argv[3]);
  Storage storage;
  Output output;
  const auto start = std::chrono::steady_clock::now();
  uint64_t bytes = 0;
  try {
    ZipArchive archive(storage, output);
    archive.OpenArchive(argv[1]);
    archive.SetPassword(argv[2]);
    for (int i = 0; i < archive.GetCount(); ++i) {
      archive.ExtractEntry(i, argv[3], buffer);
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
