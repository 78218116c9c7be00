// The table of button function codes, shared by load-time validation, button faces and menus.
#include "settings/function_catalogue.h"

#include <algorithm>

namespace settings {
namespace {

// Codes 96, 97 and 98 have pictures but are never stored by a menu or the editor, so a file
// that holds them is treated as damaged.
constexpr FunctionInfo kCatalogue[] = {
    {1, 1, "click", true},
    {2, 2, "menu", true},
    {3, 3, "universal scrolling", true},
    {4, 4, "double click", true},
    {5, 0, "", true},  // single key: its face is the plain key face with the key's name
    {6, 50, "", true},
    {7, 45, "button off", true},
    {8, 5, "advance", true},
    {9, 43, "", true},
    {10, 35, "Windows button4", true},
    {11, 36, "Windows button5", true},
    {12, 29, "", true},
    {13, 30, "", true},
    {14, 0, "", true},
    {15, 0, "", true},
    {16, 33, "", true},
    {17, 33, "", true},
    {18, 39, "", true},
    {19, 40, "", true},
    {20, 41, "", true},
    {21, 42, "", true},
    {22, 43, "", true},
    {23, 53, "", true},
    {24, 54, "", true},
    {32, 21, "", true},
    {33, 22, "", true},
    {34, 23, "", true},
    {35, 24, "", true},
    {36, 21, "", true},
    {37, 25, "", true},
    {38, 26, "", true},
    {39, 27, "", true},
    {48, 47, "Scroll Up", true},
    {49, 51, "Scroll Down", true},
    {64, 7, "", true},
    {65, 8, "", true},
    {66, 9, "", true},
    {67, 10, "", true},
    {68, 11, "", true},
    {69, 12, "", true},
    {70, 13, "", true},
    {71, 14, "", true},
    {72, 15, "", true},
    {80, 16, "", true},
    {81, 17, "", true},
    {82, 0, "", true},
    {83, 18, "", true},
    {84, 19, "", true},
    {85, 20, "", true},
    {86, 49, "", true},
    {87, 46, "", true},
    {96, 28, "", false},
    {97, 37, "Switch profile", false},
    {98, 6, "", false},
    {112, 31, "Tilt Left", true},
    {113, 32, "Tilt Right", true},
    {114, 38, "", true},
};

constexpr bool Ascending() {
  for (std::size_t i = 1; i < std::size(kCatalogue); ++i)
    if (kCatalogue[i - 1].code >= kCatalogue[i].code) return false;
  return true;
}
static_assert(Ascending(), "FindFunction searches the catalogue by halving");

}  // namespace

std::span<const FunctionInfo> FunctionCatalogue() { return kCatalogue; }

const FunctionInfo* FindFunction(int code) {
  const auto* end = std::end(kCatalogue);
  const auto* row = std::lower_bound(std::begin(kCatalogue), end, code,
                                     [](const FunctionInfo& f, int c) { return f.code < c; });
  return (row != end && row->code == code) ? row : nullptr;
}

int FaceCellIndex(int code) {
  const FunctionInfo* row = FindFunction(code);
  return (row && row->faceCell != 0) ? row->faceCell - 1 : -1;
}

}  // namespace settings
