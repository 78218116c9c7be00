// ParseSkinItem: the placement-value grammar of skin descriptions, without any platform call.
#include "skin/skin_item.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace skin {
namespace {

// Copies at most size - 1 characters and always terminates: fields never overflow.
void CopyCut(char* field, std::size_t size, std::string_view text) {
  const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Saturate(std::int64_t v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// One "%d" conversion: leading white space, an optional sign, at least one digit.
// Values beyond 32 bits saturate instead of wrapping. Returns false when nothing matched.
bool ScanInt(std::string_view& in, int& out) {
  std::size_t i = 0;
  while (i < in.size() && IsSpace(in[i])) ++i;
  bool negative = false;
  if (i < in.size() && (in[i] == '+' || in[i] == '-')) negative = in[i++] == '-';
  if (i >= in.size() || !IsDigit(in[i])) return false;
  std::int64_t v = 0;
  for (; i < in.size() && IsDigit(in[i]); ++i) {
    if (v <= INT64_C(1) << 40) v = v * 10 + (in[i] - '0');  // past 2^40 it saturates anyway
  }
  out = Saturate(negative ? -v : v);
  in.remove_prefix(i);
  return true;
}

// The scan "%d,%d,%d,%d": stops at the first mismatch, leaving later numbers at 0.
void ScanFourInts(std::string_view in, int (&numbers)[4]) {
  for (int k = 0; k < 4; ++k) {
    if (k > 0) {
      if (in.empty() || in.front() != ',') return;
      in.remove_prefix(1);
    }
    if (!ScanInt(in, numbers[k])) return;
  }
}

}  // namespace

SkinItem ParseSkinItem(std::string_view value) {
  SkinItem item;
  std::string_view rest = value;
  const std::size_t comma = value.find(',');
  if (comma != std::string_view::npos) {
    CopyCut(item.label, sizeof item.label, value.substr(0, comma));
    rest = value.substr(comma + 1);
  }

  int n[4] = {0, 0, 0, 0};
  ScanFourInts(rest, n);
  // Right and bottom are sums; a huge width must not overflow them.
  item.rect = {n[0], n[1], Saturate(std::int64_t{n[0]} + n[2]), Saturate(std::int64_t{n[1]} + n[3])};

  item.latched = rest.find("TRUE") != std::string_view::npos;

  // The tooltip is the field before the last one: drop the flag, then take the last field.
  const std::size_t last = rest.rfind(',');
  if (last != std::string_view::npos) {
    const std::string_view head = rest.substr(0, last);
    const std::size_t before = head.rfind(',');
    CopyCut(item.tooltip, sizeof item.tooltip,
            before == std::string_view::npos ? head : head.substr(before + 1));
  }
  return item;
}

}  // namespace skin
