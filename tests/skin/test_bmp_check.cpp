// BmpLooksComplete: truncated BMP files are recognised before decoding, other data is let through.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "skin/bmp_check.h"

namespace {

void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& s, std::size_t at, std::uint16_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8);
}

// A BMP of w by h pixels at `bits` per pixel with an info header of 40 bytes.
std::string Bmp(int w, int h, int bits, std::uint32_t compression = 0) {
  const std::size_t stride = (static_cast<std::size_t>(w) * bits + 31) / 32 * 4;
  std::string s(54 + stride * (h < 0 ? -h : h), '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 2, static_cast<std::uint32_t>(s.size()));
  Put32(s, 10, 54);
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<std::uint32_t>(w));
  Put32(s, 22, static_cast<std::uint32_t>(h));
  Put16(s, 26, 1);
  Put16(s, 28, static_cast<std::uint16_t>(bits));
  Put32(s, 30, compression);
  return s;
}

bool Complete(const std::string& s) {
  return skin::BmpLooksComplete(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

TEST(BmpLooksComplete, WholeFilesPassAndCutFilesDoNot) {
  for (int bits : {1, 4, 8, 24, 32}) {
    const std::string whole = Bmp(37, 11, bits);
    EXPECT_TRUE(Complete(whole)) << bits;
    EXPECT_FALSE(Complete(whole.substr(0, whole.size() - 1))) << bits;
    EXPECT_FALSE(Complete(whole.substr(0, 54))) << bits;
    EXPECT_FALSE(Complete(whole.substr(0, 20))) << bits;
  }
  EXPECT_TRUE(Complete(Bmp(20, -10, 24)));  // top-down
  EXPECT_FALSE(Complete(Bmp(20, -10, 24).substr(0, 200)));
}

TEST(BmpLooksComplete, HeadersThatClaimTooMuchAreRefused) {
  std::string huge = Bmp(4, 4, 24);
  Put32(huge, 18, 0x7FFFFFFF);
  Put32(huge, 22, 0x7FFFFFFF);
  EXPECT_FALSE(Complete(huge));
  std::string offset = Bmp(4, 4, 24);
  Put32(offset, 10, 0xFFFFFFF0);
  EXPECT_FALSE(Complete(offset));
  std::string info = Bmp(4, 4, 24);
  Put32(info, 14, 0xFFFFFFFF);
  EXPECT_FALSE(Complete(info));
}

TEST(BmpLooksComplete, OtherDataIsLeftToTheDecoder) {
  EXPECT_TRUE(Complete(""));
  EXPECT_TRUE(Complete("GIF89a"));
  EXPECT_TRUE(Complete(std::string("\xFF\xD8\xFF\xE0", 4)));
  // Run-length pixels only need to start inside the file.
  std::string rle = Bmp(8, 8, 8, 1);
  EXPECT_TRUE(Complete(rle.substr(0, 60)));
  EXPECT_FALSE(Complete(rle.substr(0, 54)));
}

}  // namespace
