// Prints the quiz's own tables as JSON, for the tests that are not in C++:
// {"firms": [...], "countries": [...], "descriptions": [...], "firmRows":
// [...], "countryRows": [...]}, entry i of each belonging together; a row is
// where the entry's option button stands in its group, from the top. Tests that look for a firm's caption or its
// description in what a user hears take them from here, not retyped.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/quiz_content.h"
#include "tests/support/golden.h"

namespace {

using kestrova::QuizContent;

std::string Quoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : kestrova::testing::Utf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string List(std::u16string_view (*entry)(std::int16_t)) {
    std::string json = "[";
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) json += (i ? ", " : "") + Quoted(entry(i));
    return json + "]";
}

std::string Rows(std::int16_t (*row)(std::int16_t)) {
    std::string json = "[";
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) json += (i ? ", " : "") + std::to_string(row(i));
    return json + "]";
}

}  // namespace

int main() {
    const std::string json = "{\"firms\": " + List(QuizContent::FirmCaption) + ", \"countries\": " +
                             List(QuizContent::CountryCaption) + ", \"descriptions\": " +
                             List(QuizContent::Description) + ", \"firmRows\": " + Rows(QuizContent::FirmRow) +
                             ", \"countryRows\": " + Rows(QuizContent::CountryRow) + "}\n";
    std::fputs(json.c_str(), stdout);
}
