// Where the macro display puts each character of the macro text: left to right from x = 2, on
// the next line when a character would reach the right edge, at most five lines.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace assign {

constexpr int kDisplayLines = 5;
constexpr int kDisplayTextLeft = 2;

struct PlacedChar {
  char c;
  int x;     // left edge in client pixels
  int line;  // 0..4
};

struct DisplayLayout {
  std::vector<PlacedChar> chars;  // the characters that are drawn, in text order
  std::vector<int> lineEnds;      // per line: the x just after its last character; 0 when a
                                  // character too wide for any line left it empty
};

// advance(c): the width the character takes ("^" and "|" are glyphs, the rest text);
// right: the client's right edge. Characters after the fifth line are left out.
DisplayLayout LayOutMacroText(std::string_view text, const std::function<int(char)>& advance,
                              int right);

}  // namespace assign
