#include "controls/FocusFrame.h"
#include "controls/PictureBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>

namespace {

// A click area as screen readers see it: a button or a link that can be
// pressed through the accessibility action as well as by the mouse.
class AccessibleClickArea : public QAccessibleWidget
{
public:
    explicit AccessibleClickArea(ClickArea* area)
        : QAccessibleWidget(area, area->isLink() ? QAccessible::Link : QAccessible::Button)
    {}

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction()) {
            static_cast<ClickArea*>(widget())->press();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* clickAreaFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClickArea") && object && object->isWidgetType()) {
        return new AccessibleClickArea(static_cast<ClickArea*>(object));
    }
    return nullptr;
}

} // namespace

void ClickArea::press()
{
    Q_EMIT clicked();
}

void ClickArea::keyPressEvent(QKeyEvent* event)
{
    // Enter on an area that has the focus is its click; other keys belong to
    // the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        press();
        return;
    }
    event->ignore();
}

void ClickArea::paintEvent(QPaintEvent* /*event*/)
{
    if (hasFocus()) {
        drawFocusFrame(*this);
    }
}

void ClickArea::installAccessibleFactory()
{
    QAccessible::installFactory(clickAreaFactory);
}
