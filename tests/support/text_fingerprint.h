#pragma once

// A long fixed text held by a test without a copy of it: the SHA-256 of its
// UTF-8, which one wrong character changes, and a trace that says where it
// went wrong: one letter per character, chosen by a hash of the character
// and its place in its line, with '|' for each line break ("\r\n"). A text
// that fails is reported by the line and the first character whose letter
// differs, and what the text has there.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "support/sha256.h"

namespace kestrova::testing {

struct TextFingerprint {
    std::string_view sha256;
    std::string_view trace;
};

inline std::string Trace(std::u16string_view text) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string trace;
    std::uint32_t column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == u"\r\n") {
            trace += '|';
            column = 0;
            ++i;
            continue;
        }
        std::uint32_t h = text[i] * 2654435761u ^ (column++ + 1) * 40503u;
        h ^= h >> 15;
        h *= 2246822519u;
        h ^= h >> 13;
        trace += kLetters[h >> 26];
    }
    return trace;
}

inline ::testing::AssertionResult MatchesFingerprint(std::u16string_view text, TextFingerprint expected) {
    if (Sha256(text) == expected.sha256) return ::testing::AssertionSuccess();
    const std::string trace = Trace(text);
    std::size_t line = 1, column = 1, at = 0;
    while (at < trace.size() && at < expected.trace.size() && trace[at] == expected.trace[at]) {
        if (trace[at] == '|') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        ++at;
    }
    // The same place in the text: each line break is two characters there.
    std::size_t place = 0;
    for (std::size_t i = 0; i < at; ++i) place += trace[i] == '|' ? 2 : 1;
    std::string seen = place < text.size() ? Utf8(text.substr(place, 20)) : std::string("the end of the text");
    if (at == trace.size() && at == expected.trace.size()) {
        return ::testing::AssertionFailure() << "differs from its fingerprint where the trace cannot tell";
    }
    if (at < expected.trace.size() && expected.trace[at] == '|') seen += " (a line break was expected here)";
    return ::testing::AssertionFailure() << "differs first on line " << line << " at character " << column
                                         << ", where it reads \"" << seen << "\"";
}

}  // namespace kestrova::testing
