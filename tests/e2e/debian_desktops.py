"""Xfce, Cinnamon, LXQt and Budgie as Debian 12 ships them, headless on
private buses like the rows of desktop_support, each with an idle time of one
minute set through its own settings, and the clock's shape checked under its
window manager."""

import os
import subprocess

import desktop_support as dsk
import harness
import menu_support as ms
import skin_support
import test_compositors as shots

NOBODY = 65534
ORIGIN = (100, 100)


def write(folder, path, text):
    os.makedirs(os.path.dirname(os.path.join(folder, path)), exist_ok=True)
    with open(os.path.join(folder, path), "w") as f:
        f.write(text)


class Shaped:
    """The clock of the run with the mode on stands over a blue window: its
    face must be painted and its cut-away parts show the blue. The mode on
    holds two and a half idle times."""

    @property
    def hold(self):
        return 2.5 * self.delay

    def start_clock(self, values):
        if values.get("Saver") == "1":
            self.session.spawn(["xlogo", "-bg", "#3366cc", "-fg", "#3366cc", "-geometry",
                                "1280x1024+0+0"])
        values = dict(values, X=str(ORIGIN[0] * 15), Y=str(ORIGIN[1] * 15), OnTop="1")
        app = super().start_clock(values)
        if values["Saver"] == "1":
            self.shape = self.shape_shown()
        return app

    def shape_shown(self):
        face = ms.BuiltinFace()
        face.tubes = ms.TUBES

        def right():
            shot = self.session.screenshot()
            origin = shots.face_origin(shot, face)
            return origin and not skin_support.face_mismatches(shot, origin, face) \
                and shots.holes_not_showing(shot, face, origin) == 0
        try:
            harness.wait_until(right, 30, interval=0.5, what="face over the blue window")
            return "right"
        except AssertionError:
            path = os.path.join(harness.BUILD_DIR, "%s-shape.ppm" % type(self).__name__)
            self.session.save_screenshot(path)
            return "wrong, see " + path

    def start_wm(self, args):
        self.spawn(args)
        harness.wait_until(lambda: "window id" in self.session.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout, 60,
            what=args[0])


