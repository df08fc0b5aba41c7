#include "quiz_window.h"

#include <QAbstractButton>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QRadioButton>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "coloured_button.h"
#include "compact_radio_style.h"
#include "kestrova_form.h"
#include "kestrova_icon.h"
#include "qt_text.h"
#include "text_box.h"

namespace kestrova::qt {
namespace {

int Pixels(int twips) { return (twips + form::kTwipsPerPixel / 2) / form::kTwipsPerPixel; }

QRect Geometry(const form::Control& c) {
    return {Pixels(c.left), Pixels(c.top), Pixels(c.width), Pixels(c.height)};
}

QColor ToQColor(form::Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

void FillBackground(QWidget* widget, form::Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), ToQColor(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QString ObjectName(form::ControlId id) {
    QString name = ToQString(id.name);
    if (id.index != form::ControlId::kSingle) name += QStringLiteral("(%1)").arg(id.index);
    return name;
}

// The exclusive group of an option button; nullptr for anything else.
QButtonGroup* OptionGroup(QWidget* widget) {
    auto* option = qobject_cast<QRadioButton*>(widget);
    QButtonGroup* group = option ? option->group() : nullptr;
    return group && group->exclusive() ? group : nullptr;
}

bool TakesFocus(form::Kind kind) {
    return kind == form::Kind::OptionButton || kind == form::Kind::CommandButton || kind == form::Kind::TextBox;
}

}  // namespace

QuizWindow::QuizWindow(const form::Form& form, QWidget* parent)
    : QWidget(parent), radioStyle_(std::make_unique<CompactRadioStyle>()) {
    Realise(form);
    WireEvents();
    OnLoad();
}

QuizWindow::~QuizWindow() {
    // The controls go before the style they borrow.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void QuizWindow::Realise(const form::Form& f) {
    setObjectName(ToQString(f.name));
    setWindowTitle(ToQString(f.caption));
    setWindowIcon(KestrovaIcon());
    // A fixed dialog-like window: close button, no minimise or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Pixels(f.clientWidth), Pixels(f.clientHeight));
    FillBackground(this, f.background);

    QFont font(ToQString(f.font.face));
    font.setPointSize(f.font.points);
    font.setWeight(static_cast<QFont::Weight>(f.font.weight));
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    setFont(font);

    for (const form::Control& c : f.controls) {
        QWidget* parent = c.container.name.empty() ? this : Control(c.container);
        if (parent == nullptr) throw std::logic_error("a control comes before its container");
        controls_[{c.id.name, c.id.index}] = CreateControl(c, parent);
    }

    // Where neighbours overlap (option buttons stand closer than their
    // height), the upper one is drawn over the lower one's empty top margin
    // rather than the lower one over the upper one's descenders.
    std::vector<const form::Control*> byTop;
    for (const form::Control& c : f.controls) byTop.push_back(&c);
    std::ranges::stable_sort(byTop, std::ranges::greater{}, &form::Control::top);
    for (const form::Control* c : byTop) Control(c->id)->raise();

    std::vector<const form::Control*> byTab;
    for (const form::Control& c : f.controls) {
        if (c.visible && TakesFocus(c.kind)) byTab.push_back(&c);
    }
    std::ranges::sort(byTab, {}, &form::Control::tabIndex);
    for (const form::Control* c : byTab) tabOrder_.push_back(Control(c->id));
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    // The first stop in the tab order has the focus when the window opens.
    if (!tabOrder_.empty()) tabOrder_.front()->setFocus(Qt::OtherFocusReason);
}

QWidget* QuizWindow::CreateControl(const form::Control& c, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case form::Kind::Label: {
        auto* label = new QLabel(ToQString(c.text), parent);
        label->setAlignment((c.align == form::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        widget = label;
        break;
    }
    case form::Kind::Frame:
        widget = new QGroupBox(ToQString(c.text), parent);
        break;
    case form::Kind::OptionButton: {
        auto* button = new QRadioButton(ToQString(c.text), parent);
        button->setStyle(radioStyle_.get());
        ArrayGroup(c.id.name, true)->addButton(button, c.id.index);
        widget = button;
        break;
    }
    case form::Kind::CommandButton: {
        auto* button = new ColouredButton(ToQColor(c.background.value_or(form::Rgb{})), parent);
        button->setText(ToQString(c.text));
        ArrayGroup(c.id.name, false)->addButton(button, c.id.index);
        widget = button;
        break;
    }
    case form::Kind::TextBox: {
        auto* box = new TextBox(parent);
        box->SetExactText(c.text);
        widget = box;
        break;
    }
    case form::Kind::ListBox: {
        auto* list = new QListWidget(parent);
        for (std::u16string_view item : c.items) list->addItem(ToQString(item));
        widget = list;
        break;
    }
    }
    widget->setObjectName(ObjectName(c.id));
    widget->setGeometry(Geometry(c));
    if (c.background && c.kind != form::Kind::CommandButton) FillBackground(widget, *c.background);
    if (!c.visible) widget->setFocusPolicy(Qt::NoFocus);
    widget->setVisible(c.visible);
    return widget;
}

QButtonGroup* QuizWindow::ArrayGroup(std::string_view name, bool exclusive) {
    auto& group = arrays_[name];
    if (group == nullptr) {
        group = new QButtonGroup(this);
        group->setExclusive(exclusive);
    }
    return group;
}

// A group of option buttons is one tab stop, standing where its first
// button stands and taken by its checked button, else by that first one; the
// arrow keys move within it. That is the desktop's convention.
std::vector<QWidget*> QuizWindow::TabStops() const {
    std::vector<QWidget*> stops;
    std::vector<QButtonGroup*> groupsSeen;
    for (QWidget* w : tabOrder_) {
        QButtonGroup* group = OptionGroup(w);
        if (group == nullptr) {
            stops.push_back(w);
        } else if (std::ranges::find(groupsSeen, group) == groupsSeen.end()) {
            groupsSeen.push_back(group);
            stops.push_back(group->checkedButton() ? group->checkedButton() : w);
        }
    }
    return stops;
}

bool QuizWindow::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = TabStops();
    QWidget* focus = focusWidget();
    const auto at = std::ranges::find_if(stops, [focus](QWidget* stop) {
        return stop == focus || (OptionGroup(stop) != nullptr && OptionGroup(stop) == OptionGroup(focus));
    });
    if (at == stops.end()) return QWidget::focusNextPrevChild(next);
    const std::size_t n = stops.size();
    const auto i = static_cast<std::size_t>(at - stops.begin());
    for (std::size_t step = 1; step < n; ++step) {
        QWidget* candidate = stops[(i + (next ? step : n - step)) % n];
        if (candidate->isVisible() && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

QWidget* QuizWindow::Control(form::ControlId id) const {
    const auto it = controls_.find({id.name, id.index});
    return it == controls_.end() ? nullptr : it->second;
}

void QuizWindow::WireEvents() {
    resultBox_ = static_cast<TextBox*>(Control(form::kResultBox));
    descriptions_ = static_cast<QListWidget*>(Control(form::kDescriptionList));
    // An option button's Click is its becoming the selected one, whether by
    // mouse, keyboard or an assistive technology's toggle action (which
    // raises no clicked()); unchecking raises none.
    connect(arrays_.at(form::kFirmButtons), &QButtonGroup::idToggled, this, &QuizWindow::OnFirmToggled);
    connect(arrays_.at(form::kCountryButtons), &QButtonGroup::idToggled, this, &QuizWindow::OnCountryToggled);
    connect(arrays_.at(form::kCommands), &QButtonGroup::idClicked, this, &QuizWindow::OnCommandClick);
}

void QuizWindow::OnLoad() { controller_.Start(); }
void QuizWindow::OnFirmToggled(int index, bool checked) {
    if (checked) controller_.ChooseFirm(static_cast<std::int16_t>(index));
}

void QuizWindow::OnCountryToggled(int index, bool checked) {
    if (checked) controller_.ChooseCountry(static_cast<std::int16_t>(index));
}

void QuizWindow::OnCommandClick(int index) {
    switch (index) {
    case form::kEvaluateCommand: controller_.Evaluate(); break;
    case form::kClearCommand: controller_.Clear(); break;
    default: break;
    }
}

void QuizWindow::Uncheck(std::string_view array, std::int16_t index) {
    auto* button = static_cast<QAbstractButton*>(Control({array, index}));
    if (button == nullptr) throw std::out_of_range("no option button " + std::to_string(index));
    // An exclusive group keeps its checked button checked; lift that rule
    // for the moment. Becoming unchecked is no Click, so no choice comes back.
    QButtonGroup* group = button->group();
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

void QuizWindow::ClearFirmButton(std::int16_t index) { Uncheck(form::kFirmButtons, index); }
void QuizWindow::ClearCountryButton(std::int16_t index) { Uncheck(form::kCountryButtons, index); }
void QuizWindow::SetResultText(std::u16string_view text) { resultBox_->SetExactText(text); }
std::u16string QuizWindow::GetResultText() const { return resultBox_->ExactText(); }

std::u16string QuizWindow::GetDescription(std::int16_t index) const {
    const QListWidgetItem* item = descriptions_->item(index);
    if (item == nullptr) throw std::out_of_range("no description " + std::to_string(index));
    return item->text().toStdU16String();
}

}  // namespace kestrova::qt
