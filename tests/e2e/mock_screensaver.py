"""dbusmock template: the org.freedesktop.ScreenSaver service's inhibit. With
the parameter "gate" (a file), Inhibit answers only once the file is gone and
leaves "<gate>.asked" when it starts waiting."""

BUS_NAME = "org.freedesktop.ScreenSaver"
MAIN_OBJ = "/org/freedesktop/ScreenSaver"
MAIN_IFACE = "org.freedesktop.ScreenSaver"
SYSTEM_BUS = False
COOKIE = 4711


def load(mock, parameters):
    gate = parameters.get("gate")
    wait = ("import os, time\nopen(%r, 'w').close()\nend = time.time() + 30\n"
            "while os.path.exists(%r) and time.time() < end: time.sleep(0.05)\n"
            % (gate + ".asked", gate)) if gate else ""
    mock.AddMethods(MAIN_IFACE, [("Inhibit", "ss", "u", wait + "ret = dbus.UInt32(%d)" % COOKIE),
                                 ("UnInhibit", "u", "", "")])
