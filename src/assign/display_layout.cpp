// The wrapping of the macro display.
#include "assign/display_layout.h"

namespace assign {

DisplayLayout LayOutMacroText(std::string_view text, const std::function<int(char)>& advance,
                              int right) {
  DisplayLayout layout;
  int x = kDisplayTextLeft;
  int line = 0;
  for (char c : text) {
    const int width = advance(c);
    if (x + width >= right) {
      if (line + 1 >= kDisplayLines) break;
      ++line;
      x = kDisplayTextLeft;
    }
    layout.chars.push_back(PlacedChar{c, x, line});
    x += width;
    if (static_cast<int>(layout.lineEnds.size()) <= line) layout.lineEnds.resize(line + 1, 0);
    layout.lineEnds[line] = x;
  }
  return layout;
}

}  // namespace assign
