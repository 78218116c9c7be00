// IniText: the lines and their index, the lookups and the edits.
#include "win32/ini_text.h"

#include <cstdint>

namespace win {
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
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {  // a UTF-8 mark
    mark_ = text.substr(0, 3);
    text.remove_prefix(3);
  }
  // Lines end at "\n"; only a file that has "\r" and no "\n" at all ends them at "\r".
  const bool bareReturns =
      text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos;
  end_ = bareReturns ? '\r' : '\n';
  lastEnded_ = text.empty() || text.back() == end_;
  // New lines end as the file's do: "\r\n" unless its first line ends in a bare "\n".
  const std::size_t firstEnd = text.find('\n');
  crlf_ = !bareReturns &&
          (firstEnd == std::string_view::npos || (firstEnd > 0 && text[firstEnd - 1] == '\r'));
  while (!text.empty()) lines_.emplace_back(NextLine(text, end_));
  Index();
}

void IniText::Index() {
  sections_.clear();
  sections_.push_back(Section{{}, {}, 0});  // lines before the first header
  for (std::size_t i = 0; i < lines_.size(); ++i) AddLine(lines_[i], i);
}

void IniText::AddLine(std::string_view line, std::size_t number) {
  line = Trim(line);
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      // The name is kept as written between the brackets; lookups trim their own name.
      sections_.push_back(Section{std::string(line.substr(1, close - 1)), {}, number + 1});
      return;
    }
  }
  Section& section = sections_.back();
  section.end = number + 1;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    section.keys.push_back(Key{std::string(line), std::nullopt, number});
    return;
  }
  section.keys.push_back(Key{std::string(Trim(line.substr(0, equals))),
                             std::string(Trim(line.substr(equals + 1))), number});
}

IniText::Section* IniText::FindSection(std::string_view name) {
  name = Trim(name);
  for (Section& s : sections_)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

std::string IniText::LineOf(std::string_view text) const {
  std::string line(text);
  if (crlf_) line += '\r';
  return line;
}

// The index is kept in step with the lines rather than parsed again: a save sets some sixty
// values, and a file may hold much else.
void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  key = Trim(key);
  // A last line without its end gets one before anything is added after it.
  const auto endLastLine = [this] {
    if (!lastEnded_ && crlf_ && !lines_.empty()) lines_.back() += '\r';
    lastEnded_ = true;
  };
  const std::string entry = std::string(key) + "=" + std::string(value);
  Section* found = FindSection(section);
  if (!found) {
    endLastLine();
    const std::size_t header = lines_.size();
    lines_.push_back(LineOf("[" + std::string(Trim(section)) + "]"));
    lines_.push_back(LineOf(entry));
    sections_.push_back(Section{std::string(Trim(section)),
                                {Key{std::string(key), std::string(Trim(value)), header + 1}},
                                header + 2});
    return;
  }
  for (Key& k : found->keys) {
    if (!SameName(k.name, key)) continue;
    lines_[k.line] = LineOf(k.name + "=" + std::string(value));
    k.value = std::string(Trim(value));
    return;
  }
  const std::size_t at = found->end;
  if (at == lines_.size()) endLastLine();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), LineOf(entry));
  for (Section& s : sections_) {
    if (s.end > at) ++s.end;
    for (Key& k : s.keys)
      if (k.line >= at) ++k.line;
  }
  found->keys.push_back(Key{std::string(key), std::string(Trim(value)), at});
  found->end = at + 1;
}

std::string IniText::Text() const {
  std::string text = mark_;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i];
    if (i + 1 < lines_.size() || lastEnded_) text += end_;
  }
  return text;
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

}  // namespace win
