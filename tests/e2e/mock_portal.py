"""dbusmock template: the desktop portal's Inhibit. Every Inhibit answers with
a request object of its own, which can be closed."""

BUS_NAME = "org.freedesktop.portal.Desktop"
MAIN_OBJ = "/org/freedesktop/portal/desktop"
MAIN_IFACE = "org.freedesktop.portal.Inhibit"
SYSTEM_BUS = False
REQUEST = MAIN_OBJ + "/request/test/%d"


def load(mock, parameters):
    mock.AddMethod(MAIN_IFACE, "Inhibit", "sua{sv}", "o",
                   "self.n = getattr(self, 'n', 0) + 1\n"
                   "path = %r %% self.n\n"
                   "self.AddObject(path, 'org.freedesktop.portal.Request', {}, "
                   "[('Close', '', '', '')])\n"
                   "ret = dbus.ObjectPath(path)" % REQUEST)
