#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "drivesys/drivesys.h"

TEST(NColor, TextIsSevenCharacterUpperCaseHex) {
    EXPECT_EQ(NColor::fromRgb(160, 70, 120).text(), L"#A04678");
    EXPECT_EQ(NColor().text(), L"#000000");
    EXPECT_EQ(NColor::fromRgb(255, 255, 255).text(), L"#FFFFFF");
    EXPECT_EQ(NColor::fromRgb(1, 2, 3).text(), L"#010203");
    // Channels outside 0..255 are clamped, not wrapped.
    EXPECT_EQ(NColor::fromRgb(-5, 300, 128).text(), L"#00FF80");
}

TEST(NColor, ParseReadsTheTextFormInEitherCaseAndRejectsOtherTexts) {
    EXPECT_EQ(NColor::parse(L"#A04678"), NColor::fromRgb(160, 70, 120));
    const auto lower = NColor::parse(L"  #a04678\n");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->red(), 160);
    EXPECT_EQ(lower->green(), 70);
    EXPECT_EQ(lower->blue(), 120);
    EXPECT_EQ(lower->rgb(), 0xA04678u);
    for (const wchar_t* bad : {L"", L"#", L"#12345", L"#1234567", L"123456", L"#GG0000", L"#12 456", L"rgb(1,2,3)",
                               L"##12345", L"#-12345", L"#\u00BD23456"})
        EXPECT_FALSE(NColor::parse(bad)) << ntypes::toUtf8(bad);
}

// Scheme 0 colours the element types 0 to 9, scheme 1 the seventeen curves: no colour repeats.
TEST(NColor, SchemesHoldDistinctColoursAndNothingElse) {
    EXPECT_GE(NColor::schemeSize(0), 10);
    EXPECT_EQ(NColor::schemeSize(1), 17);
    for (int scheme : {0, 1}) {
        std::set<uint32_t> seen;
        for (int type = 0; type < NColor::schemeSize(scheme); ++type) {
            EXPECT_TRUE(NColor::hasSchemeColor(scheme, type));
            EXPECT_TRUE(seen.insert(NColor::fromScheme(scheme, type).rgb()).second) << scheme << "/" << type << " repeats";
        }
    }
    // Entries outside the schemes.
    EXPECT_FALSE(NColor::hasSchemeColor(0, -1));
    EXPECT_FALSE(NColor::hasSchemeColor(0, NColor::schemeSize(0)));
    EXPECT_FALSE(NColor::hasSchemeColor(7, 0));
    EXPECT_EQ(NColor::schemeSize(7), 0);
    EXPECT_THROW(NColor::fromScheme(0, -1), std::out_of_range);
    EXPECT_THROW(NColor::fromScheme(0, NColor::schemeSize(0)), std::out_of_range);
    EXPECT_THROW(NColor::fromScheme(2, 0), std::out_of_range);
    EXPECT_THROW(NColor::fromScheme(1, NColor::schemeSize(1)), std::out_of_range);
}
