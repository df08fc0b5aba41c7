#include "core/quiz_content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/sha256.h"

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
    // SHA-256 of each description's UTF-8, taken from the texts as given.
    const std::array<std::string_view, 10> fingerprints{
        "58050f884d082549b29e1b941f9ee4ca7fed435944e571e3d15555eadb6ac55c",
        "af0b77b42e5c96e3480ec4eb271ca00981c1f97ee50ea425268db7495fe2ed0b",
        "47b6d9c0a01cf6b2dedf6bee2c05de1a1052abc77a54e4061241f7d1b96463bb",
        "496c41329cc16311c2477963300a57887a138bd5bd9a616208a9d13fbd24d743",
        "d88869157084377f2ae525240bfa8df149bd78af5923f046ccf2b615170c1a8f",
        "413683df4cd9986200670d04d57901375b88b47dd505c27b5af3b67c69f9e61a",
        "73fdedc7d0f22734a86d1ad85cc4b05e84982f6ceb5a819e66fc6d2469b98509",
        "14cdf72ce59d7993c50f8959d0d5a9c76b8646ec63a129cd05441cad8482ae5b",
        "42410abd506184d415abb52429750538b81722b46a6e0354b7e3e6fc9f8a622c",
        "5abc2fa1db95ae07976b1a254595a4092974a05a10118ef5049e32a1b59ed01b",
    };
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(testing::Sha256(QuizContent::Description(i)), fingerprints[std::size_t(i)]) << "description " << i;
    }
    // The fingerprint itself, checked on a text known elsewhere.
    EXPECT_EQ(testing::Sha256(u"abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
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
