// A session manager for the tests, on libSM's server side: prints
// "SESSION_MANAGER=<ids>", then "registered" for each client that joins, and
// with "die" as its argument tells each client to end half a second later.
#include <X11/SM/SMlib.h>

#include <poll.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool g_die = false;
std::vector<SmsConn> g_toEnd;

Status registerClient(SmsConn connection, SmPointer, char*)
{
    char* id = SmsGenerateClientID(connection);
    SmsRegisterClientReply(connection, id);
    std::free(id);
    std::puts("registered");
    std::fflush(stdout);
    if (g_die) {
        g_toEnd.push_back(connection);
    }
    return 1;
}

void interactRequest(SmsConn, SmPointer, int) {}
void saveRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void phase2Request(SmsConn, SmPointer) {}
void saveDone(SmsConn, SmPointer, Bool) {}
void closeConnection(SmsConn connection, SmPointer, int, char**)
{
    IceConn ice = SmsGetIceConnection(connection);
    SmsCleanUp(connection);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
}
void setProperties(SmsConn, SmPointer, int, SmProp** props)
{
    (void)props;
}
void deleteProperties(SmsConn, SmPointer, int, char**) {}
void getProperties(SmsConn connection, SmPointer)
{
    SmsReturnProperties(connection, 0, nullptr);
}

Status newClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = [](SmsConn, SmPointer, Bool) {};
    callbacks->save_yourself_request.callback = saveRequest;
    callbacks->save_yourself_phase2_request.callback = phase2Request;
    callbacks->save_yourself_done.callback = saveDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

Bool anyHost(char*)
{
    return True;
}

} // namespace

int main(int argc, char* argv[])
{
    g_die = argc > 1 && std::strcmp(argv[1], "die") == 0;
    char error[256] = "";
    if (!SmsInitialize("glimmora-tests", "1", newClient, nullptr, anyHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    // A client that breaks its connection is dropped, as real managers do.
    IceSetIOErrorHandler([](IceConn) {});
    std::signal(SIGPIPE, SIG_IGN);
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    }
    char* ids = IceComposeNetworkIdList(count, listeners);
    std::printf("SESSION_MANAGER=%s\n", ids);
    std::fflush(stdout);

    std::vector<IceConn> connections;
    for (;;) {
        std::vector<pollfd> fds;
        for (int i = 0; i < count; ++i) {
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        }
        for (IceConn c : connections) {
            fds.push_back({IceConnectionNumber(c), POLLIN, 0});
        }
        // "die" once the client has settled in.
        if (::poll(fds.data(), fds.size(), g_toEnd.empty() ? -1 : 500) == 0) {
            for (SmsConn c : g_toEnd) {
                SmsDie(c);
            }
            g_toEnd.clear();
            continue;
        }
        for (int i = 0; i < count; ++i) {
            if (fds[size_t(i)].revents & POLLIN) {
                IceAcceptStatus status;
                if (IceConn c = IceAcceptConnection(listeners[i], &status)) {
                    connections.push_back(c);
                }
            }
        }
        std::vector<IceConn> alive;
        for (size_t k = 0; k < connections.size(); ++k) {
            IceConn c = connections[k];
            if (fds[size_t(count) + k].revents &&
                IceProcessMessages(c, nullptr, nullptr) == IceProcessMessagesConnectionClosed) {
                continue;
            }
            if (IceConnectionStatus(c) == IceConnectRejected ||
                IceConnectionStatus(c) == IceConnectIOError) {
                IceCloseConnection(c);
                continue;
            }
            alive.push_back(c);
        }
        connections.swap(alive);
    }
}
