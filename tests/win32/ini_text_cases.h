// One description with the forms a private-profile reader has to cope with, and what each
// lookup gives. Natively the table checks IniText; under Wine the system's own reader is held
// to the same table, so the two cannot drift apart.
#pragma once

namespace initest {

inline constexpr char kText[] =
    "[Screen]\r\n"
    "Main = main.bmp   \r\n"
    " Mask=mask.bmp\r\n"
    "MAIN=second.bmp\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Lonely=\"\r\n"
    "Mixed=\"abc'\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Tabs\t=\ttabbed\t\r\n"
    "Equals=a=b\r\n"
    "\r\n"
    "[screen]\r\n"
    "Over=never.bmp\r\n"
    "[Numbers]\r\n"
    "Plain=42\r\n"
    "Neg=-7\r\n"
    "Hex=0x1F\r\n"
    "Lead=  12abc\r\n"
    "Words=abc\r\n"
    "Blank=\r\n"
    "Big=4294967295\r\n"
    "Quote=\"17\"\r\n"
    "[Unclosed\r\n"
    "Open=1\r\n"
    "[Bracket]]\r\n"
    "Inner=2\r\n";

struct StringCase {
  const char* section;
  const char* key;
  const char* value;  // null: not found
};

inline constexpr StringCase kStrings[] = {
    {"Screen", "Main", "main.bmp"},       // blanks around names and values go
    {"screen", "mask", "mask.bmp"},       // no regard to case
    {"  Screen ", " Main ", "main.bmp"},  // nor to blanks around the names asked for
    {"SCREEN", "Over", nullptr},          // only the first section of a name is searched
    {"Screen", "Quoted", "  spaced  "},   // one pair of quotes goes, blanks inside stay
    {"Screen", "Single", "x"},
    {"Screen", "Lonely", "\""},  // a lone quote is not a pair
    {"Screen", "Mixed", "\"abc'"},
    {"Screen", "Empty", ""},
    {"Screen", "NoEquals", nullptr},  // a line without "=" has no value
    {"Screen", "Tabs", "tabbed"},
    {"Screen", "Equals", "a=b"},  // the first "=" divides
    {"Screen", "Missing", nullptr},
    {"Nowhere", "Main", nullptr},
    {"Numbers", "Open", "1"},  // a header without "]" is an ordinary line
    {"Bracket]", "Inner", "2"},  // the name ends at the last "]"
    {"Bracket", "Inner", nullptr},
};

struct IntCase {
  const char* key;
  int value;  // read with the fallback 77
};

inline constexpr IntCase kInts[] = {
    {"Plain", 42}, {"Neg", -7},  {"Hex", 31},     {"Lead", 12}, {"Words", 0},
    {"Blank", 77}, {"Big", -1},  {"Quote", 17},   {"Missing", 77},
};

}  // namespace initest
