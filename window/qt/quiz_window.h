#pragma once

#include <QMetaObject>
#include <QWidget>
#include <memory>

#include "window/binding/control_surface.h"
#include "window/binding/quiz_binding.h"
#include "window/binding/realised_controls.h"
#include "window/form/form.h"

namespace kestrova::qt {

class Announcer;
class CompactRadioStyle;

// The quiz window on Qt: realises the form description as widgets and
// reports Load and each Click to the quiz binding, which holds the wiring.
// What goes where, in what order and how Tab moves comes from the form's
// rules; this class only puts it into Qt's terms.
class QuizWindow : public QWidget, private binding::ControlSurface {
    Q_OBJECT

public:
    explicit QuizWindow(form::Form form, QWidget* parent = nullptr);
    ~QuizWindow() override;

    // The widget realising a control; nullptr if the form has none.
    QWidget* Widget(form::ControlId id) const;
    // The quiz as the controller sees the window.
    binding::QuizBinding& Binding() { return binding_; }

protected:
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;

private:
    void Realise();
    QWidget* CreateWidget(const form::Control& control, QWidget* parent);
    void ConnectClick(const form::Control& control, QWidget* widget);
    void FollowScalingOf(QScreen* screen);

    // The widget of a control the binding names, as the kind it must be.
    template <typename T>
    T* Realised(form::ControlId id) const {
        return static_cast<T*>(widgets_.At(id));
    }

    void SetText(form::ControlId box, std::u16string_view text) override;
    std::u16string Text(form::ControlId box) const override;
    bool IsChecked(form::ControlId option) const override;
    void Uncheck(form::ControlId option) override;
    std::u16string ListItem(form::ControlId list, std::size_t index) const override;
    void Announce(form::ControlId box) override;

    const form::Form form_;
    // Declared before the widgets are made, so it outlives the option
    // buttons that use it.
    std::unique_ptr<CompactRadioStyle> radioStyle_;
    binding::RealisedControls<QWidget*> widgets_{form_};
    Announcer* announcer_ = nullptr;
    QMetaObject::Connection scaling_;
    binding::QuizBinding binding_{form_, *this};
};

}  // namespace kestrova::qt
