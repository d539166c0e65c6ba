#include <gtest/gtest.h>

#include "drivesys/housing/boundedmessage.h"

TEST(BoundedMessage, FormatsWithinTheBuffer) {
    EXPECT_EQ(formatBoundedMessage(L"Node {0} at {1}", 12u, std::wstring_view(L"3.00 mm")), L"Node 12 at 3.00 mm");
    EXPECT_EQ(formatBoundedMessage(L"{1}-{0}", 1, 2), L"2-1");
}

TEST(BoundedMessage, FallsBackToTheTemplate) {
    // 1023 characters fit; 1024 do not.
    const std::wstring fits(1023 - 2, L'x');
    EXPECT_EQ(formatBoundedMessage(L"{}{}", std::wstring_view(fits), 12).size(), 1023u);
    EXPECT_EQ(formatBoundedMessage(L"{}{}", std::wstring_view(fits), 123), L"{}{}");
    // Bad fields: missing argument, a presentation type that does not fit the argument, an unclosed brace.
    EXPECT_EQ(formatBoundedMessage(L"a {3}", 1), L"a {3}");
    EXPECT_EQ(formatBoundedMessage(L"a {0:d}", std::wstring_view(L"text")), L"a {0:d}");
    EXPECT_EQ(formatBoundedMessage(L"a {0", 1), L"a {0");
    // A template that is itself too long is cut to 1023 characters.
    const std::wstring longTemplate = std::wstring(2000, L'y') + L"{}";
    const nWString out = formatBoundedMessage(longTemplate, 1);
    EXPECT_EQ(out, longTemplate.substr(0, 1023));
}
