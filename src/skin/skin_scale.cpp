// Skin scale: set paths and the shared rounding rule.
#include "skin/skin_scale.h"

#include <cstdint>

namespace skin {
namespace {

constexpr char kSkinsFolder[] = "skins\\";

}  // namespace

int ScaleLength(int v, int to, int from) {
  if (from <= 0 || to == from) return v;
  const std::int64_t scaled = static_cast<std::int64_t>(v < 0 ? -v : v) * to * 2 + from;
  const int magnitude = static_cast<int>(scaled / (std::int64_t{2} * from));
  return v < 0 ? -magnitude : magnitude;
}

std::string ScaledSetPath(const std::string& relative, int percent) {
  const std::string folder = kSkinsFolder;
  if (percent == 100 || relative.compare(0, folder.size(), folder) != 0) return relative;
  return folder + std::to_string(percent) + "\\" + relative.substr(folder.size());
}

std::string ScaledFixedPicturePath(const std::string& relative, int percent) {
  std::string path = ScaledSetPath(relative, percent);
  if (path == relative) return path;
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('\\');
  if (dot != std::string::npos && dot > slash) path.erase(dot);
  return path + ".png";
}

}  // namespace skin
