#include "AlarmTestState.h"
#include "alarm/AlarmDialog.h"
#include "alarm/FileListBox.h"
#include "alarm/KeyScrollBar.h"
#include "app/Windows.h"
#include "tests/support/Files.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// What AlarmDialog's buttons and lists do.

class TestFrmAlarmActions : public QObject
{
    Q_OBJECT
private slots:
    void currentTime_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("hourPos");
        QTest::addColumn<int>("minutePos");
        QTest::newRow("morning") << "09"
                                 << "41" << 9 << 41;
        QTest::newRow("midnight") << "00"
                                  << "00" << 0 << 0;
        QTest::newRow("end of day") << "23"
                                    << "59" << 23 << 59;
    }
    void currentTime()
    {
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(int, hourPos);
        QFETCH(int, minutePos);
        AlarmTestState t;
        t.core.alarm().setTime(QTime(12, 12));
        t.core.tick(hours + ":" + minutes + ":00");
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QTest::mouseClick(w->currentTimeButton(), Qt::LeftButton);
        QCOMPARE(w->hourSelector()->value(), hourPos);
        QCOMPARE(w->minuteSelector()->value(), minutePos);
        QCOMPARE(w->hourLabel()->text(), hours);
        QCOMPARE(w->minuteLabel()->text(), minutes);
        // Taking the time stores nothing.
        QCOMPARE(t.core.alarm().time(), QTime(12, 12));
        QVERIFY(!QFile::exists(t.state.settingsFile));
        QVERIFY(w->isVisible());
        w->close();
    }

    // Before the first tick (started in standby) the time comes from the clock.
    void currentTimeBeforeAnyTick()
    {
        AlarmTestState t;
        t.setTime(QDateTime(QDate(2024, 3, 5), QTime(6, 7, 40)));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        w->takeCurrentTime();
        QCOMPARE(w->hourLabel()->text(), QStringLiteral("06"));
        QCOMPARE(w->minuteLabel()->text(), QStringLiteral("07"));
        QCOMPARE(w->hourSelector()->value(), 6);
        QCOMPARE(w->minuteSelector()->value(), 7);
        w->close();
    }

    void apply_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("hourText");
        QTest::addColumn<QString>("minuteText");
        QTest::newRow("from no alarm, untouched") << "99" << -1 << -1 << "00"
                                                  << "00";
        QTest::newRow("set a time") << "99" << 7 << 5 << "07"
                                    << "05";
        QTest::newRow("change a time") << "12" << 23 << 59 << "23"
                                       << "59";
        QTest::newRow("bad stored text, untouched") << "abc" << -1 << -1 << "00"
                                                    << "00";
        QTest::newRow("bad stored text replaced") << "24" << 6 << -1 << "06"
                                                  << "00";
    }
    // "ÜBERNEHMEN" stores both keys at once, re-arms and closes.
    void apply()
    {
        QFETCH(QString, stored);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, hourText);
        QFETCH(QString, minuteText);
        AlarmTestState t;
        t.core.alarm().setTime(minuteOfTexts(stored, stored));
        t.core.alarm().acknowledge();
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        if (hour >= 0) {
            w->hourSelector()->setValue(hour);
        }
        if (minute >= 0) {
            w->minuteSelector()->setValue(minute);
        }
        QTest::mouseClick(w->applyButton(), Qt::LeftButton);
        QCOMPARE(t.core.alarm().time(), minuteOfTexts(hourText, minuteText));
        QCOMPARE(t.core.alarm().state(), AlarmState::Waiting);
        QCOMPARE(settingOf(t, "A-Hour"), hourText);
        QCOMPARE(settingOf(t, "A-Mins"), minuteText);
        QTRY_VERIFY(!t.windows.alarm());
    }

    // Writing fails (the settings path is a directory): the time still
    // applies, the state re-arms and the window closes.
    void applyWhenWritingFails()
    {
        AlarmTestState t;
        QVERIFY(QDir().mkdir(t.state.settingsFile));
        t.setTime(QDateTime(QDate(2024, 3, 5), QTime(7, 0)));
        t.ringAlarm();
        QCOMPARE(t.core.alarm().state(), AlarmState::Ringing);
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        w->hourSelector()->setValue(8);
        w->applyAlarmTime();
        QCOMPARE(t.core.alarm().time(), QTime(8, 0));
        QCOMPARE(t.core.alarm().state(), AlarmState::Waiting);
        QTRY_VERIFY(!t.windows.alarm());
    }

    void cancel()
    {
        AlarmTestState t;
        t.core.alarm().setTime(QTime(7, 30));
        t.core.alarm().acknowledge();
        t.core.tick("10:11:00");
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        w->hourSelector()->setValue(3);
        w->takeCurrentTime();
        QTest::mouseClick(w->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!t.windows.alarm());
        QCOMPARE(t.core.alarm().time(), QTime(7, 30));
        QCOMPARE(t.core.alarm().state(), AlarmState::Acknowledged);
        QVERIFY(!QFile::exists(t.state.settingsFile));
    }

    void escapeCancels()
    {
        AlarmTestState t;
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->hourSelector()->setValue(3);
        QTest::keyClick(w, Qt::Key_Escape);
        QTRY_VERIFY(!t.windows.alarm());
        QVERIFY(!t.core.alarm().time());
        QVERIFY(!QFile::exists(t.state.settingsFile));
    }

    // Return applies the time wherever the focus is but on another button.
    void returnApplies_data()
    {
        QTest::addColumn<QString>("focused");
        for (const char* name : {"Command1", "HScroll1", "HScroll2", "File1", "List1"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void returnApplies()
    {
        QFETCH(QString, focused);
        AlarmTestState t;
        QVERIFY(writeFile(t.state.programDir + "alarm.wav"));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->hourSelector()->setValue(7);
        w->minuteSelector()->setValue(2);
        auto* control = w->findChild<QWidget*>(focused);
        QVERIFY(control);
        control->setFocus();
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Return);
        QTRY_VERIFY(!t.windows.alarm());
        QCOMPARE(settingOf(t, "A-Hour"), QStringLiteral("07"));
        QCOMPARE(settingOf(t, "A-Mins"), QStringLiteral("02"));
    }

    void soundList()
    {
        AlarmTestState t;
        for (const char* name : {"alarm.wav", "Bell.WAV", "readme.txt", "chime.wav"}) {
            QVERIFY(writeFile(t.state.programDir + name));
        }
        // The current directory holds other sounds; they must not show.
        QTemporaryDir elsewhere;
        QVERIFY(writeFile(elsewhere.filePath("other.wav")));
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());

        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QStringList shown;
        for (int i = 0; i < w->soundList()->count(); ++i) {
            shown.append(w->soundList()->item(i)->text());
        }
        QCOMPARE(shown, (QStringList{"alarm.wav", "Bell.WAV", "chime.wav"}));
        QVERIFY(t.sound.calls().isEmpty());

        auto clickRow = [w](int row) {
            const QRect r = w->soundList()->visualItemRect(w->soundList()->item(row));
            QTest::mouseClick(w->soundList()->viewport(), Qt::LeftButton, {}, r.center());
        };
        clickRow(1);
        QCOMPARE(t.sound.playedPaths(), QStringList{t.state.programDir + "Bell.WAV"});
        clickRow(1); // the same entry again plays again
        clickRow(2);
        QCOMPARE(t.sound.playedPaths(),
                 (QStringList{t.state.programDir + "Bell.WAV", t.state.programDir + "Bell.WAV",
                              t.state.programDir + "chime.wav"}));
        QCOMPARE(t.sound.stopCount(), 0);

        // Moving with the keys plays the entry reached.
        t.sound.clear();
        QTest::keyClick(w->soundList(), Qt::Key_Up);
        QCOMPARE(t.sound.playedPaths(), QStringList{t.state.programDir + "Bell.WAV"});
        QDir::setCurrent(before);

        // Previewing stores nothing and does not touch the alarm.
        QVERIFY(!QFile::exists(t.state.settingsFile));
        QVERIFY(!t.core.alarm().time());
        w->close();
    }

    // Tabbing into the list picks nothing, so nothing plays.
    void focusAlonePlaysNothing()
    {
        AlarmTestState t;
        QVERIFY(writeFile(t.state.programDir + "alarm.wav"));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->addToListButton()->setFocus();
        QTest::keyClick(w->addToListButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->soundList());
        QVERIFY(t.sound.calls().isEmpty());
        w->close();
    }

    void noSoundFiles()
    {
        AlarmTestState t;
        QVERIFY(writeFile(t.state.programDir + "glimmora.ini.bak"));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QCOMPARE(w->soundList()->count(), 0);
        QTest::mouseClick(w->soundList()->viewport(), Qt::LeftButton);
        QVERIFY(t.sound.calls().isEmpty());
        w->close();
    }

    void alarmListIsInert()
    {
        AlarmTestState t;
        t.core.alarm().setTime(QTime(7, 30));
        AlarmDialog* w = openAlarmDialog(t);
        QVERIFY(w);
        QTest::mouseClick(w->addToListButton(), Qt::LeftButton);
        w->removeEntry()->trigger();
        QCOMPARE(w->alarmList()->count(), 0);
        QVERIFY(w->isVisible());
        QVERIFY(!w->alarmListMenu()->isVisible());
        QCOMPARE(w->hourLabel()->text(), QStringLiteral("07"));
        QCOMPARE(w->minuteLabel()->text(), QStringLiteral("30"));
        QVERIFY(t.sound.calls().isEmpty());
        QVERIFY(!QFile::exists(t.state.settingsFile));
        w->close();
    }

    // A second opening brings the same window forward without reloading it;
    // after closing, the next opening builds it afresh.
    void oneWindow()
    {
        AlarmTestState t;
        AlarmDialog* first = openAlarmDialog(t);
        QVERIFY(first);
        first->hourSelector()->setValue(5);
        t.windows.showAlarm();
        QCOMPARE(t.windows.alarm(), first);
        QCOMPARE(first->hourLabel()->text(), QStringLiteral("05"));
        QCOMPARE(visibleWindows<AlarmDialog>(), 1);

        first->close();
        QTRY_VERIFY(!t.windows.alarm());
        AlarmDialog* second = openAlarmDialog(t);
        QVERIFY(second);
        QCOMPARE(second->hourSelector()->value(), 0);
        QCOMPARE(second->hourLabel()->text(), QStringLiteral("00"));
        second->close();
    }
};

QTEST_MAIN(TestFrmAlarmActions)
#include "tst_AlarmDialogActions.moc"
