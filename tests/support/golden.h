#pragma once

// The quiz's fixed texts are compared with files in tests/golden, which hold
// them exactly in UTF-8, "\r\n" and trailing blanks included. A difference
// is reported by its line and character, with both versions from there on.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

namespace kestrova::testing {

inline std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The golden file's bytes; a file that cannot be read holds nothing.
inline std::string GoldenText(std::string_view name) {
    std::ifstream file(std::string(KESTROVA_GOLDEN_DIR) + "/" + std::string(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Where two UTF-8 texts first differ, as "line L, character C" with what
// each holds there, control characters shown as \r, \n; empty when equal.
inline std::string FirstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual) return {};
    std::size_t at = 0, line = 1, column = 1;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        if (expected[at] == '\n') {
            ++line;
            column = 1;
        } else if ((expected[at] & 0xC0) != 0x80) {
            ++column;  // a character starts here: count characters, not bytes
        }
        ++at;
    }
    // Back to the start of the character that differs.
    while (at > 0 && (expected[at] & 0xC0) == 0x80) --at;
    // Up to 30 characters from there, whole ones.
    const auto from = [at](std::string_view text) {
        if (at >= text.size()) return std::string("(the end of the text)");
        std::string shown;
        std::size_t i = at;
        for (int characters = 0; i < text.size(); ++i) {
            if ((text[i] & 0xC0) != 0x80 && characters++ == 30) break;
            shown += text[i] == '\r' ? std::string("\\r") : text[i] == '\n' ? std::string("\\n") : std::string(1, text[i]);
        }
        return "\"" + shown + (i < text.size() ? "\"..." : "\"");
    };
    std::ostringstream out;
    out << "line " << line << ", character " << column << ": expected " << from(expected) << ", got "
        << from(actual);
    return out.str();
}

// The text is the golden file `name`, byte for byte in UTF-8.
inline ::testing::AssertionResult MatchesGolden(std::u16string_view text, std::string_view name) {
    const std::string golden = GoldenText(name);
    if (golden.empty()) return ::testing::AssertionFailure() << "tests/golden/" << name << " is missing or empty";
    const std::string difference = FirstDifference(golden, Utf8(text));
    if (difference.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differs from tests/golden/" << name << " at " << difference;
}

}  // namespace kestrova::testing
