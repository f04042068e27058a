"""dbusmock template: the desktop portal's Inhibit. Every Inhibit answers with
a request object of its own, which can be closed. With the parameter "fail",
each request is named after its handle token, as the real portal names it,
and reports failure (Response 2) before the reply names it."""

BUS_NAME = "org.freedesktop.portal.Desktop"
MAIN_OBJ = "/org/freedesktop/portal/desktop"
MAIN_IFACE = "org.freedesktop.portal.Inhibit"
SYSTEM_BUS = False
REQUEST = MAIN_OBJ + "/request/test/%d"
FAILED = MAIN_OBJ + "/request/test/%s"


def load(mock, parameters):
    if parameters.get("fail"):
        path = "path = %r %% args[2]['handle_token']\n" % FAILED
        respond = ("objects[path].EmitSignal('org.freedesktop.portal.Request', 'Response', "
                   "'ua{sv}', [dbus.UInt32(2), dbus.Dictionary({}, signature='sv')])\n")
    else:
        path = "self.n = getattr(self, 'n', 0) + 1\npath = %r %% self.n\n" % REQUEST
        respond = ""
    mock.AddMethod(MAIN_IFACE, "Inhibit", "sua{sv}", "o",
                   path + "self.AddObject(path, 'org.freedesktop.portal.Request', {}, "
                   "[('Close', '', '', '')])\n" + respond + "ret = dbus.ObjectPath(path)")
