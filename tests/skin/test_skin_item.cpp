// ParseSkinItem: the placement-value grammar, including values that do not follow it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "skin/skin_item.h"

namespace {

using skin::ParseSkinItem;
using skin::SkinItem;

void ExpectRect(const SkinItem& item, int l, int t, int r, int b) {
  EXPECT_EQ(item.rect.left, l);
  EXPECT_EQ(item.rect.top, t);
  EXPECT_EQ(item.rect.right, r);
  EXPECT_EQ(item.rect.bottom, b);
}

TEST(ParseSkinItem, FullValueGivesRectangleTooltipAndLatch) {
  const SkinItem item = ParseSkinItem("A,10,20,30,40,Tip,TRUE");
  EXPECT_STREQ(item.label, "A");
  ExpectRect(item, 10, 20, 40, 60);
  EXPECT_STREQ(item.tooltip, "Tip");
  EXPECT_TRUE(item.latched);
}

TEST(ParseSkinItem, OnlyUpperCaseTrueAfterTheLabelLatches) {
  EXPECT_FALSE(ParseSkinItem("A,10,20,30,40,Tip,FALSE").latched);
  EXPECT_FALSE(ParseSkinItem("A,10,20,30,40,Tip,true").latched);
  EXPECT_FALSE(ParseSkinItem("TRUE,10,20,30,40,Tip,FALSE").latched);
  // The flag is searched for anywhere after the label, tooltip included.
  const SkinItem tip = ParseSkinItem("A,1,2,3,4,TRUEly,FALSE");
  EXPECT_TRUE(tip.latched);
  EXPECT_STREQ(tip.tooltip, "TRUEly");
}

TEST(ParseSkinItem, EmptyValueIsAllZeroAndEmpty) {
  const SkinItem item = ParseSkinItem("");
  EXPECT_STREQ(item.label, "");
  EXPECT_STREQ(item.tooltip, "");
  ExpectRect(item, 0, 0, 0, 0);
  EXPECT_FALSE(item.latched);
}

TEST(ParseSkinItem, ShortAndMalformedValuesStillParse) {
  // Six fields: the tooltip is the field before the last comma.
  const SkinItem six = ParseSkinItem("OK,120,150,61,22,Confirm");
  ExpectRect(six, 120, 150, 181, 172);
  EXPECT_STREQ(six.tooltip, "22");
  // Numbers stop at the first mismatch; the rest stay 0.
  const SkinItem broken = ParseSkinItem("B,5,x,7,8,Tip,FALSE");
  ExpectRect(broken, 5, 0, 5, 0);
  EXPECT_STREQ(broken.tooltip, "Tip");
  // No comma at all: no label, and the whole value is scanned for numbers.
  const SkinItem bare = ParseSkinItem("12");
  EXPECT_STREQ(bare.label, "");
  EXPECT_STREQ(bare.tooltip, "");
  ExpectRect(bare, 12, 0, 12, 0);
  // Spaces before numbers and signs are read like "%d" reads them.
  ExpectRect(ParseSkinItem("C, -3, +4, 10, 20,Tip,FALSE"), -3, 4, 7, 24);
}

TEST(ParseSkinItem, OverLongFieldsAreCutInsideTheirFields) {
  const std::string label(300, 'L');
  const std::string tip(500, 'T');
  const SkinItem item = ParseSkinItem(label + ",1,2,3,4," + tip + ",FALSE");
  EXPECT_EQ(std::strlen(item.label), SkinItem::kLabelSize - 1);
  EXPECT_EQ(std::string(item.label), std::string(39, 'L'));
  EXPECT_EQ(std::strlen(item.tooltip), SkinItem::kTooltipSize - 1);
  EXPECT_EQ(std::string(item.tooltip), std::string(99, 'T'));
  ExpectRect(item, 1, 2, 4, 6);
  // Exactly at the limits nothing is lost.
  const SkinItem exact = ParseSkinItem(std::string(39, 'a') + ",0,0,1,1," + std::string(99, 'b') + ",X");
  EXPECT_EQ(std::strlen(exact.label), 39u);
  EXPECT_EQ(std::strlen(exact.tooltip), 99u);
}

TEST(ParseSkinItem, HugeNumbersSaturateInsteadOfOverflowing) {
  const SkinItem item = ParseSkinItem("A,2147483647,-2147483648,2147483647,-1,Tip,FALSE");
  ExpectRect(item, 2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1);
  const SkinItem longer = ParseSkinItem("A,99999999999999999999999,5,1,1,Tip,FALSE");
  EXPECT_EQ(longer.rect.left, 2147483647);
  EXPECT_EQ(longer.rect.right, 2147483647);
}

}  // namespace
