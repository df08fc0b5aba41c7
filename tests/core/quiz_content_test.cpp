#include "core/quiz_content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/text_fingerprint.h"

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
    // Each description's fingerprint, taken from the texts as given.
    const std::array<testing::TextFingerprint, 10> fingerprints{{
        {"58050f884d082549b29e1b941f9ee4ca7fed435944e571e3d15555eadb6ac55c",
         "zilYovWlYheqvtLKInBC+UOtnq7jxTMF8UBO2FbGBwitLGCtw5r0aEufXpTbyBjsaXTSZgGC6r3Qddyj6ALwUeD6Uob+pFJI"
         "cfMr6l0jdgd"},
        {"af0b77b42e5c96e3480ec4eb271ca00981c1f97ee50ea425268db7495fe2ed0b",
         "zT+XuvolmuJxZKK/iv3FCApHHU97Yad7NTAJXVAioPkz6TYa/aTHaovVyn5UTn3sr+MWVA/82YnKgCrY3+d/IXDSy0s0pyWv"
         "sen4w/VtbncOMhFpH0VR/8J4UV1g1lNGdlRwIIBMqprfVSAtp0yqb7Le8bpDdVkhdHgT2dF7WPh2e/zTTiKqaEk9Rd6FGB8Q"
         "iidXw+BRDZxc36GDAe6En5A+DhKsv2nuLStCCh8emVH6/bZw"},
        {"47b6d9c0a01cf6b2dedf6bee2c05de1a1052abc77a54e4061241f7d1b96463bb",
         "77lQkAytfqrAZ/HnIcIojkcHHmwfLYsjRcK0qCn5wTxCKKS0/F6xaFv8j+t7FiRUGX6ydwRb6THzHm3EkvtVU65jI0smZ/uv"
         "ceJ3AcwqbcQ6q1YM1y2rvEtIyMd4DqvKXHD5yTkVgvoW7X5SkYEtRn6qrjdmI35YSKCwbKQ4kuvDDQjHCUCHOEu9FGx1KDFQ"
         "iiCZ/eikZ1WndxXVrzGIcW6mNAggL3J3pOt1ujYemPFwRB1LstsjMUN1P/O72wRM1IR3f2/IQX4qZuVEblZb2i/LFKN1vV0R"
         "1bnsBfWqQuVNG17fa1uvq3Wj5MrUllqy3Bo7toXeHbpl1jeYTiWjgy9EWUudFCAHvQlEVgi/LvvIATYUGmm8/HG5n2ypmNZu"
         "6LoT63xfPj21uiQ0Y1CrR8ZiCZBgY/56to8NVcWyHse8jsvhStQFhZPh0GYxzF+Mfh"},
        {"496c41329cc16311c2477963300a57887a138bd5bd9a616208a9d13fbd24d743",
         "gi4c2IQsIq6U2WSVu+3okgVtnpOwoNoBRspQWFb6x7FClOltngz3KEx8rv0yFzw8s1DYMwjX6S7zgBbbPQRVQkBEycEC21pK"
         "lekzQTLRiUCcI5NQUqaDEAjCtQWcQZvWXvl6hEBqCd0aVgttOkcZoLCcrAvjIDLVU5s0yogfZEN6DgFuCqXMJcW980mnIzep"
         "oc0juQIIs"},
        {"d88869157084377f2ae525240bfa8df149bd78af5923f046ccf2b615170c1a8f",
         "zd4G1+gMA57IjKQf9V3AxTIV/owQH4267iuO3/xhI+EC9XkAjc36ONR88+qMprIP0AMxEqbI5w0vijcC4DYaKLDta/RjAC9z"
         "bTnRtEiDiJKUrchx1YSmE8F4Y/N93TvksIu43IkVR2CC9C5fOSAUSs8w62saABKtl5fTGTYicsiHH/dOxiX2u/W+HtLK1jrA"
         "EXOpCLyWw6EYH7fhllFH6VUzVpJRatTt9EeReMzHy4qwJKJw4o+dJU/2NrU7Uxl6fJBgSIaD"},
        {"413683df4cd9986200670d04d57901375b88b47dd505c27b5af3b67c69f9e61a",
         "z8f+2WgfZMypCmKEFHHe6AiV9uxnp4qJMjBT2NNBC3EJ+XH0uMr0cYx8rvOyT63jkMGEhguVpVCukiludQZwQz2jG0Rj7zTg"
         "iJf2E2ypPIpwqXD6DCB+wZd4JQCQ1s8hXslIxIVDlbjCQateib3oQd8+qvs7qYJYbb"},
        {"73fdedc7d0f22734a86d1ad85cc4b05e84982f6ceb5a819e66fc6d2469b98509",
         "w/Uc3fhltbJCKa/JWvl+9pweMK3hxYTFjlWW404suSZQVKCawg2VKHE/12ub+6w28WFa7QqxSTcmRBNbgjKCwCRtz00a2ZEj"
         "cTMqYKSDiJcwWhpTHuTw/QjvhT10usNN0vZcsxaMqUoRUt5e4wCqnv60Pysa6LkX62U0x72"},
        {"14cdf72ce59d7993c50f8959d0d5a9c76b8646ec63a129cd05441cad8482ae5b",
         "ih4PIICqSpJXqtimSTcHfkAwkiYgoqoFjlhTyZQ8vPizd/2Pw93x72w8MFt1XJI2MTmSkQri6inuG4GbnQPCXbJVyoRzHvPV"
         "6rM3N9KGPxKOp1DBpd1w/QF9hxrg3TKeWlyckI"},
        {"42410abd506184d415abb52429750538b81722b46a6e0354b7e3e6fc9f8a622c",
         "e7YKCDRmZMSmGyx6+TtoaOeOMKSIVWo0MUTuf/n4r+yt6G90/DeoSHlbyFTb+7gbQkGS0Pj82VizeiwF37Nh5W7IG0EOfI5S"
         "64ltAXaodxKCbhKCPqej4QdmYZd/3wvT1vZwxxVeRt0CWT"},
        {"5abc2fa1db95ae07976b1a254595a4092974a05a10118ef5049e32a1b59ed01b",
         "nh4Z1OgtBpccvDSyiclHcFew5uBgKN7GRUpO9Cx4PTbTKBPdlXzNJoOjmga1AVIrFk/YZglX6XYzrdUxS4tf66RrH/"}
    }};
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_TRUE(testing::MatchesFingerprint(QuizContent::Description(i), fingerprints[std::size_t(i)]))
            << "description " << i;
    }
    // The fingerprint itself, checked on a text known elsewhere, and that a
    // wrong character is found where it is.
    EXPECT_EQ(testing::Sha256(u"abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string typo = testing::MatchesFingerprint(u"Samsung Gruop", {"", testing::Trace(u"Samsung Group")}).message();
    EXPECT_NE(typo.find("line 1 at character 11, where it reads \"uop\""), std::string::npos) << typo;
    const std::string second = testing::MatchesFingerprint(u"a\r\nbX", {"", testing::Trace(u"a\r\nbc")}).message();
    EXPECT_NE(second.find("line 2 at character 2, where it reads \"X\""), std::string::npos) << second;
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
