#include <gtest/gtest.h>

#include "shared/Cp1251.h"

using shared::Cp1251ToUtf8;
using shared::Utf8ToCp1251;

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, char(b));
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
    }
}

TEST(Cp1251, CyrillicAndPunctuation) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xE1\xFF"), "Абя");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xAA\xBA\xB2\xB3\xAF\xBF\xA5\xB4"), "ЁёЄєІіЇїҐґ");
    EXPECT_EQ(Cp1251ToUtf8("\x92\xB9"), "’№");
    EXPECT_EQ(Utf8ToCp1251("з’єднання"), "\xE7\x92\xBA\xE4\xED\xE0\xED\xED\xFF");
}

TEST(Cp1251, WhatItCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b");  // a CJK character
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");                      // not UTF-8 at all
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");  // cut sequence
}