class Xfce(Shaped, dsk.LightLocker):
    """xfwm4 with its compositor; xfce4-power-manager makes its blanking time
    the X server's screen-saver time, on which light-locker acts."""

    def start(self):
        self.start_service(["/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd"],
                           "org.xfce.Xfconf")
        self.session.run(["xfconf-query", "-c", "xfce4-power-manager", "-n", "-t", "int", "-p",
                          "/xfce4-power-manager/blank-on-ac", "-s", str(self.delay // 60)])
        self.start_wm(["xfwm4", "--compositor=on"])
        self.start_upower()
        super().start()
        self.spawn(["xfce4-power-manager"])
        harness.wait_until(lambda: "timeout:  %d" % self.delay in self.session.run(
            ["xset", "q"]).stdout, 30, what="blanking time set")

    def set_idle_time(self):
        """Left to the power manager."""


class Lxqt(Shaped, dsk.Desktop):
    """openbox and lxqt-powermanagement, whose idle watcher locks through
    xdg-screensaver: xscreensaver, which locks only for an unprivileged user.
    The watcher reads the X idle time and honours no inhibit."""

    delay = 60
    holders = set()
    restart = None

    def start(self):
        write(self.session.env["XDG_CONFIG_HOME"], "lxqt/lxqt-powermanagement.conf",
              "[General]\nenableIdlenessWatcher=true\nidlenessACAction=-2\n"
              "idlenessTimeSecs=%d\nshowIcon=false\nenableBatteryWatcher=false\n"
              "enableLidWatcher=false\n" % self.delay)
        os.chmod(self.session.tmp, 0o711)
        home = os.path.join(self.session.tmp, "home-nobody")
        # Its own blanking comes too late to count.
        write(home, ".xscreensaver", "timeout: 0:30:00\nmode: blank\nlock: False\n"
              "splash: False\n")
        subprocess.run(["chown", "-R", "%d:%d" % (NOBODY, NOBODY), home], check=True)
        self.spawn(["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups",
                    "xscreensaver", "-no-splash"],
                   env={"HOME": home, "DBUS_SESSION_BUS_ADDRESS": "disabled:"})
        self.session.env["XDG_CURRENT_DESKTOP"] = "LXQt"
        self.start_logind()
        self.start_upower()
        self.start_wm(["openbox", "--sm-disable"])
        self.start_service(["lxqt-powermanagement"], "org.lxqt.lxqt-powermanagement")

    def active(self):
        out = self.session.run(["xscreensaver-command", "-time"], check=False).stdout
        return " locked since" in out


class SessionIdle(Shaped, dsk.Desktop):
    """A session manager that turns idle after the idle time set in its
    settings (a key file: dconf cannot start on a private bus), the settings
    daemon's screen-saver proxy, and a saver that follows the session."""

    delay = 60
    holders = {dsk.SCREENSAVER, dsk.SESSION_MANAGER}
    restart = None
    components = ""

    def start(self):
        config = self.session.env["XDG_CONFIG_HOME"]
        write(config, "glib-2.0/settings/keyfile",
              "[org/%s/desktop/session]\nidle-delay=uint32 %d\n[org/%s/desktop/screensaver]\n"
              "lock-enabled=false\n" % (self.schema, self.delay, self.schema))
        # A session of its own: only the components named here.
        write(config, "%s-session/sessions/glimmora.session" % self.schema,
              "[%s Session]\nName=glimmora\nRequiredComponents=%s\n"
              % (self.schema.title().replace("Gnome", "GNOME"), self.components))
        autostart = os.path.join(self.session.tmp, "autostart")
        os.makedirs(autostart)
        self.session.env.update({"GSETTINGS_BACKEND": "keyfile",
                                 "XDG_CURRENT_DESKTOP": self.desktop_name})
        self.start_logind()
        self.start_wm(self.wm)
        self.start_service(self.manager + ["--session=glimmora", "--autostart=" + autostart],
                           dsk.SESSION_MANAGER)
        self.start_service([self.proxy], dsk.SCREENSAVER)
        if self.components:
            harness.wait_until(lambda: self.bus.owned(self.saver_name), 60, what=self.saver)
        else:
            self.start_service([self.saver], self.saver_name)

    def active(self):
        out = self.session.run([self.saver + "-command", "-q"], check=False).stdout
        return " is active" in out


class Budgie(SessionIdle):
    """budgie-wm, gnome-session and gnome-screensaver. Budgie's own session
    starts a polkit agent that ends without a polkit daemon, and gnome-session
    then covers the screen with its failure page: the shape check sees it."""

    schema, desktop_name = "gnome", "Budgie:GNOME"
    wm = ["budgie-wm", "--x11"]
    manager = ["/usr/libexec/gnome-session-binary", "--builtin", "--disable-acceleration-check"]
    proxy = "/usr/libexec/gsd-screensaver-proxy"
    saver, saver_name = "gnome-screensaver", "org.gnome.ScreenSaver"


class Cinnamon(SessionIdle):
    """muffin, cinnamon-session and cinnamon-screensaver, which asks loginctl
    for the session: a stand-in answers as systemd would. The session needs a
    component: the saver, which it starts."""

    schema, desktop_name = "cinnamon", "X-Cinnamon"
    wm = ["muffin", "--x11"]
    manager = ["cinnamon-session"]
    proxy = "/usr/bin/csd-screensaver-proxy"
    saver, saver_name = "cinnamon-screensaver", "org.cinnamon.ScreenSaver"
    components = saver_name + ";"

    def start(self):
        tools = os.path.join(self.session.tmp, "bin")
        write(tools, "loginctl", "#!/bin/sh\necho c1\n")
        os.chmod(os.path.join(tools, "loginctl"), 0o755)
        self.session.env["PATH"] = tools + ":" + self.session.env["PATH"]
        super().start()
