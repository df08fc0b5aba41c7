#include "window/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kestrova::qt {
namespace {

class AccessibleAnnouncer : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncer(Announcer* announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<const Announcer*>(object())->Message() : QString();
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = !widget()->isVisible();
        s.focusable = false;
        return s;
    }
};

QAccessibleInterface* RoleFactory(const QString& className, QObject* object) {
    if (auto* announcer = qobject_cast<Announcer*>(object)) return new AccessibleAnnouncer(announcer);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    // Asked once per class up the hierarchy; answer for the object's own.
    if (className != QLatin1String(object->metaObject()->className())) return nullptr;
    if (widget->property(kHeadingProperty).toBool()) return new QAccessibleWidget(widget, QAccessible::Heading);
    if (widget->isWindow() && widget->parentWidget() == nullptr && className.startsWith(QLatin1String("kestrova::"))) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleRoles() { QAccessible::installFactory(&RoleFactory); }

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    InstallAccessibleRoles();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::Announce(const QString& message) {
    hide();
    message_ = message;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    // Zero-sized and behind everything: seen by assistive technology only.
    show();
    lower();
}

}  // namespace kestrova::qt
