#pragma once

#include "tests/support/WindowFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// A double-click as the window system delivers it: press, release, then the
// double-click event in place of the second press, and its release.
inline void realDoubleClick(QWidget* widget, QPoint pos)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// Closes every message box that opens while it lives and remembers what each
// showed, so code that runs a modal box can be driven from a test.
class MessageBoxWatcher : public QObject
{
public:
    struct Seen
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    MessageBoxWatcher()
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::poll);
        m_timer.start();
    }

    const QList<Seen>& seen() const { return m_seen; }

    // Runs while a box is open, before the watcher closes it.
    std::function<void()> whileOpen;

private:
    void poll()
    {
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget* w : widgets) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                m_seen.append(
                    {box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
                if (whileOpen) {
                    whileOpen();
                }
                box->done(QMessageBox::Ok);
            }
        }
    }

    QTimer m_timer;
    QList<Seen> m_seen;
};
