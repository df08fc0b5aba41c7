#pragma once

#include <cstdint>
#include <string_view>

namespace kestrova {

// The fixed body of the quiz: ten firms, their home countries and a short
// description of each, compiled into the program.
//
// One table of ten rows (kRows in quiz_content.cpp). Row i holds firm i,
// country i and description i, which belong together: a firm and a country
// with the same index are a right answer, and that is the whole answer key.
// Each row also says where its firm's and its country's option buttons
// stand in their (alphabetical) groups, so a button's place is in general
// not its index. Laying the buttons out is left to the window.
//
// Every accessor throws std::out_of_range for an index outside 0..kRowCount-1.
struct QuizContent {
    static constexpr std::int16_t kRowCount = 10;

    static std::u16string_view FirmCaption(std::int16_t i);
    static std::u16string_view CountryCaption(std::int16_t i);
    static std::u16string_view Description(std::int16_t i);
    static std::int16_t FirmRow(std::int16_t i);
    static std::int16_t CountryRow(std::int16_t i);

    // Throws std::out_of_range naming `i` unless 0 <= i < kRowCount.
    static void CheckIndex(std::int16_t i);
};

}  // namespace kestrova
