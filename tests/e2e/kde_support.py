"""KDE Plasma 5.27 headless on private buses: ksmserver's screen locker with
PowerDevil on X11, KWin's own locker on Wayland with the clock on its
Xwayland. "Locked" is what the locker's screen-saver service says."""

import os
import shutil

import desktop_support as dsk
import harness

POWERDEVIL = dsk.KDE_LIBEXEC + "org_kde_powerdevil"
POLICY_AGENT = "org.kde.Solid.PowerManagement.PolicyAgent"


def start_kwin(desktop, options, env=None, xwayland=True):
    """kwin_wayland, with its Xwayland unless told not, through
    `desktop.spawn`: the process, and Xwayland's DISPLAY and XAUTHORITY (None
    where it has none)."""
    tmp = desktop.session.tmp
    # The packaged binary's file capability makes exec fail here; a copy has
    # none.
    kwin = os.path.join(tmp, "kwin_wayland")
    shutil.copy("/usr/bin/kwin_wayland", kwin)
    env_file = os.path.join(tmp, "kwin-env")
    if os.path.exists(env_file):
        os.remove(env_file)
    helper = os.path.join(tmp, "helper.sh")
    with open(helper, "w") as f:
        f.write('#!/bin/sh\nenv > "%s.part" && mv "%s.part" "%s"\n'
                % (env_file, env_file, env_file))
    os.chmod(helper, 0o755)
    proc = desktop.spawn([kwin, "--virtual"] + ["--xwayland"] * xwayland
                         + ["--width", "1280", "--height", "1024"] + options + [helper], env)
    # KWin starts the helper once its session (and Xwayland) is up.
    harness.wait_until(lambda: os.path.exists(env_file), 60, what="KWin's session")
    with open(env_file) as f:
        found = dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
    return proc, found.get("DISPLAY"), found.get("XAUTHORITY") or None


class Kde(dsk.Desktop):
    """What both sessions share: the locker's settings (lock one minute after
    the last input) and the system services PowerDevil needs."""

    # The locker locks 62-66 s after the last input.
    delay = 66
    holders = {dsk.SCREENSAVER}

    def start(self):
        config = self.session.env["XDG_CONFIG_HOME"]
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "kscreenlockerrc"), "w") as f:
            f.write("[Daemon]\nAutolock=true\nTimeout=1\nLockGrace=0\n")
        self.start_logind()
        self.start_upower()
        self.start_desktop()
        self.powerdevil = self.start_service([POWERDEVIL], POLICY_AGENT)

    def active(self):
        out = self.call(False, (dsk.SCREENSAVER, "/ScreenSaver"),
                        "org.freedesktop.ScreenSaver.GetActive")
        return "true" in out


class KdeX11(Kde):
    """ksmserver owns the screen-saver service; its idle timer reads the X
    server's idle counter."""

    def start_desktop(self):
        self.ksmserver = self.start_service(["ksmserver"], dsk.SCREENSAVER)

    def restart(self):
        self.stop([self.ksmserver], dsk.SCREENSAVER)
        self.start_desktop()
        return dsk.SCREENSAVER


class KdeWayland(Kde):
    """kwin_wayland owns the screen-saver service; input sent into its
    Xwayland does not count, only the inhibit does."""

    def start_desktop(self):
        self.kwin, display, auth = start_kwin(
            self, ["--socket", "glimmora-kwin", "--no-global-shortcuts", "--no-kactivities"])
        harness.wait_until(lambda: self.bus.owned(dsk.SCREENSAVER), 30, what="KWin's locker")
        self.session.env["DISPLAY"] = display
        if auth:
            self.session.env["XAUTHORITY"] = auth

    # Restarting KWin ends its Xwayland and the clock with it.
    restart = None

    def new_idle_spell(self):
        """The locker counts its delay once per idle spell, and only KWin's
        own input starts a new one: a fresh KWin (and PowerDevil, a client of
        its Xwayland) does."""
        self.stop([self.kwin, self.powerdevil], dsk.SCREENSAVER)
        self.start_desktop()
        self.powerdevil = self.start_service([POWERDEVIL], POLICY_AGENT)
