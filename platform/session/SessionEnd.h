#pragma once

#include <QObject>
#include <functional>

namespace platform {

// Ends the program the orderly way when the session ends it: `end` runs from
// the event loop after SIGTERM, SIGHUP or SIGINT (the handler only writes a
// byte into a socket pair), and from exit() once it is called by a library:
// Qt's X11 plugin and Xlib call exit() when the X server goes away. `end` is
// expected not to return. One per process; from its construction on.
class SessionEnd final : public QObject
{
public:
    explicit SessionEnd(std::function<void()> end, QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

private:
    void run();
};

} // namespace platform
