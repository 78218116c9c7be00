// Target paths of archived names and folder creation.
#include "skininstall/zip_paths.h"

namespace skininstall {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

void TrimTrailingSeparators(std::string& path) {
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
}

// Windows drops trailing dots and spaces from a name, so "..." and ".. " mean "..".
bool IsParentReference(const std::string& component) {
  int dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

bool IsSafeRelative(const std::string& relative) {
  if (relative.find(':') != std::string::npos) return false;
  if (relative.find('\0') != std::string::npos) return false;
  if (!relative.empty() && IsSeparator(relative.front())) return false;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("\\/", start);
    if (end == std::string::npos) end = relative.size();
    if (IsParentReference(relative.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

// A drive ("C:") or the empty path is its own parent.
bool IsRoot(const std::string& path) {
  return path.empty() || (path.size() == 2 && path[1] == ':');
}

}  // namespace

std::optional<std::string> TargetName(const std::string& name, bool keepPaths, bool isFolder) {
  std::string relative;
  if (keepPaths) {
    size_t first = 0;
    while (first < name.size() && name[first] == '\\') ++first;
    relative = name.substr(first);
  } else {
    std::string trimmed = name;
    TrimTrailingSeparators(trimmed);
    const size_t slash = trimmed.find_last_of("\\/");
    relative = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  }
  if (!IsSafeRelative(relative)) return std::nullopt;
  if (relative.empty() && !isFolder) return std::nullopt;
  return relative;
}

std::string JoinTarget(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  TrimTrailingSeparators(path);
  return path + "\\" + relative;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool CreateFolderPath(OutputFiles& files, std::string path) {
  TrimTrailingSeparators(path);
  if (IsRoot(path) || files.FolderExists(path)) return true;
  if (!CreateFolderPath(files, ParentOf(path))) return false;
  return files.CreateFolder(path);
}

}  // namespace skininstall
