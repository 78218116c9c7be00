// The installation run of the skin installer.
#include "skininstall/skin_installation.h"

#include <cstdint>
#include <map>

#include "skininstall/zip_paths.h"

namespace skininstall {
namespace {

struct CodeReason {
  int code;
  const char* reason;
};

constexpr CodeReason kReasons[] = {
    {kZipBadPassword, "the password does not match"},
    {kZipBadCrc, "its data is damaged (the CRC-32 differs)"},
    {-3, "its compressed data is damaged"},
    {kZipBadArchive, "the archive is damaged at this entry"},
};

std::string ReasonOf(const ZipError& error) {
  if (!error.Detail().empty()) return error.Detail();
  for (const CodeReason& row : kReasons) {
    if (row.code == error.Code()) return row.reason;
  }
  return "the archive cannot be read (error " + std::to_string(error.Code()) + ")";
}

InstallFailure FailureAt(const ZipArchive& archive, int index, std::string reason,
                         unsigned long systemError = 0) {
  return {index, archive.GetEntry(index).name, std::move(reason), systemError};
}

// Extracts one entry; the failure in words when it does not install.
std::optional<InstallFailure> InstallEntry(ZipArchive& archive, int index,
                                           const std::string& targetFolder) {
  try {
    archive.ExtractEntry(index, targetFolder, kInstallBufferSize);
    return std::nullopt;
  } catch (const ZipError& error) {
    return FailureAt(archive, index, ReasonOf(error));
  } catch (const FileSystemError& error) {
    return FailureAt(archive, index, "it cannot be written", error.SystemError());
  } catch (const std::exception& error) {
    return FailureAt(archive, index, error.what());
  }
}

// The path as Windows compares it: components folded, one separator.
std::string FoldedPath(OutputFiles& output, const std::string& relative) {
  std::string path = relative;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return output.FoldCase(path);
}

}  // namespace

std::optional<InstallFailure> FindFoldedCollision(const ZipArchive& archive, OutputFiles& output) {
  // Every folded path seen, with the entry that named it and whether it is a file.
  struct Seen {
    int entry;
    bool file;
  };
  std::map<std::string, Seen> seen;
  auto collides = [&](const std::string& key, int index, bool file) -> std::optional<int> {
    const auto [at, added] = seen.emplace(key, Seen{index, file});
    if (added || (!file && !at->second.file)) return std::nullopt;  // folders may repeat
    return at->second.entry;
  };
  for (int i = 0; i < archive.GetCount(); ++i) {
    const ZipEntry& entry = archive.GetEntry(i);
    const std::optional<std::string> relative = TargetName(entry.name);
    if (!relative) continue;  // refused when its turn comes
    const std::string key = FoldedPath(output, *relative);
    std::optional<int> other = collides(key, i, !entry.IsFolder());
    for (size_t slash = key.rfind('\\'); !other && slash != std::string::npos && slash > 0;
         slash = key.rfind('\\', slash - 1)) {
      other = collides(key.substr(0, slash), i, false);
    }
    if (other) {
      return FailureAt(archive, i,
                       "Windows cannot tell its name from \"" + archive.GetEntry(*other).name + "\"");
    }
  }
  return std::nullopt;
}

std::optional<InstallFailure> InstallSkins(ZipArchive& archive, OutputFiles& output,
                                           const std::string& archivePath,
                                           const std::string& targetFolder,
                                           const std::function<void(double)>& setPosition,
                                           const std::string& password) {
  archive.SetOneFileOnly(true);
  archive.OpenArchive(archivePath);
  archive.SetPassword(password);
  const int count = archive.GetCount();
  const long double step = count > 0 ? 100.0L / count : 0.0L;
  // One clear refusal up front, rather than the same refusal at the first entry of many.
  if (const unsigned long error = count > 0 ? output.ProbeFolder(targetFolder) : 0) {
    return InstallFailure{-1, "", "no file can be made there", error, targetFolder};
  }
  try {
    archive.CheckFreeSpace(targetFolder);
  } catch (const FileSystemError& error) {
    return InstallFailure{-1, "", "the skins do not fit on the drive", error.SystemError()};
  }
  if (std::optional<InstallFailure> collision = FindFoldedCollision(archive, output)) {
    return collision;
  }
  // A 16-bit index would never reach the end of a Zip64 archive of 65,536 entries or more.
  for (int i = 0; i < count; ++i) {
    if (std::optional<InstallFailure> failure = InstallEntry(archive, i, targetFolder)) {
      archive.DiscardEntry();
      return failure;
    }
    setPosition(static_cast<double>((i + 1) * step));
  }
  return std::nullopt;
}

}  // namespace skininstall
