// Wide strings, the UTF-8 bridge, the translator and the integer reading of JSON numbers.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "drivesys/drivesys.h"

namespace {
TEST(Utf8Bridge, RoundTripsEveryValidCodePoint) {
    std::wstring all;
    for (uint32_t cp = 0; cp <= 0x10FFFF; cp += (cp < 0x800 ? 1 : 97)) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        all.push_back(static_cast<wchar_t>(cp));
    }
    all.push_back(static_cast<wchar_t>(0x10FFFF));
    EXPECT_EQ(ntypes::fromUtf8(ntypes::toUtf8(all)), all);
    EXPECT_EQ(ntypes::toUtf8(L"\u00e4\u20ac\U0001D11E"), "\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E");
}

TEST(Utf8Bridge, InvalidInputBecomesReplacementCharacters) {
    std::wstring bad;
    bad.push_back(static_cast<wchar_t>(0xD800));
    bad.push_back(static_cast<wchar_t>(0x110000));
    bad.push_back(static_cast<wchar_t>(-1));
    EXPECT_EQ(ntypes::toUtf8(bad), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ntypes::fromUtf8("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(ntypes::fromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");      // overlong: bad lead byte, then a lone continuation
    EXPECT_EQ(ntypes::fromUtf8("\xE2\x82"), L"\uFFFD");            // truncated
    EXPECT_EQ(ntypes::fromUtf8("\xED\xA0\x80"), L"\uFFFD");        // encoded surrogate
    EXPECT_EQ(ntypes::fromUtf8("\xF4\x90\x80\x80"), L"\uFFFD");    // above U+10FFFF
    EXPECT_EQ(ntypes::fromUtf8("\xE2\x82x"), L"\uFFFDx");          // broken sequence keeps the next byte
}

TEST(NWString, Operations) {
    EXPECT_EQ(nWString(L"  a b \t\n").Trim(), L"a b");
    EXPECT_TRUE(nWString(L"").ToStringList().empty());
    EXPECT_EQ(nWString(L"a,,b").ToStringList().size(), 3u);
    EXPECT_EQ(nWString(0.1), L"0.1");
    EXPECT_EQ(nWString(1e-5), L"1e-05");
    EXPECT_EQ(nWString(-7), L"-7");
    EXPECT_EQ(nWString(L'x'), L"x");
    EXPECT_EQ(nWString(L"\u00e4\u20ac").toLatin1(), "\xE4?");
    EXPECT_EQ(nWString::fromLatin1("\xE4"), L"\u00e4");
    EXPECT_EQ(nWString(L"a") + L"b" + nWString(L"c"), L"abc");
}

TEST(Translator, BuiltinTextsFallbackAndLoadedTables) {
    EXPECT_EQ(pool.GetString(740), L"Unnamed");
    EXPECT_EQ(pool.GetString(99999999), L"[text 99999999]");
    const std::string path = ::testing::TempDir() + "texts.json";
    {
        std::ofstream(path) << R"({"740": "Fundament", "12345": "Zw\u00f6lf"})";
    }
    ASSERT_TRUE(pool.loadFromJsonFile(nWString::fromUtf8(path)));
    EXPECT_EQ(pool.GetString(740), L"Fundament");
    EXPECT_EQ(pool.GetString(12345), L"Zw\u00f6lf");
    {
        std::ofstream(path) << R"({"x1": "bad"})";
    }
    EXPECT_FALSE(pool.loadFromJsonFile(nWString::fromUtf8(path)));
    EXPECT_FALSE(pool.loadFromJsonFile(L"/nonexistent/texts.json"));
    pool.resetToBuiltin();
    EXPECT_EQ(pool.GetString(740), L"Unnamed");
    std::remove(path.c_str());
}

}  // namespace

#include <nlohmann/json.hpp>

namespace {
TEST(ValueOps, IntegerMembersRefuseNumbersOutsideTheirRange) {
    using nlohmann::json;
    int i = 5;
    EXPECT_TRUE(nmath::ValueOps<int>::fromJson(json(7.9), i));
    EXPECT_EQ(i, 7);
    EXPECT_FALSE(nmath::ValueOps<int>::fromJson(json(4294967296ull), i));
    EXPECT_EQ(i, 7);
    short s = 1;
    EXPECT_FALSE(nmath::ValueOps<short>::fromJson(json(40000), s));
    unsigned u = 1;
    EXPECT_FALSE(nmath::ValueOps<unsigned>::fromJson(json(-1), u));
    EXPECT_TRUE(nmath::ValueOps<unsigned>::fromJson(json(4294967295u), u));
    EXPECT_EQ(u, 4294967295u);
    int64_t big = 0;
    EXPECT_FALSE(nmath::ValueOps<int64_t>::fromJson(json(9.3e18), big));
    EXPECT_TRUE(nmath::ValueOps<int64_t>::fromJson(json(-9223372036854775807 - 1), big));
    EXPECT_THROW(nmath::ValueOps<int>::assignJson(json(1e30), i), json::out_of_range);
    bool b = false;
    EXPECT_FALSE(nmath::ValueOps<bool>::fromJson(json(1), b));
}

// A floating number is taken when its integral part fits the member: the last value inside each
// bound is read, the first one outside is refused.
template <class T> void expectFloatBounds(double lowest, double highest) {
    using nlohmann::json;
    T v{};
    EXPECT_TRUE(nmath::ValueOps<T>::fromJson(json(highest), v)) << highest;
    EXPECT_EQ(v, static_cast<T>(highest));
    EXPECT_TRUE(nmath::ValueOps<T>::fromJson(json(highest + 0.5), v)) << highest + 0.5;
    EXPECT_EQ(v, static_cast<T>(highest));
    EXPECT_FALSE(nmath::ValueOps<T>::fromJson(json(highest + 1.0), v)) << highest + 1.0;
    EXPECT_TRUE(nmath::ValueOps<T>::fromJson(json(lowest), v)) << lowest;
    EXPECT_EQ(v, static_cast<T>(lowest));
    EXPECT_FALSE(nmath::ValueOps<T>::fromJson(json(lowest - 1.0), v)) << lowest - 1.0;
    EXPECT_EQ(v, static_cast<T>(lowest));
}

TEST(ValueOps, FloatingNumbersMeetIntegerBoundsExactly) {
    expectFloatBounds<short>(-32768.0, 32767.0);
    expectFloatBounds<int>(-2147483648.0, 2147483647.0);
    expectFloatBounds<unsigned>(0.0, 4294967295.0);
}
}  // namespace
