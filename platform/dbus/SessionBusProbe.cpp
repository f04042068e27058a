#include "platform/dbus/SessionBusProbe.h"

#include "platform/dbus/InhibitLog.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <dbus/dbus.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace platform {
namespace {

// The address libdbus uses: the variable, else the user's bus in the runtime
// directory where one exists.
QByteArray sessionBusAddress()
{
    QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() && qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString bus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        if (QFileInfo::exists(bus)) {
            address = "unix:path=" + QFile::encodeName(bus);
        }
    }
    return address;
}

// Whether the bus at `address` takes a new client: libdbus itself connects,
// taking the entries in turn as it would (every kind it knows, each with its
// own authentication), and the bus must answer the first call, Hello. Runs
// on a thread Qt must never see (the first thread that uses Qt becomes its
// main thread): plain strings only; `why` says what failed.
bool busAnswers(const std::string& address, int timeoutMs, std::string& why)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (!connection) {
        why = error.message ? error.message : "unreachable";
        dbus_error_free(&error);
        return false;
    }
    dbus_connection_set_exit_on_disconnect(connection, FALSE);
    DBusMessage* hello = dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS,
                                                      DBUS_INTERFACE_DBUS, "Hello");
    DBusMessage* reply =
        hello ? dbus_connection_send_with_reply_and_block(connection, hello, timeoutMs, &error)
              : nullptr;
    if (!reply) {
        why = error.message ? error.message : "no answer";
        dbus_error_free(&error);
    }
    for (DBusMessage* message : {hello, reply}) {
        if (message) {
            dbus_message_unref(message);
        }
    }
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
    return reply != nullptr;
}

struct Outcome
{
    std::mutex lock;
    std::condition_variable done;
    std::optional<bool> answered;
    std::string why = "no answer in time";
};

} // namespace

void leaveSilentSessionBus(std::chrono::milliseconds deadline)
{
    const QByteArray address = sessionBusAddress();
    if (address.isEmpty()) {
        return;
    }
    // On a thread of its own: opening a connection may wait on things no
    // timeout of libdbus covers (a host name to look up, a TCP connect, a
    // launcher). Left behind if late; it ends by itself.
    auto outcome = std::make_shared<Outcome>();
    std::thread([address = address.toStdString(), outcome, ms = int(deadline.count())] {
        std::string why;
        const bool answers = busAnswers(address, ms, why);
        const std::lock_guard<std::mutex> hold(outcome->lock);
        outcome->answered = answers;
        outcome->why = why;
        outcome->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> hold(outcome->lock);
    outcome->done.wait_for(hold, deadline, [&outcome] { return outcome->answered.has_value(); });
    if (outcome->answered.value_or(false)) {
        return;
    }
    qCDebug(lcInhibit) << "session bus" << address << "does not answer:" << outcome->why.c_str()
                       << "- running without it";
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace platform
