// The item, result and code tables of the command menus.
#include "assign/menu_codes.h"

#include <span>

namespace assign {
namespace {

struct MenuItem {
  int result;
  std::uint8_t code;
};

// Item k of each menu is row k - 1. The function menu's last item returns 13, not 11, and the
// scroll function menu's results are its own item indices; both are mapped to codes here.
constexpr MenuItem kFunctionItems[] = {{0, 1},  {1, 2},  {2, 3},   {3, 4},   {4, 8},  {5, 10},
                                       {6, 11}, {7, 97}, {8, 112}, {9, 113}, {10, 7}, {13, 114}};
constexpr MenuItem kScrollItems[] = {{0, 1}, {1, 2}, {2, 4}, {3, 8}, {4, 48}, {5, 49}, {6, 7}};
constexpr MenuItem kBasicItems[] = {{0, 64}, {1, 65}, {2, 66}, {3, 67}, {4, 68},
                                    {5, 69}, {6, 70}, {7, 71}, {8, 72}};
constexpr MenuItem kAdditionalItems[] = {{0, 80}, {1, 81}, {2, 83}, {3, 84},
                                         {4, 85}, {5, 86}, {6, 87}};
constexpr MenuItem kMediaItems[] = {{0, 32}, {1, 33}, {2, 34}, {3, 35}, {4, 37}, {5, 38}, {6, 39}};

std::span<const MenuItem> ItemsOf(Menu menu) {
  switch (menu) {
    case Menu::Function: return kFunctionItems;
    case Menu::ScrollFunction: return kScrollItems;
    case Menu::BasicCommand: return kBasicItems;
    case Menu::AdditionalCommand: return kAdditionalItems;
    case Menu::MediaCommand: return kMediaItems;
  }
  return {};
}

}  // namespace

int ItemCount(Menu menu) { return static_cast<int>(ItemsOf(menu).size()); }

int ItemResult(Menu menu, int item) {
  const std::span<const MenuItem> items = ItemsOf(menu);
  return (item >= 1 && item <= static_cast<int>(items.size())) ? items[item - 1].result : -1;
}

std::uint8_t CodeOfResult(Menu menu, int result) {
  for (const MenuItem& item : ItemsOf(menu))
    if (item.result == result) return item.code;
  return 0;
}

int ItemOfCode(Menu menu, std::uint8_t code) {
  const std::span<const MenuItem> items = ItemsOf(menu);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].code == code) return static_cast<int>(i) + 1;
  if (menu != Menu::Function && menu != Menu::ScrollFunction) return 0;
  // Codes that the item of code 8 (the key panel) or of code 97 (the profile switch) leads to.
  const bool keyPanel = code == 5 || code == 6 || (code >= 32 && code <= 39) || (code >= 64 && code <= 87);
  const bool profileSwitch = code >= 18 && code <= 24;
  if (keyPanel) return ItemOfCode(menu, 8);
  if (profileSwitch) return ItemOfCode(menu, 97);
  return 0;
}

bool ItemEnabled(Menu menu, int item, int buttonIndex) {
  if (item < 1 || item > ItemCount(menu)) return false;
  // Code 80 is withheld from the two wheel directions and the two tilts.
  const bool wheelOrTilt = buttonIndex >= 5 && buttonIndex <= 8;
  return !(menu == Menu::AdditionalCommand && item == 1 && wheelOrTilt);
}

}  // namespace assign
