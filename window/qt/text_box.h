#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace kestrova::qt {

// A multi-line, wrapping, read-only text box that gives back exactly the
// text it was given: the editor shows each "\r\n" as one line break and
// would return a bare "\n", so the written text is kept alongside.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent);

    void SetExactText(std::u16string_view text);
    const std::u16string& ExactText() const { return exact_; }

private:
    std::u16string exact_;
};

}  // namespace kestrova::qt
