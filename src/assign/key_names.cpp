// The key name table and the naming of keys that are not in it.
#include "assign/key_names.h"

#include <iterator>

#include "assign/key_codes.h"

namespace assign {
namespace {

struct KeyNameRow {
  std::uint32_t virtualKey;
  const char* name;
};

// Keys that type nothing, or whose character would be ambiguous on a button (the keypad).
constexpr KeyNameRow kNames[] = {
    {8, "Bck"},     {9, "Tab"},     {12, "Clr"},    {13, "Ret"},    {16, "Shft"},
    {17, "Ctrl"},   {18, "Alt"},    {19, "Paus"},   {20, "CpLk"},   {27, "Esc"},
    {32, "Spc"},    {33, "PgUp"},   {34, "PgDn"},   {35, "End"},    {36, "Home"},
    {37, "Lft"},    {38, "Up"},     {39, "Rht"},    {40, "Dn"},     {41, "Select"},
    {42, "Prnt"},   {43, "Exe"},    {44, "Snapshot"}, {45, "Ins"},  {46, "Del"},
    {47, "Hlp"},    {96, "Num0"},   {97, "Num1"},   {98, "Num2"},   {99, "Num3"},
    {100, "Num4"},  {101, "Num5"},  {102, "Num6"},  {103, "Num7"},  {104, "Num8"},
    {105, "Num9"},  {106, "Num*"},  {107, "Num+"},  {108, "NumRet"}, {109, "Num-"},
    {110, "Num."},  {111, "Num/"},  {112, "F1"},    {113, "F2"},    {114, "F3"},
    {115, "F4"},    {116, "F5"},    {117, "F6"},    {118, "F7"},    {119, "F8"},
    {120, "F9"},    {121, "F10"},   {122, "F11"},   {123, "F12"},   {144, "Numl"},
    {145, "Scrl"},  {160, "LShft"}, {161, "RShft"}, {162, "LCtrl"}, {163, "RCtrl"},
    {164, "LAlt"},  {165, "RAlt"},
};
static_assert(std::size(kNames) == 62);

const char* TableName(std::uint32_t virtualKey) {
  for (const KeyNameRow& row : kNames)
    if (row.virtualKey == virtualKey) return row.name;
  return nullptr;
}

}  // namespace

std::string KeyName(std::uint32_t virtualKey, KeyCharSource charOf) {
  if (const char* name = TableName(virtualKey)) return name;
  char c = charOf(virtualKey);
  // The layout is asked without Shift, yet letters are shown as they are printed on the keys.
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  // A key that types nothing (a media key, say) still needs something visible in a macro.
  if (c == '\0') return "?";
  return std::string(1, c);
}

std::string SingleKeyCaption(std::uint32_t usage, KeyCharSource charOf) {
  const std::optional<std::uint32_t> key = KeyOf(usage);
  return key ? KeyName(*key, charOf) : "key";
}

}  // namespace assign
