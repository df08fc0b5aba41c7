#include "quiz_content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrova {
namespace {

using Captions = std::vector<std::u16string_view>;

Captions InRowOrder(std::u16string_view (*caption)(std::int16_t), std::int16_t (*row)(std::int16_t)) {
    Captions byRow(QuizContent::kRowCount);
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        byRow.at(static_cast<std::size_t>(row(i))) = caption(i);
    }
    return byRow;
}

TEST(QuizContentTest, GroupsReadAlphabeticallyFromTopToBottom) {
    const Captions firms{u"Alcatel SA", u"BenQ",     u"Ericsson",      u"Lenovo Group", u"Motorola",
                         u"Nokia",      u"Panasonic", u"Samsung Group", u"Siemens AG",   u"Sony Mobile"};
    const Captions countries{u"Англия",    u"Германия", u"Китай",  u"САЩ",        u"Тайван",
                             u"Финландия", u"Франция",  u"Швеция", u"Южна Корея", u"Япония"};
    EXPECT_EQ(InRowOrder(&QuizContent::FirmCaption, &QuizContent::FirmRow), firms);
    EXPECT_EQ(InRowOrder(&QuizContent::CountryCaption, &QuizContent::CountryRow), countries);
}

TEST(QuizContentTest, CaptionsAndRowsAreUniqueInEachGroup) {
    std::set<std::u16string_view> firms, countries;
    std::set<int> firmRows, countryRows;
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        firms.insert(QuizContent::FirmCaption(i));
        countries.insert(QuizContent::CountryCaption(i));
        firmRows.insert(QuizContent::FirmRow(i));
        countryRows.insert(QuizContent::CountryRow(i));
    }
    EXPECT_EQ(firms.size(), 10u);
    EXPECT_EQ(countries.size(), 10u);
    EXPECT_EQ(firmRows, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(countryRows, firmRows);
}

TEST(QuizContentTest, OnlyNokiaSharesItsRowWithItsCountry) {
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(QuizContent::FirmRow(i) == QuizContent::CountryRow(i), i == 2) << "index " << i;
    }
}

TEST(QuizContentTest, EachDescriptionOpensWithItsOwnFirm) {
    const std::array<std::u16string_view, 10> openings{
        u"Samsung Group ", u"Siemens AG ", u"Нокиа (на фински: Nokia)", u"Panasonic ", u"Sony Mobile ",
        u"Ericsson ",      u"Alcatel SA ", u"Lenovo Group,",            u"Моторола (анг.: Motorola", u"BenQ "};
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        const auto description = QuizContent::Description(i);
        const auto opening = openings[static_cast<std::size_t>(i)];
        EXPECT_EQ(description.substr(0, opening.size()), opening) << "index " << i;
        if (!opening.starts_with(u"Нокиа") && !opening.starts_with(u"Моторола")) {
            EXPECT_TRUE(opening.starts_with(QuizContent::FirmCaption(i))) << "index " << i;
        }
    }
}

TEST(QuizContentTest, DescriptionsKeepTheirExactLengthsAndBlanks) {
    EXPECT_EQ(QuizContent::Description(2).size(), 450u);
    std::size_t longest = 0;
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        const auto d = QuizContent::Description(i);
        longest = std::max(longest, d.size());
        const bool endsWithOneBlank = d.ends_with(u" ") && !d.ends_with(u"  ");
        EXPECT_EQ(endsWithOneBlank, i == 0 || i == 1 || i == 3 || i == 7) << "index " << i;
        EXPECT_FALSE(d.ends_with(u"  ")) << "index " << i;
        EXPECT_EQ(d.find_first_of(u"\r\n"), std::u16string_view::npos) << "index " << i;
    }
    EXPECT_EQ(longest, 450u);
    EXPECT_NE(QuizContent::Description(4).find(u"аксесоари.  Управлението"), std::u16string_view::npos);
}

TEST(QuizContentTest, EveryAccessorRejectsIndicesOutsideTheTable) {
    const std::array<std::int16_t, 6> bad{-1, 10, -5, -15, std::numeric_limits<std::int16_t>::min(),
                                          std::numeric_limits<std::int16_t>::max()};
    for (const std::int16_t i : bad) {
        EXPECT_THROW(QuizContent::FirmCaption(i), std::out_of_range) << i;
        EXPECT_THROW(QuizContent::CountryCaption(i), std::out_of_range) << i;
        EXPECT_THROW(QuizContent::Description(i), std::out_of_range) << i;
        EXPECT_THROW(QuizContent::FirmRow(i), std::out_of_range) << i;
        EXPECT_THROW(QuizContent::CountryRow(i), std::out_of_range) << i;
    }
    try {
        QuizContent::Description(-15);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string(e.what()).find("-15"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace kestrova
