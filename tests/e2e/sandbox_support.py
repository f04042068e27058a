"""The clock inside a sandbox as a Flatpak program sees it: bubblewrap with
/.flatpak-info, the session bus through xdg-dbus-proxy filtered to the
portal and the names a manifest grants with --talk-name."""

import os
import subprocess

import desktop_support as dsk
import harness

INFO = b"[Application]\nname=org.example.Glimmora\n"
GRANTED = ["org.freedesktop.portal.*", "org.freedesktop.ScreenSaver", "org.gnome.SessionManager"]


def _bwrap(session, args, binds, env=None, stderr=subprocess.DEVNULL):
    """bwrap as Flatpak runs an application (and its bus proxy): its own
    process ids, /usr and /etc read-only, a private /tmp, /.flatpak-info."""
    r, w = os.pipe()
    os.write(w, INFO)
    os.close(w)
    command = ["bwrap", "--unshare-pid", "--die-with-parent", "--ro-bind", "/usr", "/usr",
               "--ro-bind", "/etc", "/etc", "--symlink", "usr/lib", "/lib",
               "--symlink", "usr/lib64", "/lib64", "--symlink", "usr/bin", "/bin",
               "--proc", "/proc", "--dev", "/dev", "--tmpfs", "/tmp",
               "--ro-bind", "/tmp/.X11-unix", "/tmp/.X11-unix",
               "--ro-bind-data", str(r), "/.flatpak-info"]
    for path in binds:
        command += ["--bind", path, path]
    proc = session.spawn(command + ["--"] + args, env=env, pass_fds=(r,),
                         stdout=subprocess.DEVNULL, stderr=stderr)
    os.close(r)
    return proc


class SandboxedClock(harness.Glimmora):
    """The clock in its sandbox; its bus connections are the proxy's."""

    def __init__(self, session, program):
        self.session, self.program = session, program
        proxied = os.path.join(session.tmp, "proxied-bus-%d" % len(session.procs))
        self.stderr_path = proxied + ".stderr"
        address = session.env["DBUS_SESSION_BUS_ADDRESS"]
        self.proxy = _bwrap(session, ["xdg-dbus-proxy", address, proxied, "--filter"]
                            + ["--talk=" + n for n in GRANTED], [session.tmp])
        harness.wait_until(lambda: os.path.exists(proxied), 15, what="bus proxy")
        env = dict(session.env, DBUS_SESSION_BUS_ADDRESS="unix:path=" + proxied)
        with open(self.stderr_path, "wb") as err:
            self.proc = _bwrap(session, [program.exe],
                               [program.path, session.home, session.runtime, proxied], env, err)

    def pids(self):
        return [self.proxy.pid, self.proc.pid] + dsk.descendants(self.proxy.pid) \
            + dsk.descendants(self.proc.pid)

    def window(self, timeout=15):
        # Inside the sandbox the clock has process ids of its own.
        def find():
            if self.proc.poll() is not None:
                with open(self.stderr_path, errors="replace") as f:
                    raise AssertionError("sandbox ended with %s: %s"
                                         % (self.proc.returncode, f.read()[-500:]))
            ids = self.session.run(["xdotool", "search", "--all", "--onlyvisible", "--class",
                                    "glimmora"], check=False).stdout.split()
            return ids[-1] if ids else None
        return harness.wait_until(find, timeout, what="clock window")


def sandboxed(desktop, backends=("gtk",), portal_env=None):
    """`desktop` with the clock in a sandbox and the portal running; the
    portal holds an inhibit as well as the services."""

    class Sandboxed(desktop):
        holders = desktop.holders | {"org.freedesktop.portal.Desktop"}

        def start(self):
            super().start()
            if not self.bus.owned("org.freedesktop.portal.Desktop"):
                self.start_portal(*backends, env=portal_env)

        def launch(self, program):
            return SandboxedClock(self.session, program)

    Sandboxed.__name__ = "Sandboxed" + desktop.__name__
    return Sandboxed
