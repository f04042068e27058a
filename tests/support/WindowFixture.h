#pragma once

// A program state with the program's windows, and the ones a test makes for
// itself handed to own(): all go with the fixture, also when a case fails
// half-way.
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/SettingsWriter.h"
#include "tests/support/TestState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <vector>

// Windows closed with WA_DeleteOnClose are deleted at the next turn of the
// event loop: this is that turn.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct WindowFixture : TestState
{
    WindowFixture() = default;
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;
    ~WindowFixture()
    {
        for (const QPointer<QWidget>& w : m_owned) {
            delete w.data();
        }
        flushDeletes();
    }

    template <class Window> Window* own(Window* window)
    {
        m_owned.emplace_back(window);
        return window;
    }

    Windows windows{state, core};
    // Writes what the core changes once a test calls followChanges().
    SettingsWriter writer{state, core, [this] { return windows.clock().pos(); }};

private:
    std::vector<QPointer<QWidget>> m_owned;
};

// The same for a program placed in a fresh folder of its own, which holds its
// settings file and skins folder.
struct PlacedFixture : WindowFixture
{
    PlacedFixture() { placeProgramIn(dir.path() + QStringLiteral("/")); }
    QTemporaryDir dir;
};
