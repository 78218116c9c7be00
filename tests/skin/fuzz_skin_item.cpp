// Fuzz target: any placement value parses without touching memory outside the item, and
// what lands in the text fields is text of the value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "skin/skin_item.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  const skin::SkinItem item = skin::ParseSkinItem(value);
  Require(std::memchr(item.label, 0, sizeof item.label) != nullptr);
  Require(std::memchr(item.tooltip, 0, sizeof item.tooltip) != nullptr);
  const std::string_view label(item.label), tooltip(item.tooltip);
  Require(value.substr(0, label.size()) == label);  // the label is the value's start
  Require(label.find(',') == std::string_view::npos);
  Require(tooltip.find(',') == std::string_view::npos);
  Require(tooltip.empty() || value.find(tooltip) != std::string_view::npos);
  return 0;
}
