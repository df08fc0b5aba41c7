#include "window/qt/quiz_window.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <stdexcept>

#include "window/qt/accessibility.h"
#include "window/qt/coloured_button.h"
#include "window/qt/compact_radio_style.h"
#include "window/qt/focus_ring.h"
#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"
#include "window/qt/kestrova_icon.h"
#include "window/qt/qt_text.h"

namespace kestrova::qt {
namespace {

// Qt lays widgets out in logical pixels and scales them to the screen itself,
// so every size is the one at the reference density.
QRect Geometry(const form::Control& c) {
    const form::PixelRect r = form::PlaceInContainer(c, form::kReferenceDpi);
    return {r.left, r.top, r.width, r.height};
}

QColor ToQColor(form::Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

void FillBackground(QWidget* widget, form::Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), ToQColor(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A multi-line box that wraps at its width and scrolls only vertically.
// Read-only, yet a keyboard user can still move through, select and scroll
// the text.
QPlainTextEdit* NewTextBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

}  // namespace

QuizWindow::QuizWindow(form::Form form, QWidget* parent)
    : QWidget(parent), form_(std::move(form)) {
    Realise();
    binding_.Load();
}

QuizWindow::~QuizWindow() {
    // The controls go before the style they borrow.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void QuizWindow::Realise() {
    setObjectName(ToQString(form_.name));
    setWindowTitle(ToQString(form_.caption));
    setWindowIcon(KestrovaIcon());
    // A fixed dialog-like window: close button, no minimise or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(form::TwipsToPixels(form_.clientWidth, form::kReferenceDpi),
                 form::TwipsToPixels(form_.clientHeight, form::kReferenceDpi));
    FillBackground(this, form_.background);
    QFont font(ToQString(form_.font.face));
    font.setPointSize(form_.font.points);
    font.setWeight(static_cast<QFont::Weight>(form_.font.weight));
    setFont(font);

    announcer_ = new Announcer(this);
    new FocusRing(this);
    for (const form::Control& c : form_.controls) {
        QWidget* parent = c.container.name.empty() ? this : Widget(c.container);
        if (parent == nullptr) throw std::logic_error("a control comes before its container");
        widgets_.Set(c, CreateWidget(c, parent));
    }
    widgets_.ForEach([this](const form::Control& c, QWidget* widget) { ConnectClick(c, widget); });

    // raise() puts a widget in front of its siblings, so the front one goes last.
    const std::vector<const form::Control*> stacking = form::StackingOrder(form_);
    for (auto c = stacking.rbegin(); c != stacking.rend(); ++c) Widget((*c)->id)->raise();

    const std::vector<const form::Control*> chain = form::FocusChain(form_);
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(Widget(chain[i - 1]->id), Widget(chain[i]->id));
    if (const form::Control* first = form::FirstFocus(form_)) Widget(first->id)->setFocus(Qt::OtherFocusReason);
}

QWidget* QuizWindow::CreateWidget(const form::Control& c, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case form::Kind::Label: {
        auto* label = new QLabel(parent);
        // Marked before it has a text that assistive technology may ask about.
        if (c.heading) {
            label->setProperty(kHeadingProperty, true);
            label->setAccessibleName(ToQString(c.text));
        }
        label->setText(ToQString(c.text));
        label->setAlignment((c.align == form::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        widget = label;
        break;
    }
    case form::Kind::Frame:
        widget = new QGroupBox(ToQString(c.text), parent);
        break;
    case form::Kind::OptionButton:
        // Buttons that share a frame are one group, as Qt's radio buttons
        // with one parent are.
        widget = new QRadioButton(ToQString(c.text), parent);
        // The form's option rows are all of one height: one circle for all,
        // at the reference density, which Qt scales as it scales the window.
        if (!radioStyle_) radioStyle_ = std::make_unique<CompactRadioStyle>(form::OptionIndicatorIn(c, form::kReferenceDpi));
        widget->setStyle(radioStyle_.get());
        break;
    case form::Kind::CommandButton:
        widget = new ColouredButton(ToQColor(c.background.value_or(form::Rgb{})), ToQString(c.text), parent);
        break;
    case form::Kind::TextBox: {
        auto* box = NewTextBox(parent);
        box->setPlainText(ToQString(c.text));
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
    widget->setObjectName(ToQString(form::DisplayName(c.id)));
    if (!c.accessibleName.empty()) widget->setAccessibleName(ToQString(c.accessibleName));
    widget->setGeometry(Geometry(c));
    if (c.background && c.kind != form::Kind::CommandButton) FillBackground(widget, *c.background);
    if (!form::TakesFocus(c)) widget->setFocusPolicy(Qt::NoFocus);
    widget->setVisible(c.visible);
    return widget;
}

void QuizWindow::ConnectClick(const form::Control& c, QWidget* widget) {
    const form::ControlId id = c.id;
    // An option button's Click is its becoming checked, whether by mouse,
    // keyboard or an assistive technology's toggle action (which raises no
    // clicked()); the binding ignores the unchecking half.
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        connect(option, &QRadioButton::toggled, this, [this, id] { binding_.Click(id); });
    } else if (auto* command = qobject_cast<QPushButton*>(widget)) {
        connect(command, &QPushButton::clicked, this, [this, id] { binding_.Click(id); });
    }
}

QWidget* QuizWindow::Widget(form::ControlId id) const { return widgets_.Find(id); }

void QuizWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!scaling_) {
        connect(windowHandle(), &QWindow::screenChanged, this, &QuizWindow::FollowScalingOf);
        FollowScalingOf(windowHandle()->screen());
    }
}

// When the desktop's scaling changes under the open window (X11 reports a
// new Xft/DPI), Qt 6.4 paints at the new scale but leaves the window system's
// window at its old size in device pixels, and the style's cached pieces and
// the controls' last paint at the old scale: ask for the form's size again
// and paint everything afresh.
void QuizWindow::FollowScalingOf(QScreen* screen) {
    disconnect(scaling_);
    scaling_ = connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] {
        windowHandle()->resize(size());
        QPixmapCache::clear();
        for (QWidget* w : findChildren<QWidget*>()) w->update();
    });
}

bool QuizWindow::focusNextPrevChild(bool next) {
    const form::Control* focus = widgets_.ControlOf(focusWidget());
    if (focus == nullptr) return QWidget::focusNextPrevChild(next);
    const form::Control* target =
        form::NextTabTarget(form_, focus->id, next, [this](const form::Control& c) { return IsChecked(c.id); });
    if (target == nullptr) return QWidget::focusNextPrevChild(next);
    Widget(target->id)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void QuizWindow::SetText(form::ControlId box, std::u16string_view text) {
    Realised<QPlainTextEdit>(box)->setPlainText(ToQString(text));
}

std::u16string QuizWindow::Text(form::ControlId box) const {
    return Realised<QPlainTextEdit>(box)->toPlainText().toStdU16String();
}

bool QuizWindow::IsChecked(form::ControlId option) const {
    return Realised<QRadioButton>(option)->isChecked();
}

void QuizWindow::Uncheck(form::ControlId option) {
    auto* button = Realised<QRadioButton>(option);
    // A group keeps its checked button checked; lift that rule for the moment.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

std::u16string QuizWindow::ListItem(form::ControlId list, std::size_t index) const {
    const QListWidgetItem* item = Realised<QListWidget>(list)->item(static_cast<int>(index));
    if (item == nullptr) throw std::out_of_range("the list has no such entry");
    return item->text().toStdU16String();
}

void QuizWindow::Announce(form::ControlId box) { announcer_->Announce(ToQString(binding::SpokenText(Text(box)))); }

}  // namespace kestrova::qt
