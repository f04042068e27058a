"""dbusmock template: the org.freedesktop.ScreenSaver service's inhibit."""

BUS_NAME = "org.freedesktop.ScreenSaver"
MAIN_OBJ = "/org/freedesktop/ScreenSaver"
MAIN_IFACE = "org.freedesktop.ScreenSaver"
SYSTEM_BUS = False
COOKIE = 4711


def load(mock, parameters):
    mock.AddMethods(MAIN_IFACE, [("Inhibit", "ss", "u", "ret = dbus.UInt32(%d)" % COOKIE),
                                 ("UnInhibit", "u", "", "")])
