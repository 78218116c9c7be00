// Resampling: a separable tent filter (bilinear when enlarging, an area average when shrinking)
// and nearest-pixel sampling.
#include "skin/resample.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

struct Tap {
  int index;
  float weight;
};

// For each target position the source positions it draws from and their weights, which add
// up to one.
std::vector<std::vector<Tap>> Taps(int sourceLength, int targetLength) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(targetLength));
  const double scale = static_cast<double>(sourceLength) / targetLength;
  const double radius = std::max(1.0, scale);
  for (int t = 0; t < targetLength; ++t) {
    const double centre = (t + 0.5) * scale - 0.5;
    float total = 0;
    auto& row = taps[static_cast<std::size_t>(t)];
    for (int i = static_cast<int>(std::ceil(centre - radius));
         i <= static_cast<int>(std::floor(centre + radius)); ++i) {
      const auto weight = static_cast<float>(1.0 - std::abs(i - centre) / radius);
      if (weight <= 0) continue;
      row.push_back(Tap{std::clamp(i, 0, sourceLength - 1), weight});
      total += weight;
    }
    for (Tap& tap : row) tap.weight /= total;
  }
  return taps;
}

std::uint32_t Blend(const std::vector<Tap>& taps, const std::uint32_t* line, std::size_t stride) {
  float channel[4] = {};
  for (const Tap& tap : taps) {
    const std::uint32_t pixel = line[static_cast<std::size_t>(tap.index) * stride];
    for (int c = 0; c < 4; ++c) channel[c] += tap.weight * static_cast<float>((pixel >> (8 * c)) & 0xFF);
  }
  std::uint32_t pixel = 0;
  for (int c = 0; c < 4; ++c)
    pixel |= static_cast<std::uint32_t>(std::clamp(std::lround(channel[c]), 0L, 255L)) << (8 * c);
  return pixel;
}

bool Empty(const Pixels& source, int width, int height) {
  return source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0 ||
         source.data.size() < static_cast<std::size_t>(source.width) * source.height;
}

}  // namespace

Pixels ResampleSmooth(const Pixels& source, int width, int height) {
  if (Empty(source, width, height)) return Pixels{};
  const auto across = Taps(source.width, width);
  const auto down = Taps(source.height, height);
  // Rows first, into a picture of the target width and the source height.
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * source.height);
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* line = &source.data[static_cast<std::size_t>(y) * source.width];
    for (int x = 0; x < width; ++x)
      rows[static_cast<std::size_t>(y) * width + x] = Blend(across[static_cast<std::size_t>(x)], line, 1);
  }
  Pixels target{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      target.data[static_cast<std::size_t>(y) * width + x] =
          Blend(down[static_cast<std::size_t>(y)], &rows[static_cast<std::size_t>(x)], width);
  return target;
}

Pixels ResampleNearest(const Pixels& source, int width, int height) {
  if (Empty(source, width, height)) return Pixels{};
  Pixels target{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (int y = 0; y < height; ++y) {
    const auto sy = static_cast<std::size_t>(std::min(source.height - 1, static_cast<int>((y + 0.5) * source.height / height)));
    for (int x = 0; x < width; ++x) {
      const auto sx = static_cast<std::size_t>(std::min(source.width - 1, static_cast<int>((x + 0.5) * source.width / width)));
      target.data[static_cast<std::size_t>(y) * width + x] = source.data[sy * source.width + sx];
    }
  }
  return target;
}

}  // namespace skin
