#include "AlarmTestState.h"
#include "alarm/AlarmDialog.h"
#include "alarm/FileListBox.h"
#include "alarm/KeyScrollBar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// AlarmDialog's controls, the stored time it shows and its selectors.

namespace {

QWidget* control(AlarmDialog& w, const QString& name)
{
    const QHash<QString, QWidget*> controls{
        {"lblHour", w.hourLabel()},        {"Label1", w.colonLabel()},
        {"lblMinutes", w.minuteLabel()},   {"HScroll1", w.hourSelector()},
        {"HScroll2", w.minuteSelector()},  {"Command3", w.currentTimeButton()},
        {"Command4", w.addToListButton()}, {"Label2", w.soundsCaption()},
        {"File1", w.soundList()},          {"Label3", w.alarmListCaption()},
        {"List1", w.alarmList()},          {"Command2", w.cancelButton()},
        {"Command1", w.applyButton()}};
    return controls.value(name);
}

QString caption(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        return button->text();
    }
    return {};
}

} // namespace

class TestFrmAlarm : public QObject
{
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::newRow("lblHour") << "lblHour" << QRect(60, 12, 57, 37) << "00";
        QTest::newRow("Label1") << "Label1" << QRect(136, 8, 57, 37) << ":";
        QTest::newRow("lblMinutes") << "lblMinutes" << QRect(216, 12, 57, 37) << "00";
        QTest::newRow("HScroll1") << "HScroll1" << QRect(20, 48, 141, 17) << "";
        QTest::newRow("HScroll2") << "HScroll2" << QRect(173, 48, 141, 17) << "";
        QTest::newRow("Command3") << "Command3" << QRect(16, 72, 145, 27) << "Aktuelle Zeit holen";
        QTest::newRow("Command4") << "Command4" << QRect(172, 72, 145, 27)
                                  << "zur Alarmliste hinzufügen";
        QTest::newRow("Label2") << "Label2" << QRect(20, 104, 121, 17) << "Alarm Töne:";
        QTest::newRow("File1") << "File1" << QRect(16, 120, 141, 102) << "";
        QTest::newRow("Label3") << "Label3" << QRect(176, 104, 77, 17) << "Alarm-Liste:";
        QTest::newRow("List1") << "List1" << QRect(172, 120, 145, 100) << "";
        QTest::newRow("Command2") << "Command2" << QRect(16, 232, 145, 37) << "Abbrechen";
        QTest::newRow("Command1") << "Command1" << QRect(172, 232, 145, 37) << "ÜBERNEHMEN";
    }
    // Where each control stands and that its caption fits into it.
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QWidget* c = control(*w, name);
        QVERIFY(c);
        QCOMPARE(c->parentWidget(), w);
        QCOMPARE(c->geometry(), place);
        QVERIFY(c->isVisible());
        QCOMPARE(caption(c), text);
        QCOMPARE(c->font().family(), QStringLiteral("Liberation Sans"));
        if (!text.isEmpty()) {
            const QFontMetrics fm(c->font());
            const QRect needed = fm.boundingRect(text);
            if (qobject_cast<QPushButton*>(c)) {
                QVERIFY2(c->sizeHint().width() <= place.width(), qPrintable(name));
                QVERIFY2(c->sizeHint().height() <= place.height(), qPrintable(name));
            } else {
                QVERIFY2(needed.width() <= place.width(), qPrintable(name));
                QVERIFY2(fm.height() <= place.height(), qPrintable(name));
            }
        }
        w->close();
    }

    void window()
    {
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Alarmzeit einstellen"));
        QCOMPARE(w->size(), QSize(331, 277));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowType(), Qt::Tool);
        QVERIFY(!w->isModal());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));

        for (QLabel* big : {w->hourLabel(), w->colonLabel(), w->minuteLabel()}) {
            QCOMPARE(big->font().pointSizeF(), 24.0);
            QVERIFY(big->font().bold());
        }
        QVERIFY(w->soundList()->font().bold());
        QVERIFY(w->alarmList()->font().bold());
        QVERIFY(!w->soundsCaption()->font().bold());

        QCOMPARE(w->hourSelector()->minimum(), 0);
        QCOMPARE(w->hourSelector()->maximum(), 23);
        QCOMPARE(w->hourSelector()->singleStep(), 1);
        QCOMPARE(w->hourSelector()->pageStep(), 4);
        QCOMPARE(w->minuteSelector()->minimum(), 0);
        QCOMPARE(w->minuteSelector()->maximum(), 59);
        QCOMPARE(w->minuteSelector()->singleStep(), 1);
        QCOMPARE(w->minuteSelector()->pageStep(), 10);

        QCOMPARE(w->alarmListMenu()->title(), QStringLiteral("PopUp"));
        QCOMPARE(w->removeEntry()->text(), QStringLiteral("Alarm entfernen"));
        QVERIFY(!w->alarmListMenu()->isVisible());
        w->close();
    }

    // "ÜBERNEHMEN" is first in the tab order and holds the focus at start.
    void tabOrder()
    {
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), w->applyButton());
        QList<QWidget*> order;
        QWidget* next = w->applyButton();
        do {
            order.append(next);
            next = next->nextInFocusChain();
            while (next != w->applyButton() && next->focusPolicy() == Qt::NoFocus) {
                next = next->nextInFocusChain();
            }
        } while (next != w->applyButton() && order.size() < 20);
        const QList<QWidget*> expected{
            w->applyButton(),     w->hourSelector(), w->minuteSelector(), w->currentTimeButton(),
            w->addToListButton(), w->soundList(),    w->alarmList(),      w->cancelButton()};
        QCOMPARE(order, expected);
        w->close();
    }

    void storedTime_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<int>("hourPos");
        QTest::addColumn<int>("minutePos");
        QTest::addColumn<QString>("hourLabel");
        QTest::addColumn<QString>("minuteLabel");
        QTest::newRow("no alarm time") << "99"
                                       << "99" << 0 << 0 << "00"
                                       << "00";
        QTest::newRow("morning") << "07"
                                 << "30" << 7 << 30 << "07"
                                 << "30";
        QTest::newRow("last minute of the day") << "23"
                                                << "59" << 23 << 59 << "23"
                                                << "59";
        QTest::newRow("midnight") << "00"
                                  << "00" << 0 << 0 << "00"
                                  << "00";
        // Texts that name no time (half a time, one digit, out of range, not
        // a number) show no time, as "99" does.
        for (const auto& [hour, minute] : {std::pair{"06", "99"},
                                           {"7", "5"},
                                           {"24", "60"},
                                           {"-3", "-3"},
                                           {"abc", "x1"},
                                           {"1e30", "&HFFFF"},
                                           {"<b>7</b>", "<i>"},
                                           {" 7", "07"}}) {
            QTest::newRow(hour) << hour << minute << 0 << 0 << "00"
                                << "00";
        }
        const QString longText(3000, u'1');
        QTest::newRow("3000 characters") << longText << longText << 0 << 0 << "00"
                                         << "00";
    }
    void storedTime()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(int, hourPos);
        QFETCH(int, minutePos);
        QFETCH(QString, hourLabel);
        QFETCH(QString, minuteLabel);
        AlarmTestState t;
        t.core.alarm().setTime(minuteOfTexts(hour, minute));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QCOMPARE(w->hourSelector()->value(), hourPos);
        QCOMPARE(w->minuteSelector()->value(), minutePos);
        QCOMPARE(w->hourLabel()->text(), hourLabel);
        QCOMPARE(w->minuteLabel()->text(), minuteLabel);
        QCOMPARE(w->hourLabel()->textFormat(), Qt::PlainText);
        // A long text is clipped by the label, not allowed to move anything.
        QCOMPARE(w->hourLabel()->geometry(), QRect(60, 12, 57, 37));
        QCOMPARE(w->minuteLabel()->geometry(), QRect(216, 12, 57, 37));
        QCOMPARE(w->size(), QSize(331, 277));
        QVERIFY(!w->grab().isNull());
        // Opening alone changes nothing.
        QCOMPARE(t.core.alarm().time(), minuteOfTexts(hour, minute));
        QVERIFY(!QFile::exists(t.state.settingsFile));
        w->close();
    }

    void labelsFollow_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("hourLabel");
        QTest::addColumn<QString>("minuteLabel");
        QTest::newRow("single digits") << 7 << 5 << "07"
                                       << "05";
        QTest::newRow("last values") << 23 << 59 << "23"
                                     << "59";
        QTest::newRow("ten") << 10 << 10 << "10"
                             << "10";
        QTest::newRow("beyond the range") << 30 << 75 << "23"
                                          << "59";
    }
    void labelsFollow()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, hourLabel);
        QFETCH(QString, minuteLabel);
        AlarmTestState t;
        t.core.alarm().setTime(QTime(12, 34));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        w->hourSelector()->setValue(hour);
        w->minuteSelector()->setValue(minute);
        QCOMPARE(w->hourLabel()->text(), hourLabel);
        QCOMPARE(w->minuteLabel()->text(), minuteLabel);
        w->close();
    }

    // While the thumb is dragged the label follows it, before any value change.
    void labelsFollowTheThumb()
    {
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        for (QScrollBar* bar : {w->hourSelector(), w->minuteSelector()}) {
            bar->setTracking(false);
            bar->setSliderDown(true);
            bar->setSliderPosition(8);
            QCOMPARE(bar->value(), 0);
        }
        QCOMPARE(w->hourLabel()->text(), QStringLiteral("08"));
        QCOMPARE(w->minuteLabel()->text(), QStringLiteral("08"));
        w->minuteSelector()->setSliderPosition(42);
        QCOMPARE(w->minuteLabel()->text(), QStringLiteral("42"));
        w->close();
    }

    void keys_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("hour right") << 1 << int(Qt::Key_Right) << 7 << 8;
        QTest::newRow("hour down") << 1 << int(Qt::Key_Down) << 7 << 8;
        QTest::newRow("hour left") << 1 << int(Qt::Key_Left) << 7 << 6;
        QTest::newRow("hour left at start") << 1 << int(Qt::Key_Left) << 0 << 0;
        QTest::newRow("hour page down") << 1 << int(Qt::Key_PageDown) << 0 << 4;
        QTest::newRow("hour page up") << 1 << int(Qt::Key_PageUp) << 6 << 2;
        QTest::newRow("hour page down at end") << 1 << int(Qt::Key_PageDown) << 22 << 23;
        QTest::newRow("hour end") << 1 << int(Qt::Key_End) << 7 << 23;
        QTest::newRow("minute right") << 2 << int(Qt::Key_Right) << 30 << 31;
        QTest::newRow("minute up") << 2 << int(Qt::Key_Up) << 30 << 29;
        QTest::newRow("minute page down") << 2 << int(Qt::Key_PageDown) << 0 << 10;
        QTest::newRow("minute page down at end") << 2 << int(Qt::Key_PageDown) << 55 << 59;
        QTest::newRow("minute home") << 2 << int(Qt::Key_Home) << 30 << 0;
    }
    // Selectors are tab stops taking the keys as Windows scroll bars do; the
    // page keys step by 4 hours or 10 minutes.
    void keys()
    {
        QFETCH(int, selector);
        QFETCH(int, key);
        QFETCH(int, start);
        QFETCH(int, end);
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QScrollBar* bar = selector == 1 ? w->hourSelector() : w->minuteSelector();
        QVERIFY(bar->focusPolicy() & Qt::TabFocus);
        bar->setValue(start);
        QTest::keyClick(bar, Qt::Key(key));
        QCOMPARE(bar->value(), end);
        QCOMPARE((selector == 1 ? w->hourLabel() : w->minuteLabel())->text(),
                 QString::asprintf("%02d", end));
        w->close();
    }
};

QTEST_MAIN(TestFrmAlarm)
#include "tst_AlarmDialog.moc"
