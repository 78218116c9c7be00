// IniText: an INI file's text held in memory, looked up the way the system's private-profile
// reader looks it up, and edited the way its writer edits: a value is replaced on its own line,
// a new key goes after the last line of its section, a new section at the end. Every other line
// stays as it was, so a file written from here keeps what other programs put into it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

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

  // Sets section/key to value (written as it is given). The key keeps its spelling in the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // The whole text: byte for byte what was parsed when nothing was set.
  std::string Text() const;

 private:
  struct Key {
    std::string name;
    std::optional<std::string> value;
    std::size_t line;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
    std::size_t end;  // the line after the section's last header or key line
  };
  void Index();
  void AddLine(std::string_view line, std::size_t number);
  Section* FindSection(std::string_view name);
  std::string LineOf(std::string_view text) const;

  std::string mark_;                // a UTF-8 mark before the first line
  std::vector<std::string> lines_;  // as in the file, with a "\r" before "\n" kept
  char end_ = '\n';                 // what ends a line: "\n", or "\r" in a file without "\n"
  bool crlf_ = true;                // new lines end in "\r\n"
  bool lastEnded_ = true;           // the text ends with a line end
  std::vector<Section> sections_;
};

}  // namespace win
