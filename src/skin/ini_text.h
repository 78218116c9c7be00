// IniText: an INI file's text read once and then looked up in memory, the way the system's
// private-profile reader looks it up. A window reads dozens of values from its description;
// through the system each read opens the file again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class IniText {
 public:
  // The longest value handed out, as through the 2048-character buffer of the file helper.
  static constexpr std::size_t kMaxValue = 2047;

  IniText() = default;
  explicit IniText(std::string_view text);

  // The value of section/key: names match without regard to case or surrounding blanks; the
  // first section of a name is the one searched, and its first key of the name is the one
  // read; blanks around the value and one pair of matching quotes around it are dropped.
  // Nothing when the section or key is missing or the key line has no "=".
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The value, or fallback when there is none.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // The number a value starts with (blanks, a sign, then decimal digits or a 0x, 0o or 0b
  // prefix), 0 when it starts with none; fallback for a missing or empty value.
  int ReadInt(std::string_view section, std::string_view key, int fallback) const;

 private:
  struct Key {
    std::string name;
    std::optional<std::string> value;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
  };
  void AddLine(std::string_view line);

  std::vector<Section> sections_;
};

}  // namespace skin
