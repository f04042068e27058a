#include "alarm/frmAlarm.h"

#include "alarm/AlarmTime.h"
#include "alarm/FileListBox.h"
#include "alarm/KeyScrollBar.h"
#include "controls/DialogFont.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/Sound.h"

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
    return list;
}

} // namespace

frmAlarm::frmAlarm(AppState& state, const QWidget* over)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_state(state), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alarmzeit einstellen"));
    setFont(dialogFont(8));
    setFixedSize(331, 277);
    buildControls();
}

void frmAlarm::buildControls()
{
    // "ÜBERNEHMEN" leads the tab order and takes the focus.
    Command1 = makeButton(this, QStringLiteral("ÜBERNEHMEN"), {172, 232, 145, 37});
    const QFont big = dialogFont(24, true);
    lblHour = makeLabel(this, QStringLiteral("00"), {60, 12, 57, 37}, big);
    Label1 = makeLabel(this, QStringLiteral(":"), {136, 8, 57, 37}, big);
    lblMinutes = makeLabel(this, QStringLiteral("00"), {216, 12, 57, 37}, big);
    HScroll1 = makeSelector(this, 23, 4, {20, 48, 141, 17});
    HScroll2 = makeSelector(this, 59, 10, {173, 48, 141, 17});
    Command3 = makeButton(this, QStringLiteral("Aktuelle Zeit holen"), {16, 72, 145, 27});
    Command4 = makeButton(this, QStringLiteral("zur Alarmliste hinzufügen"), {172, 72, 145, 27});
    Label2 = makeLabel(this, QStringLiteral("Alarm Töne:"), {20, 104, 121, 17}, font());
    File1 = makeList<FileListBox>(this, {16, 120, 141, 102});
    Label3 = makeLabel(this, QStringLiteral("Alarm-Liste:"), {176, 104, 77, 17}, font());
    List1 = makeList<QListWidget>(this, {172, 120, 145, 100});
    Command2 = makeButton(this, QStringLiteral("Abbrechen"), {16, 232, 145, 37});

    setTabOrder(Command1, HScroll1);
    setTabOrder(HScroll1, HScroll2);
    setTabOrder(HScroll2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, File1);
    setTabOrder(File1, List1);
    setTabOrder(List1, Command2);
    Command1->setFocus();

    mnuPop = new QMenu(QStringLiteral("PopUp"), this);
    mnuRemove = mnuPop->addAction(QStringLiteral("Alarm entfernen"));

    connect(HScroll1, &QScrollBar::valueChanged, this, &frmAlarm::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &frmAlarm::HScroll1_Scroll);
    connect(HScroll2, &QScrollBar::valueChanged, this, &frmAlarm::HScroll2_Change);
    connect(HScroll2, &QScrollBar::sliderMoved, this, &frmAlarm::HScroll2_Scroll);
    connect(Command1, &QPushButton::clicked, this, &frmAlarm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmAlarm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAlarm::Command3_Click);
    connect(File1, &FileListBox::Click, this, &frmAlarm::File1_Click);
    connect(mnuRemove, &QAction::triggered, this, &frmAlarm::mnuRemove_Click);
}

void frmAlarm::Form_Load()
{
    CenterForm(this, m_over);
    MakeTopMost(this);
    // The selector first: its change handler writes the label, which then
    // gets the stored text itself, whatever it is.
    const AlarmTime& stored = m_state.core.alarmTime();
    if (stored.hour) {
        HScroll1->setValue(selectorValue(*stored.hour, HScroll1->maximum()));
        lblHour->setText(*stored.hour);
    }
    if (stored.minute) {
        HScroll2->setValue(selectorValue(*stored.minute, HScroll2->maximum()));
        lblMinutes->setText(*stored.minute);
    }
    File1->setPath(m_state.ProgramDir);
}

void frmAlarm::HScroll1_Change()
{
    lblHour->setText(twoDigitText(HScroll1->sliderPosition()));
}

void frmAlarm::HScroll1_Scroll()
{
    HScroll1_Change();
}

void frmAlarm::HScroll2_Change()
{
    lblMinutes->setText(twoDigitText(HScroll2->sliderPosition()));
}

void frmAlarm::HScroll2_Scroll()
{
    HScroll2_Change();
}

void frmAlarm::Command1_Click()
{
    m_state.core.setAlarmTime({lblHour->text(), lblMinutes->text()});
    // Both in one replace: nothing can leave half a time in the file.
    WriteSettings(m_state, alarmTimeEntries(lblHour->text(), lblMinutes->text()));
    close();
}

void frmAlarm::Command2_Click()
{
    close();
}

void frmAlarm::Command3_Click()
{
    // The time the tubes show; before the first tick (started in standby)
    // the clock read the way the tick reads it.
    const QString time =
        m_state.core.drawnTimeText().value_or(localTimeText(m_state.services.now()));
    const QString hours = time.mid(0, 2);
    const QString minutes = time.mid(3, 2);
    HScroll1->setValue(selectorValue(hours, HScroll1->maximum()));
    lblHour->setText(hours);
    HScroll2->setValue(selectorValue(minutes, HScroll2->maximum()));
    lblMinutes->setText(minutes);
}

void frmAlarm::File1_Click()
{
    // From the program directory, whatever the current directory is.
    const QString name = File1->fileName();
    if (!name.isEmpty()) {
        PlaySoundFile(m_state, m_state.ProgramDir + name);
    }
}

void frmAlarm::mnuRemove_Click()
{
    // The alarm list has no behaviour.
}
