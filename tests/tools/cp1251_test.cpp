#include "platform/cp1251.h"

#include <iconv.h>

#include <gtest/gtest.h>

namespace rezov {
namespace {

// The refusal message's fixed tail as the module writes it, byte by byte.
const unsigned char kTail[] = {0x20, 0xC2, 0x20, 0xCE, 0xC4, 0xCD, 0xCE, 0xCC, 0x20, 0xE8, 0x20,
                               0xD2, 0xCE, 0xCC, 0x20, 0xC6, 0xC5, 0x20, 0xD2, 0xD3, 0xD0, 0xC5,
                               0x20, 0xCF, 0xD0, 0xCE, 0xC2, 0xCE, 0xC4, 0xC8, 0xD2, 0xDC, 0x20,
                               0xCD, 0xC5, 0xCB, 0xDC, 0xC7, 0xDF, 0x20, 0x21, 0x21, 0x21};

TEST(Cp1251ToUtf8, TheRefusalMessage) {
  const std::string message =
      "QSO c R3AA" + std::string(reinterpret_cast<const char*>(kTail), sizeof kTail);
  EXPECT_EQ(Cp1251ToUtf8(message),
            "QSO c R3AA \xD0\x92 \xD0\x9E\xD0\x94\xD0\x9D\xD0\x9E\xD0\x9C \xD0\xB8 "
            "\xD0\xA2\xD0\x9E\xD0\x9C \xD0\x96\xD0\x95 \xD0\xA2\xD0\xA3\xD0\xA0\xD0\x95 "
            "\xD0\x9F\xD0\xA0\xD0\x9E\xD0\x92\xD0\x9E\xD0\x94\xD0\x98\xD0\xA2\xD0\xAC "
            "\xD0\x9D\xD0\x95\xD0\x9B\xD0\xAC\xD0\x97\xD0\xAF !!!");
}

TEST(Cp1251ToUtf8, EdgesOfTheRanges) {
  EXPECT_EQ(Cp1251ToUtf8(""), "");
  EXPECT_EQ(Cp1251ToUtf8("abc\x7F"), "abc\x7F");
  EXPECT_EQ(Cp1251ToUtf8("\xC0"), "\xD0\x90");      // А
  EXPECT_EQ(Cp1251ToUtf8("\xFF"), "\xD1\x8F");      // я
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "\xD0\x81\xD1\x91");  // Ё ё
  EXPECT_EQ(Cp1251ToUtf8("\xB9"), "\xE2\x84\x96");  // №
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");  // unassigned
}

// Every assigned byte against the system's own converter.
TEST(Cp1251ToUtf8, AgreesWithIconvOnEveryByte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "iconv has no CP1251";
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;
    char in[1] = {static_cast<char>(b)};
    char out[8] = {0};
    char* inp = in;
    char* outp = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    ASSERT_NE(iconv(cd, &inp, &inLeft, &outp, &outLeft), static_cast<std::size_t>(-1)) << b;
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(b))),
              std::string(out, sizeof out - outLeft))
        << "byte " << b;
  }
  iconv_close(cd);
}

}  // namespace
}  // namespace rezov
