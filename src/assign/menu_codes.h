// What the five command menus return for their items and which function code each result stores.
#pragma once

#include <cstdint>

namespace assign {

enum class Menu { Function, ScrollFunction, BasicCommand, AdditionalCommand, MediaCommand };

// Number of items; item k is the menu's BUTTONPOS key k (1..N).
int ItemCount(Menu menu);
// The result a menu returns when item k is clicked; -1 for k outside 1..N.
int ItemResult(Menu menu, int item);
// The function code a caller stores for a menu's result; 0 for a result the menu never returns,
// -1 (closed without a choice) included. Codes 8 and 97 open the macro editor and the profile
// switch dialog instead of being stored.
std::uint8_t CodeOfResult(Menu menu, int result);
// The item (1..N) that stands for a stored code: the item that stores it; for the function and
// scroll function menus also the key panel's item for what the key panel stores (single keys,
// macros, commands) and the profile switch item for what its dialog stores. 0 for none.
int ItemOfCode(Menu menu, std::uint8_t code);
// Whether item k can be clicked while button `buttonIndex` (0..8) is edited: the additional
// command menu's item 1 is not for the wheel directions and the tilts (buttons 6 to 9).
bool ItemEnabled(Menu menu, int item, int buttonIndex);

}  // namespace assign
