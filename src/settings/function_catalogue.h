// The button function codes: each code's picture cell, its name, whether a loaded record keeps it.
#pragma once

#include <cstdint>
#include <span>

namespace settings {

// Codes that the program itself acts on; the others are only stored and pictured.
constexpr std::uint8_t kCodeClick = 1;
constexpr std::uint8_t kCodeSingleKey = 5;
constexpr std::uint8_t kCodeKeyboardMacro = 6;
constexpr std::uint8_t kCodeAdvance = 8;
constexpr std::uint8_t kCodeSwitchProfile = 97;
constexpr std::uint8_t kCodeNothingChosen = 98;
constexpr std::uint8_t kCodeAllProfiles = 114;
constexpr std::uint8_t kCodeNotSet = 255;

// One function code. Codes missing from the catalogue have no picture and are never kept on load.
struct FunctionInfo {
  std::uint8_t code;
  std::uint8_t faceCell;  // BUTTONINFO key of skin_menu_all.ini that pictures the code; 0 = none
  const char* name;       // the function's own name; "" when only its picture names it
  bool accepted;          // a loaded record may keep this code
};

// Every catalogued code, in ascending order.
std::span<const FunctionInfo> FunctionCatalogue();
// The row of `code`, or null when the code is not catalogued.
const FunctionInfo* FindFunction(int code);
// Index (cell - 1) of the face cell of `code` in the table of cells; -1 when the code has none.
int FaceCellIndex(int code);

}  // namespace settings
