#pragma once

#include <QObject>
#include <functional>

class SettingsWriter;
class Windows;
namespace platform {
class SingleInstance;
}

// The one place the program ends, whichever way it is asked to: "Beenden",
// the power switch, a double-click on the face, a close request (all through
// Windows::exitRequested), a signal, the X server gone or the session
// manager's quit (runUntilSessionEnds). The end saves the exit's keys,
// releases the single-instance lock and ends the process at once: no event
// runs between the write and the end, and no closing handler.
class ProgramEnd : public QObject
{
public:
    ProgramEnd(SettingsWriter& writer, Windows& windows, platform::SingleInstance& instance);

    // The exit's keys, and the program goes on (a session manager's save
    // request).
    void save();

    // Saves, releases the lock and ends; does not return in the program.
    void end();

    // What ends the process after the lock is released: std::_Exit(0) unless
    // a test puts something else here.
    void setFinish(std::function<void()> finish);

private:
    SettingsWriter& m_writer;
    platform::SingleInstance& m_instance;
    std::function<void()> m_finish;
};
