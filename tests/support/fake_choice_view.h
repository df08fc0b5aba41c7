#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/quiz_content.h"
#include "core/quiz_controller.h"

namespace kestrova::testing {

// A window stand-in: keeps the result text and the twenty buttons' checked
// state, answers descriptions from the quiz content, and logs each call so
// tests can check the order where the order is the behaviour.
class FakeChoiceView : public ChoiceView {
public:
    struct Call {
        std::string op;
        int index = -1;
        std::u16string text;
        bool operator==(const Call&) const = default;
    };

    static constexpr std::u16string_view kInitialText = u"assignment\r\n";

    void ClearFirmButton(std::int16_t index) override {
        log.push_back({"ClearFirmButton", index, {}});
        firmChecked.at(static_cast<std::size_t>(index)) = false;
    }
    void ClearCountryButton(std::int16_t index) override {
        log.push_back({"ClearCountryButton", index, {}});
        countryChecked.at(static_cast<std::size_t>(index)) = false;
    }
    void SetResultText(std::u16string_view newText) override {
        log.push_back({"SetResultText", -1, std::u16string(newText)});
        text = newText;
    }
    std::u16string GetResultText() const override {
        log.push_back({"GetResultText", -1, text});
        return text;
    }
    std::u16string GetDescription(std::int16_t index) const override {
        log.push_back({"GetDescription", index, {}});
        return std::u16string(QuizContent::Description(index));
    }

    bool AnyChecked() const {
        for (std::size_t i = 0; i < firmChecked.size(); ++i) {
            if (firmChecked[i] || countryChecked[i]) return true;
        }
        return false;
    }

    std::u16string text{kInitialText};
    std::array<bool, 10> firmChecked{};
    std::array<bool, 10> countryChecked{};
    mutable std::vector<Call> log;
};

}  // namespace kestrova::testing
