#pragma once

#include <QColor>
#include <QPushButton>

namespace kestrova::qt {

// A command button that paints its own face colour, whatever the style or
// desktop theme would draw, keeping the pressed and focused looks visible.
// It is never a default button: Enter and Esc belong to no button here.
class ColouredButton : public QPushButton {
    Q_OBJECT

public:
    ColouredButton(QColor face, const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
};

}  // namespace kestrova::qt
