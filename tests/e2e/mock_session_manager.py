"""dbusmock template: the session manager's inhibit (GNOME, MATE)."""

BUS_NAME = "org.gnome.SessionManager"
MAIN_OBJ = "/org/gnome/SessionManager"
MAIN_IFACE = "org.gnome.SessionManager"
SYSTEM_BUS = False
COOKIE = 815


def load(mock, parameters):
    mock.AddMethods(MAIN_IFACE, [("Inhibit", "susu", "u", "ret = dbus.UInt32(%d)" % COOKIE),
                                 ("Uninhibit", "u", "", "")])
