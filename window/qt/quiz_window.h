#pragma once

#include <QButtonGroup>
#include <QWidget>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "form.h"
#include "quiz_controller.h"

class QListWidget;

namespace kestrova::qt {

class TextBox;
class CompactRadioStyle;

// The quiz window on Qt: realises the form description control by control,
// implements ChoiceView on those controls, owns the one QuizController and
// forwards Load and each Click to it. The quiz logic stays in the controller.
class QuizWindow : public QWidget, public ChoiceView {
    Q_OBJECT

public:
    explicit QuizWindow(const form::Form& form, QWidget* parent = nullptr);
    ~QuizWindow() override;

    // The realised control, by name and index; nullptr if the form has none.
    QWidget* Control(form::ControlId id) const;

    void ClearFirmButton(std::int16_t index) override;
    void ClearCountryButton(std::int16_t index) override;
    void SetResultText(std::u16string_view text) override;
    std::u16string GetResultText() const override;
    std::u16string GetDescription(std::int16_t index) const override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void Realise(const form::Form& form);
    QWidget* CreateControl(const form::Control& control, QWidget* parent);
    QButtonGroup* ArrayGroup(std::string_view name, bool exclusive);
    void WireEvents();
    std::vector<QWidget*> TabStops() const;
    void Uncheck(std::string_view array, std::int16_t index);

    void OnLoad();
    void OnFirmToggled(int index, bool checked);
    void OnCountryToggled(int index, bool checked);
    void OnCommandClick(int index);

    // Keyed by (name, index); the names point into the form's static strings.
    // Declared first so it outlives the option buttons that use it.
    std::unique_ptr<CompactRadioStyle> radioStyle_;
    std::map<std::pair<std::string_view, std::int16_t>, QWidget*> controls_;
    std::map<std::string_view, QButtonGroup*> arrays_;
    // The controls that take the focus, in the form's tab order.
    std::vector<QWidget*> tabOrder_;
    TextBox* resultBox_ = nullptr;
    QListWidget* descriptions_ = nullptr;
    QuizController controller_{*this};
};

}  // namespace kestrova::qt
