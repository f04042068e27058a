#include "clock/ClockWindow.h"
#include "clock/DateText.h"

#include "menu/ClockMenu.h"
#include "core/AppState.h"
#include "core/ClockCore.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDateTime>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {

// The face as screen readers see it: its name and its text are the time the
// tubes show, worked out when asked. Nothing is announced on a tick, so a
// reader says the time when the user asks for it, not every second.
class AccessibleFace : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    AccessibleFace(QWidget* face, const ClockWindow& clock)
        : QAccessibleWidget(face, QAccessible::StaticText), m_clock(clock)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_clock.shownTimeText() : QAccessibleWidget::text(kind);
    }

    // The text interface: the time, read only.
    QString text(int start, int end) const override
    {
        return m_clock.shownTimeText().mid(start, end - start);
    }
    int characterCount() const override { return int(m_clock.shownTimeText().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = *end = 0;
        return {};
    }

private:
    const ClockWindow& m_clock;
};

QAccessibleInterface* faceFactory(const QString& /*className*/, QObject* object)
{
    auto* clock = object ? qobject_cast<ClockWindow*>(object->parent()) : nullptr;
    if (clock && object == clock->face()) {
        return new AccessibleFace(clock->face(), *clock);
    }
    return nullptr;
}

} // namespace

void ClockWindow::describeElements()
{
    // Installing a factory again keeps the one installed.
    QAccessible::installFactory(faceFactory);
    // The clock shows its date to the pointer even while another window is
    // active: a desktop clock rarely is.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFocusPolicy(Qt::StrongFocus);

    m_face->setAccessibleDescription(QStringLiteral("Uhrzeit"));
    const std::array<const char*, 6> tubeNames{"Stunden, Zehner",  "Stunden, Einer",
                                               "Minuten, Zehner",  "Minuten, Einer",
                                               "Sekunden, Zehner", "Sekunden, Einer"};
    for (std::size_t k = 0; k < m_tubes.size(); ++k) {
        m_tubes[k]->setAccessibleName(QString::fromUtf8(tubeNames[k]));
    }
    m_lamps[0]->setAccessibleName(QStringLiteral("Sekundenlampe links"));
    m_lamps[1]->setAccessibleName(QStringLiteral("Sekundenlampe rechts"));
    m_powerSwitch->setAccessibleName(QStringLiteral("Beenden"));
    m_powerSwitch->setAccessibleDescription(QStringLiteral("Ausschalter: speichert und beendet"));
    for (ClickArea* standby : m_standbySwitches) {
        standby->setAccessibleName(QStringLiteral("StandBy"));
        standby->setAccessibleDescription(QStringLiteral("Hält die Uhr an oder lässt sie laufen"));
    }
    m_alarmTestArea->setAccessibleName(m_alarmTestArea->toolTip());
    m_alarmTestArea->setAccessibleDescription(QStringLiteral("Spielt den Alarmton"));
}

QString ClockWindow::shownTimeText() const
{
    if (m_core.isOn(Option::Standby)) {
        return QStringLiteral("00:00:00");
    }
    return m_core.drawnTimeText().value_or(QString());
}

bool ClockWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // Worked out on each showing, so a clock left running shows the new
        // day after midnight.
        const QDate today = QDateTime::fromMSecsSinceEpoch(m_state.services.nowMs()).date();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), germanDateText(today),
                           this);
        return true;
    }
    return QWidget::event(event);
}

void ClockWindow::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        m_menu->popup(mapToGlobal(rect().center()));
        return;
    }
    QWidget::keyPressEvent(event);
}
