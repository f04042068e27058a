#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QSocketNotifier;

namespace platform {

// How a later start reaches the running clock: the clock listens on a socket
// beside its lock (in the user's runtime folder); a start that finds the clock
// running connects, the clock comes to the front and answers, and that start
// ends. Only the same user's starts are heard.
class FrontRequests final : public QObject
{
public:
    // Listens at `path`, replacing a socket a killed clock left there; hears
    // nothing where no socket can be made.
    FrontRequests(const QString& path, std::function<void()> toFront);
    ~FrontRequests() override;

    // From a later start: true once the clock at `path` has answered.
    static bool ask(const QString& path, std::chrono::milliseconds timeout);

private:
    void accept();

    QString m_path;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_toFront;
};

} // namespace platform
