#include "window/form/quiz_form.h"

#include "core/quiz_content.h"
#include "window/form/publisher.h"

namespace kestrova::form {
namespace {

// The publisher's web address, one blank, then the title.
constexpr std::u16string_view kCaption = KESTROVA_PUBLISHER_ADDRESS u" Kestrova";

constexpr std::u16string_view kAssignment =
    u"Да се реализира проект, представящ междупредметни връзки Информационни технологии и Информатика.\r\n"
    u"Тема на проекта: Мобилни телефони - фирми и страни\r\n"
    u"В две отделни групи радиобутони да се изброят, при това азбучно подредени, имена на фирми произвеждащи "
    u"телефони и съответна страна. Не трябва да се въвеждат две еднакви страни или фирми.\r\n"
    u"Чрез команден бутон се оценява правилността на избора - трябва да са посочени имена и от двете групи.\r\n"
    u"Икономическия живот е изключително динамичен - появяват се нови фирми, утвърдени фирми се закупуват и "
    u"препородават. В реализирания проект е дадена връзка между фирми производители и страни, която е била "
    u"реална в момента на създаване на проекта.\r\n"
    u"Съберете допълнително информация за фирмите, произвежданите модели мобилни телефони и използвана версия "
    u"на операционна система.\r\n";

constexpr std::u16string_view kMotto =
    u"Неприятното в това да си първият, направил нещо по \r\n"
    u"правилния начин, е, че никой не оценява колко трудно е \r\n"
    u"било. \r\n";

constexpr Rgb kLightBlue{192, 192, 255};

// Option buttons stand one row apart inside their frame.
constexpr int kOptionLeft = 120, kOptionTop = 360, kOptionPitch = 240;
constexpr int kOptionWidth = 1815, kOptionHeight = 285;
constexpr int kFirmTabs[QuizContent::kRowCount] = {5, 6, 7, 11, 12, 13, 14, 15, 16, 17};
constexpr int kCountryTabs[QuizContent::kRowCount] = {8, 9, 10, 18, 19, 20, 21, 22, 23, 24};

Control OptionButton(std::string_view array, std::int16_t i, ControlId frame, int row, Rgb colour,
                     std::u16string_view caption, int tab) {
    return {.id = {array, i}, .kind = Kind::OptionButton, .container = frame,
            .left = kOptionLeft, .top = kOptionTop + kOptionPitch * row,
            .width = kOptionWidth, .height = kOptionHeight,
            .background = colour, .text = caption, .tabIndex = tab};
}

}  // namespace

Form QuizForm() {
    const ControlId firmFrame{kFrames, 0}, countryFrame{kFrames, 1};
    Form f{.name = "Kestrova", .caption = kCaption, .clientWidth = 6915, .clientHeight = 5730,
           .background = kLightBlue,
           .font = {.face = u"Times New Roman", .points = 12, .weight = 400, .charset = 204},
           .controls = {}};

    f.controls = {
        {.id = {kHeading, 0}, .kind = Kind::Label, .left = 960, .top = 0, .width = 5055, .height = 375,
         .background = Rgb{255, 192, 128}, .align = Align::Centre,
         .text = u"Мобилни телефони - фирми и страни", .heading = true, .tabIndex = 2},
        {.id = firmFrame, .kind = Kind::Frame, .left = 960, .top = 480, .width = 2175, .height = 2895,
         .background = kLightBlue, .text = u"Фирма", .tabIndex = 3},
        {.id = countryFrame, .kind = Kind::Frame, .left = 3720, .top = 480, .width = 2295, .height = 2895,
         .background = kLightBlue, .text = u"Страна", .tabIndex = 4},
    };
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        f.controls.push_back(OptionButton(kFirmButtons, i, firmFrame, QuizContent::FirmRow(i), {192, 255, 255},
                                          QuizContent::FirmCaption(i), kFirmTabs[i]));
    }
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        f.controls.push_back(OptionButton(kCountryButtons, i, countryFrame, QuizContent::CountryRow(i),
                                          {255, 192, 255}, QuizContent::CountryCaption(i), kCountryTabs[i]));
    }

    Control descriptions{.id = kDescriptionList, .kind = Kind::ListBox, .left = 6120, .top = 600, .width = 735,
                         .height = 2625, .tabIndex = 27, .visible = false};
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        descriptions.items.push_back(QuizContent::Description(i));
    }

    f.controls.insert(f.controls.end(), {
        {.id = {kCommands, kEvaluateCommand}, .kind = Kind::CommandButton, .left = 960, .top = 3480,
         .width = 1575, .height = 285, .background = Rgb{128, 255, 128}, .text = u"Изведи", .tabIndex = 25},
        {.id = {kCommands, kClearCommand}, .kind = Kind::CommandButton, .left = 4320, .top = 3480,
         .width = 1575, .height = 285, .background = Rgb{255, 128, 128}, .text = u"Чисти", .tabIndex = 26},
        {.id = kResultBox, .kind = Kind::TextBox, .left = 120, .top = 3840, .width = 6735, .height = 1815,
         .text = kAssignment, .accessibleName = u"Резултат", .live = true, .tabIndex = 0},
        {.id = kMottoBox, .kind = Kind::TextBox, .left = 600, .top = 4320, .width = 6735, .height = 1815,
         .text = kMotto, .tabIndex = 1, .visible = false},
        descriptions,
    });
    return f;
}

}  // namespace kestrova::form
