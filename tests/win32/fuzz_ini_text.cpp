// Fuzz target: any text parses, answers lookups within bounds and gives back its own bytes; a
// value set in it reads back, also after a round through its text; and a value line built
// from the input reads back as the value trimmed and unquoted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "win32/ini_text.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}

bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const win::IniText ini(text);
  Require(ini.Text() == text);  // nothing set: the same bytes
  win::IniText edited(text);
  edited.Set("S", "K", "v");
  Require(edited.ReadString("S", "K", "") == "v");
  Require(win::IniText(edited.Text()).ReadString("S", "K", "") == "v");
  // Names taken from the input itself, so that lookups also hit.
  const std::string_view first = text.substr(0, text.find_first_of("]=\n"));
  for (std::string_view section : {std::string_view(), first, std::string_view("A")}) {
    const auto value = ini.Find(section, first);
    Require(!value || (value->size() <= win::IniText::kMaxValue && value->find('\n') == std::string::npos));
  }
  if (text.find_first_of("\r\n") == std::string_view::npos) {
    std::string_view expected = text;
    while (!expected.empty() && Blank(expected.front())) expected.remove_prefix(1);
    while (!expected.empty() && Blank(expected.back())) expected.remove_suffix(1);
    if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
        expected.back() == expected.front())
      expected = expected.substr(1, expected.size() - 2);
    const win::IniText line("[S]\nK=" + std::string(text) + "\n");
    Require(line.ReadString("S", "K", "") == expected.substr(0, win::IniText::kMaxValue));
  }
  return 0;
}
