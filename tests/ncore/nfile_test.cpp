// Text files: appending, exact numbers, reading lines, and files that cannot be opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "drivesys/platform/ncore/nfile.h"

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(NFile, AppendsLinesWithExactNumbers) {
    const std::string path = ::testing::TempDir() + "nfile_append.txt";
    std::remove(path.c_str());
    for (int round = 0; round < 2; ++round) {
        nFile f(nWString::fromUtf8(path), 10, true, nFileEncodingUtf8);
        ASSERT_TRUE(f.is_open());
        f << L"a=" << 0.1 << endl;
        f << nWString(L"b\u00e4=") << -3 << L"," << 4294967295u << L"," << int64_t{-9000000000} << L","
          << uint64_t{18446744073709551615ull} << endl;
        f << L"c=" << 1e-5 << L"," << 123456789.125 << L"," << std::numeric_limits<double>::infinity() << endl;
    }
    const std::string once = "a=0.1\nb\xC3\xA4=-3,4294967295,-9000000000,18446744073709551615\nc=1e-05,123456789.125,inf\n";
    EXPECT_EQ(slurp(path), once + once);
    std::remove(path.c_str());
}

TEST(NFile, ReadsLinesWithoutTheirEnds) {
    const std::string path = ::testing::TempDir() + "nfile_read.txt";
    { std::ofstream(path, std::ios::binary) << "first\r\nsecond\n\nlast"; }
    nFile f(nWString::fromUtf8(path), 1, false, nFileEncodingUtf8);
    ASSERT_TRUE(f.is_open());
    nString line;
    std::vector<std::string> lines;
    while (f.readLine(line, '\n')) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "", "last"}));
    EXPECT_TRUE(f.eof());
    EXPECT_FALSE(f.readLine(line));
    std::remove(path.c_str());
}

TEST(NFile, AFileThatCannotBeOpenedIgnoresWrites) {
    nFile out(L"/nonexistent-folder/x/y.txt", 10, true, nFileEncodingUtf8);
    EXPECT_FALSE(out.is_open());
    out << L"x" << 1.5 << 3 << endl;  // no crash, no effect
    nFile in(L"/nonexistent-folder/none.txt", 1, false, nFileEncodingUtf8);
    nString line;
    EXPECT_FALSE(in.readLine(line));
    EXPECT_TRUE(in.eof());
    nFile bad(L"", 10, true);
    EXPECT_FALSE(bad.is_open());
    nFile badMode(L"/tmp/whatever.txt", 77, true);
    EXPECT_FALSE(badMode.is_open());
}
}  // namespace
