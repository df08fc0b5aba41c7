#pragma once

#include <QColor>
#include <QPushButton>

namespace kestrova::qt {

// A command button that paints its own face colour, whatever the style or
// desktop theme would draw, keeping the pressed and focused looks visible.
// It is never a default button, yet Enter presses it when it has the focus,
// as Space does.
class ColouredButton : public QPushButton {
    Q_OBJECT

public:
    ColouredButton(QColor face, const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor face_;
};

}  // namespace kestrova::qt
