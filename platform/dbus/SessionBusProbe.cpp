#include "platform/dbus/SessionBusProbe.h"

#include "platform/dbus/InhibitLog.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <dbus/dbus.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
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

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point until)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    return int(std::max<qint64>(1, left.count()));
}

// The answer to a call on `connection` before `until`: whether it succeeded,
// nothing when none came; `why` says what failed.
std::optional<bool> answer(DBusConnection* connection, DBusMessage* call, Clock::time_point until,
                           std::string& why)
{
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply =
        call ? dbus_connection_send_with_reply_and_block(connection, call, msLeft(until), &error)
             : nullptr;
    std::optional<bool> result;
    if (reply) {
        result = true;
    } else if (error.name && std::strcmp(error.name, DBUS_ERROR_NO_REPLY) != 0 &&
               std::strcmp(error.name, DBUS_ERROR_TIMEOUT) != 0 &&
               std::strcmp(error.name, DBUS_ERROR_DISCONNECTED) != 0) {
        result = false; // answered with an error
    }
    if (!reply) {
        why = error.message ? error.message : "no answer";
        dbus_error_free(&error);
    }
    for (DBusMessage* message : {call, reply}) {
        if (message) {
            dbus_message_unref(message);
        }
    }
    return result;
}

DBusMessage* call(const char* service, const char* path, const char* interface, const char* method,
                  const char* first = nullptr, const char* second = nullptr)
{
    DBusMessage* call = dbus_message_new_method_call(service, path, interface, method);
    for (const char* arg : {first, second}) {
        if (call && arg) {
            dbus_message_append_args(call, DBUS_TYPE_STRING, &arg, DBUS_TYPE_INVALID);
        }
    }
    return call;
}

enum class Bus
{
    Silent,
    Answers,
    AnswersWithDeafAccessibility, // what Qt's accessibility bridge asks first hangs
};

// How the bus at `address` serves a new client: libdbus itself connects,
// taking the entries in turn as it would (every kind it knows, each with its
// own authentication). The bus must answer Hello and the call after it (one
// that answers Hello and then nothing passed a Hello-only check); with
// `accessibility`, the accessibility service, where it has an owner, must
// answer its state as Qt's bridge reads it before the first window shows.
// Runs on a thread Qt must never see (the first thread that uses Qt becomes
// its main thread): plain strings only.
Bus busAnswers(const std::string& address, bool accessibility, Clock::time_point until,
               std::string& why)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (!connection) {
        why = error.message ? error.message : "unreachable";
        dbus_error_free(&error);
        return Bus::Silent;
    }
    dbus_connection_set_exit_on_disconnect(connection, FALSE);
    const char* a11y = "org.a11y.Bus";
    Bus bus = Bus::Silent;
    if (answer(connection, call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
               until, why)) {
        const std::optional<bool> owned = answer(
            connection,
            call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "GetNameOwner", a11y),
            until, why);
        bus = !owned                      ? Bus::Silent
              : !*owned || !accessibility ? Bus::Answers
              : answer(connection,
                       call(a11y, "/org/a11y/bus", DBUS_INTERFACE_PROPERTIES, "Get",
                            "org.a11y.Status", "IsEnabled"),
                       until, why)
                  ? Bus::Answers
                  : Bus::AnswersWithDeafAccessibility;
    }
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
    return bus;
}

struct Outcome
{
    std::mutex lock;
    std::condition_variable done;
    std::optional<Bus> bus;
    std::string why = "no answer in time";
};

// Asks `address` on a thread of its own: opening a connection may wait on
// things no timeout of libdbus covers (a host name to look up, a TCP
// connect, a launcher). Left behind if late; it ends by itself.
std::shared_ptr<Outcome> startProbe(const QByteArray& address, bool accessibility,
                                    Clock::time_point until)
{
    auto outcome = std::make_shared<Outcome>();
    std::thread([address = address.toStdString(), accessibility, until, outcome] {
        std::string why;
        const Bus bus = busAnswers(address, accessibility, until, why);
        const std::lock_guard<std::mutex> hold(outcome->lock);
        outcome->bus = bus;
        outcome->why = why;
        outcome->done.notify_all();
    }).detach();
    return outcome;
}

// What the probe found by `until`, and why it failed.
std::pair<Bus, std::string> finished(Outcome& outcome, Clock::time_point until)
{
    std::unique_lock<std::mutex> hold(outcome.lock);
    outcome.done.wait_until(hold, until, [&outcome] { return outcome.bus.has_value(); });
    return {outcome.bus.value_or(Bus::Silent), outcome.why};
}

} // namespace

void leaveSilentSessionBus(std::chrono::milliseconds deadline)
{
    const Clock::time_point until = Clock::now() + deadline;
    // The calls give up a little earlier, so a late answer is still a "no".
    const Clock::time_point callsUntil = until - deadline / 5;
    // Qt's accessibility bridge connects to a bus named here instead of
    // asking the session bus; it waits as long as that bus stays silent.
    const QByteArray accessibilityBus = qgetenv("AT_SPI_BUS_ADDRESS");
    const QByteArray address = sessionBusAddress();
    // Both at once: each has the whole time.
    const auto ownBus =
        accessibilityBus.isEmpty() ? nullptr : startProbe(accessibilityBus, false, callsUntil);
    const auto session =
        address.isEmpty() ? nullptr : startProbe(address, accessibilityBus.isEmpty(), callsUntil);
    if (const auto [bus, why] = ownBus ? finished(*ownBus, until) : std::pair(Bus::Answers, "");
        bus == Bus::Silent) {
        qCWarning(lcInhibit) << "accessibility bus" << accessibilityBus
                             << "does not answer:" << why.c_str()
                             << "- no screen reader access this run";
        qputenv("AT_SPI_BUS_ADDRESS", "disabled:");
    }
    if (!session) {
        return;
    }
    const auto [bus, why] = finished(*session, until);
    if (bus == Bus::AnswersWithDeafAccessibility) {
        qCWarning(lcInhibit) << "the accessibility service does not answer:" << why.c_str()
                             << "- no screen reader access this run";
        qputenv("AT_SPI_BUS_ADDRESS", "disabled:");
    } else if (bus == Bus::Silent) {
        qCDebug(lcInhibit) << "session bus" << address << "does not answer:" << why.c_str()
                           << "- running without it";
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
}

} // namespace platform
