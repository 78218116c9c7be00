// Target paths of archived names and folder creation.
#include "skininstall/zip_paths.h"

#include <cctype>
#include <cstdint>
#include <string_view>

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

bool EqualsUpper(const std::string& text, const char* upper) {
  size_t i = 0;
  for (; upper[i] != '\0'; ++i) {
    if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) != upper[i]) {
      return false;
    }
  }
  return i == text.size();
}

// A port number after COM or LPT: a digit, or a superscript 1, 2 or 3 in the ANSI code page
// (one byte) or in UTF-8 (two bytes).
bool IsPortNumber(const std::string& rest) {
  auto superscript = [](unsigned char c) { return c == 0xB9 || c == 0xB2 || c == 0xB3; };
  if (rest.size() == 1) {
    const auto c = static_cast<unsigned char>(rest[0]);
    return (c >= '0' && c <= '9') || superscript(c);
  }
  return rest.size() == 2 && static_cast<unsigned char>(rest[0]) == 0xC2 &&
         superscript(static_cast<unsigned char>(rest[1]));
}

// Characters no Windows file name holds: controls, the colon of drives and streams, and the
// wildcard and redirection characters.
bool HoldsForbiddenCharacter(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view(":*?\"<>|").find(c) != std::string_view::npos)
      return true;
  }
  return false;
}

// Windows drops trailing dots and spaces from every name: "skin.ini." is "skin.ini". A name of
// nothing else ("." aside, which names the folder itself) is left empty by that.
bool TrimLikeWindows(std::string& component) {
  if (component == "." || component.empty()) return true;
  const size_t last = component.find_last_not_of(". ");
  if (last == std::string::npos) return false;
  component.resize(last + 1);
  return true;
}

// The components rebuilt as Windows will name them; none when any of them cannot be used.
std::optional<std::string> SafeRelative(const std::string& relative) {
  if (relative.empty() || IsSeparator(relative.front()) || HoldsForbiddenCharacter(relative))
    return std::nullopt;
  std::string result;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("\\/", start);
    if (end == std::string::npos) end = relative.size();
    std::string component = relative.substr(start, end - start);
    if (IsParentReference(component) || IsDeviceName(component)) return std::nullopt;
    if (!TrimLikeWindows(component)) return std::nullopt;
    result += component;
    if (end < relative.size()) result += '\\';
    start = end + 1;
  }
  return result;
}

// A drive ("C:") or the empty path is its own parent.
bool IsRoot(const std::string& path) {
  return path.empty() || (path.size() == 2 && path[1] == ':');
}

}  // namespace

bool IsDeviceName(const std::string& component) {
  std::string base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsUpper(base, device)) return true;
  }
  if (base.size() < 4) return false;
  const std::string prefix = base.substr(0, 3);
  return (EqualsUpper(prefix, "COM") || EqualsUpper(prefix, "LPT")) && IsPortNumber(base.substr(3));
}

bool IsValidUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t value = 0, least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, value = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      value = (value << 6) | (c & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> ArchiveStorage::ConvertUtf8Name(const std::string& utf8Name) {
  if (!IsValidUtf8(utf8Name)) return std::nullopt;
  return utf8Name;
}

std::string OutputFiles::FoldCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

std::optional<std::string> TargetName(const std::string& name) {
  size_t first = 0;
  while (first < name.size() && name[first] == '\\') ++first;
  // An empty name would be the target folder itself, which no entry may replace or give
  // attributes to.
  return SafeRelative(name.substr(first));
}

size_t Utf16Length(const std::string& utf8) {
  size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts a character
    if ((c & 0xF8) == 0xF0) ++units;  // four bytes: beyond the first plane, a surrogate pair
  }
  return units;
}

bool FitsWindowsPath(const std::string& path) {
  return Utf16Length(path) < kMaxPath && Utf16Length(ParentOf(path)) < kMaxFolderPath;
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
