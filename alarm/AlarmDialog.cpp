#include "alarm/AlarmDialog.h"

#include "alarm/AlarmTime.h"
#include "alarm/FileListBox.h"
#include "alarm/KeyScrollBar.h"
#include "controls/DialogFont.h"
#include "controls/FocusFrame.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/Sound.h"
#include "core/TickSchedule.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& place, const QFont& font)
{
    auto* label = new QLabel(parent);
    // Stored texts are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const QRect& place)
{
    auto* button = new QPushButton(text, parent);
    button->setGeometry(place);
    return button;
}

KeyScrollBar* makeSelector(QWidget* parent, int maximum, int pageStep, const QRect& place)
{
    auto* bar = new KeyScrollBar(parent);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setGeometry(place);
    return bar;
}

template <typename List> List* makeList(QWidget* parent, const QRect& place)
{
    auto* list = new List(parent);
    list->setFont(dialogFont(8, true));
    list->setGeometry(place);
    showFocusOnFrame(*list);
    return list;
}

} // namespace

AlarmDialog::AlarmDialog(AppState& state, ClockCore& core, const QWidget* over)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_state(state), m_core(core), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alarmzeit einstellen"));
    setFont(dialogFont(8));
    setFixedSize(331, 277);
    buildControls();
}

void AlarmDialog::buildControls()
{
    // "ÜBERNEHMEN" leads the tab order and takes the focus.
    m_applyButton = makeButton(this, QStringLiteral("ÜBERNEHMEN"), {172, 232, 145, 37});
    m_applyButton->setObjectName(QStringLiteral("Command1"));
    const QFont big = dialogFont(24, true);
    m_hourLabel = makeLabel(this, QStringLiteral("00"), {60, 12, 57, 37}, big);
    m_hourLabel->setObjectName(QStringLiteral("lblHour"));
    m_colonLabel = makeLabel(this, QStringLiteral(":"), {136, 8, 57, 37}, big);
    m_colonLabel->setObjectName(QStringLiteral("Label1"));
    m_minuteLabel = makeLabel(this, QStringLiteral("00"), {216, 12, 57, 37}, big);
    m_minuteLabel->setObjectName(QStringLiteral("lblMinutes"));
    m_hourSelector = makeSelector(this, 23, 4, {20, 48, 141, 17});
    m_hourSelector->setObjectName(QStringLiteral("HScroll1"));
    m_minuteSelector = makeSelector(this, 59, 10, {173, 48, 141, 17});
    m_minuteSelector->setObjectName(QStringLiteral("HScroll2"));
    m_currentTimeButton =
        makeButton(this, QStringLiteral("Aktuelle Zeit holen"), {16, 72, 145, 27});
    m_currentTimeButton->setObjectName(QStringLiteral("Command3"));
    m_addToListButton =
        makeButton(this, QStringLiteral("zur Alarmliste hinzufügen"), {172, 72, 145, 27});
    m_addToListButton->setObjectName(QStringLiteral("Command4"));
    m_soundsCaption = makeLabel(this, QStringLiteral("Alarm Töne:"), {20, 104, 121, 17}, font());
    m_soundsCaption->setObjectName(QStringLiteral("Label2"));
    m_soundList = makeList<FileListBox>(this, {16, 120, 141, 102});
    m_soundList->setObjectName(QStringLiteral("File1"));
    m_alarmListCaption =
        makeLabel(this, QStringLiteral("Alarm-Liste:"), {176, 104, 77, 17}, font());
    m_alarmListCaption->setObjectName(QStringLiteral("Label3"));
    m_alarmList = makeList<QListWidget>(this, {172, 120, 145, 100});
    m_alarmList->setObjectName(QStringLiteral("List1"));
    m_cancelButton = makeButton(this, QStringLiteral("Abbrechen"), {16, 232, 145, 37});
    m_cancelButton->setObjectName(QStringLiteral("Command2"));

    describeControls();

    setTabOrder(m_applyButton, m_hourSelector);
    setTabOrder(m_hourSelector, m_minuteSelector);
    setTabOrder(m_minuteSelector, m_currentTimeButton);
    setTabOrder(m_currentTimeButton, m_addToListButton);
    setTabOrder(m_addToListButton, m_soundList);
    setTabOrder(m_soundList, m_alarmList);
    setTabOrder(m_alarmList, m_cancelButton);
    m_applyButton->setFocus();
    // Enter applies from wherever it is pressed but another button, which it
    // presses; Escape cancels (the dialog's own reject).
    m_applyButton->setDefault(true);

    m_alarmListMenu = new QMenu(QStringLiteral("PopUp"), this);

    m_alarmListMenu->setObjectName(QStringLiteral("mnuPop"));
    m_removeEntry = m_alarmListMenu->addAction(QStringLiteral("Alarm entfernen"));
    m_removeEntry->setObjectName(QStringLiteral("mnuRemove"));

    connect(m_hourSelector, &QScrollBar::valueChanged, this, &AlarmDialog::showHour);
    connect(m_hourSelector, &QScrollBar::sliderMoved, this, &AlarmDialog::showHour);
    connect(m_minuteSelector, &QScrollBar::valueChanged, this, &AlarmDialog::showMinute);
    connect(m_minuteSelector, &QScrollBar::sliderMoved, this, &AlarmDialog::showMinute);
    connect(m_applyButton, &QPushButton::clicked, this, &AlarmDialog::applyAlarmTime);
    connect(m_cancelButton, &QPushButton::clicked, this, &AlarmDialog::cancel);
    connect(m_currentTimeButton, &QPushButton::clicked, this, &AlarmDialog::takeCurrentTime);
    connect(m_soundList, &FileListBox::Click, this, &AlarmDialog::playSelectedSound);
    connect(m_removeEntry, &QAction::triggered, this, &AlarmDialog::removeSelectedAlarm);
}

