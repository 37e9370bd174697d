// readme.txt is shown line by line by the viewer: UTF-8 text with CR LF line ends that covers
// what a user needs.
#include "table_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabletest {
namespace {

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = 0;
        unsigned long code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
        } else
            return false;
        if (i + extra >= text.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return false;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

TEST(Readme, IsUtf8WithCrLfLines)
{
    const std::vector<std::string> lines = ReadCrLfLines(DataPath("readme.txt"));
    EXPECT_GT(lines.size(), 50u);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        EXPECT_TRUE(IsUtf8(lines[n])) << "line " << n + 1;
        EXPECT_EQ(lines[n].find('\r'), std::string::npos) << "line " << n + 1;
    }
}

TEST(Readme, CoversStepsFileTypesLimitsAndCorrection)
{
    std::string text;
    for (const std::string& line : ReadCrLfLines(DataPath("readme.txt"))) text += line + "\n";
    for (const char* topic :
        {"計算スタート", "幾何学的配置", "照射条件設定", "モンテカルロ", ".dsr5", ".dsrC", ".Room",
            "実測値による補正", "統計的なばらつき", "壁", "遮へい", "ファントム", "アナログ"}) {
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
    }
}

TEST(Readme, Utf8CheckRejectsBrokenSequences)
{
    EXPECT_TRUE(IsUtf8("計算 abc"));
    EXPECT_FALSE(IsUtf8(std::string("\xE8\xA8", 2)));
    EXPECT_FALSE(IsUtf8(std::string("\xC0\xAF", 2)));
    EXPECT_FALSE(IsUtf8(std::string("\xED\xA0\x80", 3)));
}

} // namespace
} // namespace tabletest
