#include "core/quiz_content.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/golden.h"

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

TEST(QuizContentTest, EachFirmIsPairedWithItsHomeCountry) {
    // The answer key, written out here on its own: a firm and its country
    // share an index, and that index alone makes an answer right.
    const std::array<std::pair<std::u16string_view, std::u16string_view>, 10> key{{
        {u"Samsung Group", u"Южна Корея"}, {u"Siemens AG", u"Германия"}, {u"Nokia", u"Финландия"},
        {u"Panasonic", u"Япония"},         {u"Sony Mobile", u"Англия"},  {u"Ericsson", u"Швеция"},
        {u"Alcatel SA", u"Франция"},       {u"Lenovo Group", u"Китай"},  {u"Motorola", u"САЩ"},
        {u"BenQ", u"Тайван"},
    }};
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(QuizContent::FirmCaption(i), key[std::size_t(i)].first) << "index " << i;
        EXPECT_EQ(QuizContent::CountryCaption(i), key[std::size_t(i)].second) << "index " << i;
    }
}

TEST(QuizContentTest, EveryDescriptionIsExactToTheCharacter) {
    // tests/golden/descriptions.txt: line i + 1 is description i, trailing
    // blanks and the double blank in description 4 included.
    std::u16string all;
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) all.append(QuizContent::Description(i)).append(u"\n");
    EXPECT_TRUE(testing::MatchesGolden(all, "descriptions.txt")) << "(line i + 1 is description i)";
}

TEST(QuizContentTest, AWrongCharacterIsNamedByItsLineAndPlace) {
    // How a failed comparison with a golden text reads.
    EXPECT_EQ(testing::FirstDifference("Samsung Group", "Samsung Gruop"),
              "line 1, character 11: expected \"oup\", got \"uop\"");
    EXPECT_EQ(testing::FirstDifference("а\r\nбв", "а\r\nбX"), "line 2, character 2: expected \"в\", got \"X\"");
    EXPECT_EQ(testing::FirstDifference("ред \r\n", "ред\r\n"),
              "line 1, character 4: expected \" \\r\\n\", got \"\\r\\n\"");
    EXPECT_EQ(testing::FirstDifference("край", "край"), "");
    EXPECT_FALSE(testing::MatchesGolden(u"", "descriptions.txt"));
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
        // The index refused, and the range it should have been in.
        EXPECT_EQ(std::string(e.what()), "quiz index -15 is outside 0..9");
    }
}

}  // namespace
}  // namespace kestrova
