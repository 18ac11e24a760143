#include "framework/TextEncoding.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TextEncoding, EveryWindows1252ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    // Each undefined byte is carried as its own character, not merged into '?'.
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string one(1, static_cast<char>(undefined));
        const std::string there = Cp1252ToUtf8(one);
        EXPECT_EQ(there, std::string({'\xC2', static_cast<char>(undefined)})) << int(undefined);
        EXPECT_EQ(Utf8ToCp1252(there), one) << int(undefined);
    }
}

TEST(TextEncoding, KnownCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(Cp1252ToUtf8("M\xF6\xDF"), "M\xC3\xB6\xC3\x9F");
    EXPECT_EQ(Cp1252ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
    EXPECT_EQ(Cp1252ToUtf8("a\r\nb"), "a\r\nb");
    EXPECT_EQ(Cp1252ToUtf8(std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(TextEncoding, CharactersWithoutAWindows1252FormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\xE6\x97\xA5"
                           "b"),
              "a?b");                                  // CJK
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
    EXPECT_EQ(Utf8ToCp1252("\xC4\x80"), "?");          // A with macron
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");
}

TEST(TextEncoding, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\x80"), "?");       // lone continuation byte
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");     // cut short at the end
    EXPECT_EQ(Utf8ToCp1252("\xE2\x41"), "?A");  // the next character is not swallowed
    EXPECT_EQ(Utf8ToCp1252("\xFF"
                           "a"),
              "?a");
}

// An overlong form is malformed too: it must not smuggle in a character or a NUL.
TEST(TextEncoding, OverlongFormsAreMalformed) {
    EXPECT_EQ(Utf8ToCp1252("\xC1\x81"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xC0\x80").find('\0'), std::string::npos);
    EXPECT_EQ(Utf8ToCp1252("\xF0\x82\x82\xAC"), "?");  // the euro sign in four bytes
}

TEST(TextEncodingDisplay, UndefinedBytesShowAsTheReplacementCharacter) {
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Cp1252ToDisplayText(std::string{'a', static_cast<char>(undefined), 'b'}),
                  "a\xEF\xBF\xBD"
                  "b")
            << int(undefined);
    }
    // Every defined byte shows as its character.
    for (int b = 0; b < 256; ++b) {
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
            const std::string one(1, static_cast<char>(b));
            EXPECT_EQ(Cp1252ToDisplayText(one), Cp1252ToUtf8(one)) << b;
        }
    }
}

TEST(TextEncodingCheck, NamesEveryCharacterWindows1252CannotHoldOnce) {
    EXPECT_TRUE(CharactersOutsideCp1252("Gr\u00fc\u00dfe \u20ac \u2122 \u0178").empty());
    EXPECT_TRUE(CharactersOutsideCp1252(std::string("a\r\n\0b", 5)).empty());
    EXPECT_EQ(CharactersOutsideCp1252("\u03b1-Fe \u03b1 \u0100\U0001F600"),
              (std::vector<char32_t>{0x03B1, 0x0100, 0x1F600}));
    // Bytes that are not UTF-8 cannot be stored faithfully either.
    EXPECT_EQ(CharactersOutsideCp1252("caf\xE9"), (std::vector<char32_t>{0xFFFD}));
}

TEST(TextEncodingCheck, RefusalTextForTheRemark) {
    EXPECT_EQ(RemarkEncodingRefusal("57Fe in \u20ac-foil, 300 K"), "");
    EXPECT_EQ(RemarkEncodingRefusal("\u03b1-Fe"),
              "Windows-1252 cannot hold \u03b1 (U+03B1); the remark was not stored.");
    EXPECT_EQ(RemarkEncodingRefusal("\u03b1 \u03b3 \U0001F600 \u03b1"),
              "Windows-1252 cannot hold \u03b1 (U+03B1), \u03b3 (U+03B3), \U0001F600 (U+1F600); "
              "the remark was not stored.");
}

}  // namespace
}  // namespace qv
