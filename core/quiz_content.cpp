#include "core/quiz_content.h"

#include <array>
#include <stdexcept>
#include <string>

#include "core/decimal_text.h"

namespace kestrova {
namespace {

struct Row {
    std::u16string_view firm;
    std::u16string_view country;
    std::int16_t firmRow;
    std::int16_t countryRow;
    std::u16string_view description;
};

// Trailing blanks and the double blank in row 4 are part of the texts.
constexpr std::array<Row, QuizContent::kRowCount> kRows{{
    {u"Samsung Group", u"Южна Корея", 7, 8,
     u"Samsung Group промишлен концерн (група компании), един от най-големите в Южна Корея. Основана през 1938 г. "},
    {u"Siemens AG", u"Германия", 8, 1,
     u"Siemens AG (нем. Siemens Aktiengesellschaft) - немски транснационален концерн, работещ в областта на електротехниката, електрониката, електрическо оборудване, транспорт, медицинско оборудване и ред специализирани услуги в различни области. "},
    {u"Nokia", u"Финландия", 5, 5,
     u"Нокиа (на фински: Nokia) е финландска компания, един от световните лидери в областта на мобилните комуникационни технологии, водещ доставчик в областта на мобилните, фиксираните широколентови и IP-мрежи. Най-известна е със своите мобилни телефони и смартфони. Управлението на компанията се намира в Еспоо, предградие на Хелзинки. За последните 10 години на световния пазар на мобилните телефони Нокиа държи пазарен дял в размер на приблизително 30 %."},
    {u"Panasonic", u"Япония", 6, 9,
     u"Panasonic Corporation - крупна японска машиностроителна корпорация, един от най-големите световни производители на битова техники и електроника. Управлението е в град Кадома префектура Осака (Япония). "},
    {u"Sony Mobile", u"Англия", 9, 0,
     u"Sony Mobile Communications AB (преди известна като Sony Ericsson Mobile Communications AB) - британска компания, произвеждаща мобилни телефони и други портативни устройства и аксесоари.  Управлението на компанията е в Лондон, но компанията е регистрирана в Швеция."},
    {u"Ericsson", u"Швеция", 2, 7,
     u"Ericsson (Telefonaktiebolaget L. M. Ericsson) - шведска компания, известен производител на телекомуникационно оборудване. Управлението на компанията е в Стокхолм."},
    {u"Alcatel SA", u"Франция", 0, 6,
     u"Alcatel SA - преди е била френска компания, един из лидерите на световния пазар за производство на телекомуникационно оборудване. Управлението на компанията е в Париж."},
    {u"Lenovo Group", u"Китай", 3, 2,
     u"Lenovo Group, известна по-рано като Legend Group е най-големият производител на компютри в Китай и осмият по големина в света (2004). "},
    {u"Motorola", u"САЩ", 4, 3,
     u"Моторола (анг.: Motorola, Inc) е американска интернационална комуникационна компания, основана в Шаумбург (предградие на Чикаго), щата Илинойс"},
    {u"BenQ", u"Тайван", 1, 4,
     u"BenQ Corporation - тайванска компания за производство на компютърна техники и електроника."},
}};

const Row& RowAt(std::int16_t i) {
    QuizContent::CheckIndex(i);
    return kRows[static_cast<std::size_t>(i)];
}

}  // namespace

void QuizContent::CheckIndex(std::int16_t i) {
    if (i < 0 || i >= kRowCount) {
        throw std::out_of_range("quiz index " + DecimalText(i) + " is outside 0.." +
                                DecimalText(kRowCount - 1));
    }
}

std::u16string_view QuizContent::FirmCaption(std::int16_t i) { return RowAt(i).firm; }
std::u16string_view QuizContent::CountryCaption(std::int16_t i) { return RowAt(i).country; }
std::u16string_view QuizContent::Description(std::int16_t i) { return RowAt(i).description; }
std::int16_t QuizContent::FirmRow(std::int16_t i) { return RowAt(i).firmRow; }
std::int16_t QuizContent::CountryRow(std::int16_t i) { return RowAt(i).countryRow; }

}  // namespace kestrova
