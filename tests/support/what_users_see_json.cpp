// Prints what_users_see.h as JSON, for the tests that are not in C++.
#include <cstdio>
#include <string>
#include <string_view>

#include "support/sha256.h"
#include "support/what_users_see.h"

namespace seen = kestrova::testing::seen;

namespace {

std::string Quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

}  // namespace

int main() {
    std::string json = "{\"densities\": [";
    for (const seen::AtDensity& d : seen::kDensities) {
        json += (json.back() == '[' ? "" : ", ") + std::string("{\"dpi\": ") + std::to_string(d.dpi) +
                ", \"clientWidth\": " + std::to_string(d.clientWidth) + ", \"clientHeight\": " +
                std::to_string(d.clientHeight) + ", \"ringWidth\": " + std::to_string(d.ringWidth) + "}";
    }
    json += "], \"leastRingContrast\": " + std::to_string(seen::kLeastRingContrast);
    json += ", \"headingCentreSlack\": " + std::to_string(seen::kHeadingCentreSlack);
    json += ", \"resultBoxName\": " + Quoted(kestrova::testing::Utf8(seen::kResultBoxName));
    json += ", \"politeness\": " + Quoted(seen::kPoliteness);
    json += ", \"rightVerdict\": " + Quoted(kestrova::testing::Utf8(seen::kRightVerdict));
    json += ", \"wrongVerdict\": " + Quoted(kestrova::testing::Utf8(seen::kWrongVerdict));
    json += ", \"prompt\": " + Quoted(kestrova::testing::Utf8(seen::kPrompt));
    json += ", \"commandCaptions\": [";
    for (std::u16string_view caption : seen::kCommandCaptions) {
        json += (json.back() == '[' ? "" : ", ") + Quoted(kestrova::testing::Utf8(caption));
    }
    json += "]";
    json += ", \"commandColours\": [";
    for (const seen::CommandColour& c : seen::kCommandColours) {
        json += (json.back() == '[' ? "" : ", ") + std::string("[") + std::to_string(c.r) + ", " +
                std::to_string(c.g) + ", " + std::to_string(c.b) + "]";
    }
    json += "], \"leastPressedChange\": " + std::to_string(seen::kLeastPressedChange);
    json += ", \"hiddenControls\": [";
    for (std::string_view id : seen::kHiddenControls) json += (json.back() == '[' ? "" : ", ") + Quoted(id);
    json += "], \"rowOverlapTwips\": " + std::to_string(seen::kRowOverlapTwips) + "}\n";
    std::fputs(json.c_str(), stdout);
}
