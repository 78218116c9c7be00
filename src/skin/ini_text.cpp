// IniText: parsing the lines once, and the lookups.
#include "skin/ini_text.h"

#include <cstdint>

namespace skin {
namespace {

// Blanks as the private-profile reader counts them, with the old end-of-file mark.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The next line and what follows it; a line ends at "\n", or at "\r" in a file without "\n".
std::string_view NextLine(std::string_view& rest, char end) {
  const std::size_t at = rest.find(end);
  const std::string_view line = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return line;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// As the system's string-to-integer conversion with the base taken from the prefix: the value
// wraps like a 32-bit unsigned number.
int ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = Lower(text[i + 1]);
    const unsigned prefixed = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 0;
    if (prefixed != 0) {
      base = prefixed;
      i += 2;
    }
  }
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit >= static_cast<int>(base)) break;
    value = value * base + static_cast<std::uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace

IniText::IniText(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
  const char end = text.find('\n') != std::string_view::npos ? '\n' : '\r';
  sections_.push_back(Section{});  // lines before the first header
  while (!text.empty()) AddLine(NextLine(text, end));
}

void IniText::AddLine(std::string_view line) {
  line = Trim(line);
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      // The name is kept as written between the brackets; lookups trim their own name.
      sections_.push_back(Section{std::string(line.substr(1, close - 1)), {}});
      return;
    }
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    sections_.back().keys.push_back(Key{std::string(line), std::nullopt});
    return;
  }
  sections_.back().keys.push_back(
      Key{std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  for (const Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const Key& k : s.keys) {
      if (!SameName(k.name, key)) continue;
      if (!k.value) return std::nullopt;
      std::string_view value = *k.value;
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front())
        value = value.substr(1, value.size() - 2);
      return std::string(value.substr(0, kMaxValue));
    }
    return std::nullopt;  // only the first section of a name is searched
  }
  return std::nullopt;
}

std::string IniText::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback.substr(0, kMaxValue));
}

int IniText::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> value = Find(section, key);
  if (!value || value->empty()) return fallback;
  return ParseNumber(std::string_view(*value).substr(0, 29));  // the system reads 29 characters
}

}  // namespace skin
