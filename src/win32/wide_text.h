// Paths and names travel through the programs as UTF-8 and meet the system as UTF-16 at its
// wide-character calls, so that they may hold any character Windows allows, whatever the
// machine's code page.
#pragma once

#include <string>
#include <string_view>

namespace win {

std::wstring Widen(std::string_view utf8);
// A text the system gave in the machine's ANSI code page (an ANSI call's result).
std::wstring WidenCodePage(std::string_view text);
std::string Narrow(std::wstring_view wide);

}  // namespace win
