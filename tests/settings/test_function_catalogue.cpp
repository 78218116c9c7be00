// The function catalogue: face cells, names and the codes a loaded record keeps, for all 256 codes.
#include <gtest/gtest.h>

#include <string>

#include "settings/function_catalogue.h"
#include "settings/profile_set.h"

using namespace settings;

namespace {

// Codes first..last are pictured by consecutive cells from `cell` (shared = one cell for all).
struct CellRun {
  int first, last, cell;
  bool shared;
};

constexpr CellRun kCellRuns[] = {
    {1, 4, 1, false},    {6, 6, 50, false},   {7, 7, 45, false},   {8, 8, 5, false},
    {9, 9, 43, false},   {10, 11, 35, false}, {12, 13, 29, false}, {16, 17, 33, true},
    {18, 22, 39, false}, {23, 24, 53, false}, {32, 35, 21, false}, {36, 36, 21, false},
    {37, 39, 25, false}, {48, 48, 47, false}, {49, 49, 51, false}, {64, 72, 7, false},
    {80, 81, 16, false}, {83, 85, 18, false}, {86, 86, 49, false}, {87, 87, 46, false},
    {96, 96, 28, false}, {97, 97, 37, false}, {98, 98, 6, false},  {112, 113, 31, false},
    {114, 114, 38, false},
};

int ExpectedCell(int code) {
  for (const CellRun& run : kCellRuns)
    if (code >= run.first && code <= run.last)
      return run.shared ? run.cell : run.cell + code - run.first;
  return 0;
}

// The codes a profile file may hold, as ranges.
bool ExpectedAccepted(int code) {
  return (code >= 1 && code <= 24) || (code >= 32 && code <= 39) || code == 48 || code == 49 ||
         (code >= 64 && code <= 72) || (code >= 80 && code <= 87) || (code >= 112 && code <= 114);
}

std::string ExpectedName(int code) {
  static const struct {
    int code;
    const char* name;
  } kNames[] = {{1, "click"},        {2, "menu"},           {3, "universal scrolling"},
                {4, "double click"}, {7, "button off"},     {8, "advance"},
                {10, "Windows button4"}, {11, "Windows button5"}, {48, "Scroll Up"},
                {49, "Scroll Down"}, {97, "Switch profile"}, {112, "Tilt Left"},
                {113, "Tilt Right"}};
  for (const auto& n : kNames)
    if (n.code == code) return n.name;
  return "";
}

TEST(FunctionCatalogueTest, EveryCodeHasItsCellNameAndLoadRule) {
  for (int code = -1; code <= 256; ++code) {
    const int cell = ExpectedCell(code);
    EXPECT_EQ(FaceCellIndex(code), cell - 1) << "code " << code;
    EXPECT_EQ(IsAcceptedCode(code), ExpectedAccepted(code)) << "code " << code;
    const FunctionInfo* row = FindFunction(code);
    EXPECT_EQ(row ? std::string(row->name) : "", ExpectedName(code)) << "code " << code;
  }
  // The 54 codes a file may hold, and 96, 97 and 98, which only have pictures.
  EXPECT_EQ(FunctionCatalogue().size(), 57u);
}

}  // namespace
