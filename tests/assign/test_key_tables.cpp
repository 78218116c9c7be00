// Usage table, key names and macro text against a fixed US layout.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "assign/key_codes.h"
#include "assign/key_names.h"
#include "assign/macro_text.h"

using namespace assign;

namespace {

// What ToAscii gives on a US layout without modifiers: lower-case letters, digits, punctuation.
char UsLayout(std::uint32_t vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return static_cast<char>(vk);
  static const struct {
    std::uint32_t vk;
    char c;
  } kPunctuation[] = {{186, ';'}, {187, '='}, {188, ','}, {189, '-'}, {190, '.'}, {191, '/'},
                      {192, '`'}, {219, '['}, {220, '\\'}, {221, ']'}, {222, '\''}};
  for (const auto& p : kPunctuation)
    if (p.vk == vk) return p.c;
  return '\0';
}

bool StorableUsage(std::uint32_t usage) {
  return (usage >= 4 && usage <= 99 && usage != 50) || usage == 101 ||
         (usage >= 224 && usage <= 231);
}

TEST(UsageTableTest, CoversExactlyTheStorableUsagesOneToOne) {
  EXPECT_EQ(UsageTable().size(), 104u);
  for (std::uint32_t usage = 0; usage < 256; ++usage) {
    const std::optional<std::uint32_t> key = KeyOf(usage);
    ASSERT_EQ(key.has_value(), StorableUsage(usage)) << "usage " << usage;
    if (key) {
      EXPECT_EQ(UsageOf(*key), usage) << "usage " << usage << " key " << *key;
    }
  }
}

struct KeyCase {
  std::uint32_t key;
  std::optional<std::uint32_t> usage;
  const char* name;
};

TEST(KeyNameTest, KeysConvertAndNameAsShown) {
  const KeyCase cases[] = {
      {108, 88, "NumRet"},         {13, 40, "Ret"},   {42, 70, "Prnt"},
      {44, std::nullopt, "Snapshot"}, {16, std::nullopt, "Shft"}, {17, std::nullopt, "Ctrl"},
      {18, std::nullopt, "Alt"},   {12, std::nullopt, "Clr"}, {65, 4, "A"},
      {90, 29, "Z"},               {49, 30, "1"},     {48, 39, "0"},
      {186, 51, ";"},              {222, 52, "'"},    {8, 42, "Bck"},
      {32, 44, "Spc"},             {96, 98, "Num0"},  {110, 99, "Num."},
      {123, 69, "F12"},            {93, 101, "?"},    {162, 224, "LCtrl"},
      {161, 229, "RShft"},         {92, 231, "?"},    {176, std::nullopt, "?"},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(UsageOf(c.key), c.usage) << "key " << c.key;
    EXPECT_EQ(KeyName(c.key, UsLayout), c.name) << "key " << c.key;
  }
  for (int f = 1; f <= 12; ++f) EXPECT_EQ(KeyName(111 + f, UsLayout), "F" + std::to_string(f));
}

TEST(KeyNameTest, SingleKeyCaptionNamesTheStoredUsage) {
  const struct {
    std::uint32_t usage;
    const char* caption;
  } cases[] = {{4, "A"}, {40, "Ret"}, {88, "NumRet"}, {70, "Prnt"}, {225, "LShft"},
               {0, "key"}, {50, "key"}, {100, "key"}, {255, "key"}};
  for (const auto& c : cases) EXPECT_EQ(SingleKeyCaption(c.usage, UsLayout), c.caption) << c.usage;
}

struct TextCase {
  std::vector<MacroEvent> events;
  MacroMode mode;
  const char* text;
};

TEST(MacroTextTest, EventsRenderWithMarksAndSpaces) {
  constexpr std::uint32_t kPress = 0, kRelease = kEventRelease, kDelay = kEventDelay;
  const TextCase cases[] = {
      {{}, MacroMode::Macro, ""},
      {{}, MacroMode::SingleKey, ""},
      {{{162, kPress}, {67, kPress}, {67, kRelease | kDelay}, {162, kRelease}},
       MacroMode::Macro, "LCtrl| C| C^<delay> LCtrl^ "},
      {{{65, kPress | kDelay}, {176, kPress}, {44, kRelease}}, MacroMode::Macro,
       "A|<delay> ?| Snapshot^ "},
      {{{116, kPress}}, MacroMode::SingleKey, "F5 "},
      {{{116, kRelease}}, MacroMode::SingleKey, ""},
      {{{65, kPress | kDelay}, {65, kRelease}}, MacroMode::SingleKey, "A "},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(MacroText(c.events, c.mode, UsLayout), c.text) << "expected \"" << c.text << '"';
}

}  // namespace
