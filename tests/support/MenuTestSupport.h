#pragma once

#include "about/AboutWindow.h"
#include "alarm/AlarmDialog.h"
#include "alarm/AlarmNotice.h"
#include "app/ProgramEnd.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/AppState.h"
#include "keys/KeyDialog.h"
#include "menu/ClockMenu.h"
#include "platform/session/SingleInstance.h"
#include "skin/SkinLoader.h"
#include "skin/SkinChooser.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

// An AppState with recording fakes, the clock window with its menu, the
// settings writer and the program's end, whose last step is replaced by a counter so the test process
// lives on.
struct MenuFixture : WindowFixture
{
    int exits = 0;
    // Runs when the end is called, to see the state at that moment.
    std::function<void()> onExit;
    platform::SingleInstance instance{QStringLiteral("/nonexistent/glimmora")};
    ProgramEnd programEnd{writer, windows, instance};

    MenuFixture()
    {
        programEnd.setFinish([this] {
            ++exits;
            if (onExit) {
                onExit();
            }
        });
    }

    ClockWindow& clock() { return windows.clock(); }
    ClockMenu& menu() { return windows.menu(); }

    // The clock window shown at a known place.
    ClockWindow& shownClock(QPoint at = QPoint(200, 150))
    {
        ClockWindow& c = clock();
        c.move(at);
        c.show();
        return c;
    }
};

// Strips whose cells are plain colours that name the tube and the digit, so a
// tube's picture tells which cell was drawn.
inline QColor cellColour(int tube, int digit)
{
    return QColor(20 + tube * 30, 10 + digit * 20, 200);
}

inline void giveColouredStrips(ClockWindow& clock)
{
    LoadedSkin coloured;
    for (int k = 0; k < 6; ++k) {
        const QSize cell = clock.tubes()[k]->size();
        QImage strip(cell.width() * 10, cell.height(), QImage::Format_RGB32);
        for (int d = 0; d < 10; ++d) {
            for (int y = 0; y < cell.height(); ++y) {
                for (int x = 0; x < cell.width(); ++x) {
                    strip.setPixelColor(d * cell.width() + x, y, cellColour(k, d));
                }
            }
        }
        coloured.strips[k] = strip;
    }
    clock.applySkin(coloured);
}

// Whether every pixel of a tube shows the one colour.
inline bool tubeShows(const ClockWindow& clock, int tube, const QColor& colour)
{
    const QImage& img = clock.tubes()[tube]->image();
    if (img.size() != clock.tubes()[tube]->size()) {
        return false;
    }
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

inline void fillTubes(ClockWindow& clock, const QColor& colour)
{
    for (PictureBox* tube : clock.tubes()) {
        QImage img(tube->size(), QImage::Format_RGB32);
        img.fill(colour);
        tube->setPicture(img);
    }
}

// Sends one mouse event to a widget, through its event filters, with the
// local and global positions given separately (as the window system does).
inline bool sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons buttons, QPointF local, QPointF global)
{
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    return QCoreApplication::sendEvent(target, &event);
}

inline bool sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons buttons, QPoint local)
{
    return sendMouse(target, type, button, buttons, QPointF(local),
                     QPointF(target->mapToGlobal(local)));
}

// The menu's visible entries top to bottom as the user reads them: "-" a
// line, "[ ]" or "[x]" a mark, "(grey)" an entry that cannot be chosen, then
// a shortcut, and ">" for a submenu.
inline QStringList shownEntries(const ClockMenu& menu)
{
    QStringList shown;
    for (const QAction* entry : menu.actions()) {
        if (!entry->isVisible()) {
            continue;
        }
        QString line = entry->isSeparator() ? QStringLiteral("-") : entry->text();
        if (entry->isCheckable()) {
            line += entry->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        }
        if (!entry->isEnabled()) {
            line += QStringLiteral(" (grey)");
        }
        if (!entry->shortcut().isEmpty()) {
            line += u' ' + entry->shortcut().toString();
        }
        if (entry->menu()) {
            line += QStringLiteral(" >");
        }
        shown << line;
    }
    return shown;
}

// The menu of a fresh start, all marks clear, with or without the saver
// entries.
inline QStringList freshMenu(bool saverEntries)
{
    QStringList entries{
        QStringLiteral("Über..."),
        QStringLiteral("-"),
        QStringLiteral("StandBy [ ]"),
        QStringLiteral("Immer im Vordergrund [ ]"),
        QStringLiteral("Auf dem Desktop [ ]"),
        QStringLiteral("-"),
        QStringLiteral("Alarmzeit einstellen"),
        QStringLiteral("Alarm aktivieren [ ]"),
        QStringLiteral("-"),
        QStringLiteral("Skin (grey)"),
        QStringLiteral("-"),
    };
    if (saverEntries) {
        entries << QStringLiteral("Saver unterdrücken [ ]") << QStringLiteral("Taste definieren...")
                << QStringLiteral("-");
    }
    return entries << QStringLiteral("Beenden");
}
