#pragma once

#include <QWidget>

namespace kestrova::qt {

// A plain, unmistakable focus indicator: a solid dark ring as wide as the
// form's rules say at the reference density (Qt scales it with the screen), drawn over whichever
// control inside the window has the keyboard focus. Styles draw their own
// focus marks faintly or not at all on coloured controls; this one contrasts
// with every colour of the form. It takes no input.
class FocusRing : public QWidget {
    Q_OBJECT

public:
    explicit FocusRing(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* old, QWidget* now);
};

}  // namespace kestrova::qt