void AlarmDialog::describeControls()
{
    m_applyButton->setAccessibleDescription(QStringLiteral("Speichert die Alarmzeit"));
    // The labels keep their digits as their names.
    m_hourLabel->setAccessibleDescription(QStringLiteral("Stunde der Alarmzeit"));
    m_minuteLabel->setAccessibleDescription(QStringLiteral("Minute der Alarmzeit"));
    m_hourSelector->setAccessibleName(QStringLiteral("Stunde"));
    m_hourSelector->setAccessibleDescription(m_hourLabel->accessibleDescription());
    m_minuteSelector->setAccessibleName(QStringLiteral("Minute"));
    m_minuteSelector->setAccessibleDescription(m_minuteLabel->accessibleDescription());
    m_currentTimeButton->setAccessibleDescription(
        QStringLiteral("Stellt die Alarmzeit auf die Uhrzeit"));
    m_soundList->setAccessibleName(QStringLiteral("Alarm Töne"));
    m_soundList->setAccessibleDescription(QStringLiteral("Ein gewählter Ton wird gespielt"));
    m_alarmList->setAccessibleName(QStringLiteral("Alarm-Liste"));
}

void AlarmDialog::prepare()
{
    centreWindow(this, m_over);
    putAboveOthers(this);
    // The selector first: its change handler writes the label, which then
    // gets the stored text itself, whatever it is.
    const AlarmTime& stored = m_core.alarmTime();
    if (stored.hour) {
        m_hourSelector->setValue(selectorValue(*stored.hour, m_hourSelector->maximum()));
        m_hourLabel->setText(*stored.hour);
    }
    if (stored.minute) {
        m_minuteSelector->setValue(selectorValue(*stored.minute, m_minuteSelector->maximum()));
        m_minuteLabel->setText(*stored.minute);
    }
    m_soundList->setPath(m_state.programDir);
}

void AlarmDialog::showHour()
{
    m_hourLabel->setText(twoDigitText(m_hourSelector->sliderPosition()));
}

void AlarmDialog::showMinute()
{
    m_minuteLabel->setText(twoDigitText(m_minuteSelector->sliderPosition()));
}

void AlarmDialog::applyAlarmTime()
{
    const AlarmTime alarm{m_hourLabel->text(), m_minuteLabel->text()};
    m_core.setAlarmTime(alarm);
    // Both in one replace: nothing can leave half a time in the file.
    writeSettings(m_state, alarmTimeEntries(alarm));
    close();
}

void AlarmDialog::cancel()
{
    close();
}

void AlarmDialog::takeCurrentTime()
{
    // The time the tubes show; before the first tick (started in standby)
    // the clock read the way the tick reads it.
    const QString time = m_core.drawnTimeText().value_or(
        localTimeText(TickSchedule::secondOf(m_state.services.nowMs())));
    const QString hours = time.mid(0, 2);
    const QString minutes = time.mid(3, 2);
    m_hourSelector->setValue(selectorValue(hours, m_hourSelector->maximum()));
    m_hourLabel->setText(hours);
    m_minuteSelector->setValue(selectorValue(minutes, m_minuteSelector->maximum()));
    m_minuteLabel->setText(minutes);
}

void AlarmDialog::playSelectedSound()
{
    // From the program directory, whatever the current directory is.
    const QString name = m_soundList->fileName();
    if (!name.isEmpty()) {
        playSoundFile(m_state, m_state.programDir + name);
    }
}

void AlarmDialog::removeSelectedAlarm()
{
    // The alarm list has no behaviour.
}
