"""Installed like a desktop program: a staged install (DESTDIR) of the build
tree, the installed command under Xvfb, where its settings go, the desktop
entries, and the uninstall."""

import filecmp
import os
import shutil
import subprocess
import tempfile
import unittest

import harness

PREFIX = "/usr/local"
NOBODY = 65534
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
MASK = (0, 0, 40)
# Built-in rectangles (x, y, w, h) that show something other than the face:
# the tubes, whose digits change, and the switch areas, which do more than a
# double-click on the face.
BUSY = [(113, 114, 19, 34), (153, 113, 19, 34), (207, 113, 19, 34), (248, 113, 19, 34),
        (306, 120, 14, 26), (339, 120, 14, 26), (48, 156, 54, 35), (101, 154, 30, 35)]
MENU_ENTRY = "org.example.glimmora.desktop"
EXIT_KEYS = ["StandBy", "OnTop", "OnDesktop", "X", "Y", "Saver", "Alarm", "ShowSaver", "Skin"]


def busy(x, y, margin=3):
    return any(bx - margin <= x < bx + bw + margin and by - margin <= y < by + bh + margin
               for bx, by, bw, bh in BUSY)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def ini_pairs(data):
    """(key, value) pairs of the program's section, in file order."""
    pairs, inside = [], False
    for raw in data.decode("utf-8", "replace").splitlines():
        line = raw.strip()
        if line.startswith("["):
            inside = line[1:line.index("]")].lower() == harness.SECTION.lower()
        elif inside and "=" in line:
            k, v = line.split("=", 1)
            pairs.append((k.strip(), v.strip()))
    return pairs


def assert_same_tree(test, a, b):
    cmp = filecmp.dircmp(a, b)
    test.assertEqual((cmp.left_only, cmp.right_only, cmp.funny_files), ([], [], []), b)
    _, mismatch, errors = filecmp.cmpfiles(a, b, cmp.common_files, shallow=False)
    test.assertEqual((mismatch, errors), ([], []), b)
    for sub in cmp.common_dirs:
        assert_same_tree(test, os.path.join(a, sub), os.path.join(b, sub))


def desktop_entry(path):
    values = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                k, v = line.rstrip("\n").split("=", 1)
                values[k] = v
    return values


class Stage:
    """A copy of the staged install, so each test may change its files."""

    def __init__(self, staged, manifest, prefix=PREFIX):
        self.tmp = tempfile.mkdtemp(prefix="glimmora-install-")
        os.chmod(self.tmp, 0o755)
        self.destdir = os.path.join(self.tmp, "stage")
        shutil.copytree(staged, self.destdir, symlinks=True)
        self.manifest = manifest
        self.root = self.destdir + prefix
        self.programdir = os.path.join(self.root, "lib", "glimmora")
        self.command = os.path.join(self.root, "bin", "glimmora")
        self.ini = os.path.join(self.programdir, "glimmora.ini")

    def close(self):
        shutil.rmtree(self.tmp, ignore_errors=True)


class Running(harness.Glimmora):
    """The installed command, started by its bin/ link, optionally as another user."""

    def __init__(self, session, command, env, user=None):
        self.session = session
        self.program = None
        prefix = []
        if user is not None:
            prefix = ["setpriv", "--reuid=%d" % user, "--regid=%d" % user, "--clear-groups"]
        self.stderr_path = os.path.join(session.tmp, "stderr-%d.txt" % len(session.procs))
        with open(self.stderr_path, "wb") as err:
            self.proc = session.spawn(prefix + [command], env=env,
                                      stdout=subprocess.DEVNULL, stderr=err)

    def double_click(self, x, y):
        wx, wy, _, _ = self.geometry()
        self.session.xdotool("mousemove", "--sync", wx + x, wy + y)
        self.session.xdotool("click", "--repeat", 2, "--delay", 60, 1)


STAGED = {}


def setUpModule():
    tmp = tempfile.mkdtemp(prefix="glimmora-staged-")
    staged = os.path.join(tmp, "stage")
    STAGED.update(tmp=tmp, staged=staged)
    # The install writes its manifest into the build tree; keep a real
    # install's manifest as it was.
    manifest = os.path.join(harness.BUILD_DIR, "install_manifest.txt")
    saved = read_bytes(manifest) if os.path.exists(manifest) else None
    try:
        out = subprocess.run(["cmake", "--install", harness.BUILD_DIR, "--prefix", PREFIX],
                             env=dict(os.environ, DESTDIR=staged), stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if out.returncode != 0:
            raise AssertionError("install failed:\n" + out.stdout)
        with open(manifest, encoding="utf-8") as f:
            STAGED["manifest"] = f.read().splitlines()
    finally:
        if saved is None:
            if os.path.exists(manifest):
                os.remove(manifest)
        else:
            with open(manifest, "wb") as f:
                f.write(saved)


def tearDownModule():
    shutil.rmtree(STAGED["tmp"], ignore_errors=True)


class StagedTest(unittest.TestCase):
    def make_stage(self):
        return Stage(STAGED["staged"], STAGED["manifest"])

    def setUp(self):
        self.stage = self.make_stage()
        self.addCleanup(self.stage.close)


class InstallTest(StagedTest):
    """The installed tree, the desktop entries and the uninstall."""

    # -- the installed tree -------------------------------------------------
    def test_program_directory_and_relative_command_link(self):
        s = self.stage
        self.assertTrue(os.path.islink(s.command))
        self.assertEqual(os.readlink(s.command), "../lib/glimmora/glimmora")
        self.assertEqual(os.path.realpath(s.command),
                         os.path.realpath(os.path.join(s.programdir, "glimmora")))
        program = os.path.join(s.programdir, "glimmora")
        self.assertEqual(os.stat(program).st_mode & 0o7777, 0o755)
        self.assertTrue(filecmp.cmp(program, os.path.join(harness.BUILD_DIR, "glimmora"),
                                    shallow=False))
        for name in ("manual.html", "alarm.wav", "modules/glimmora-sound.so"):
            with self.subTest(name=name):
                built = os.path.join(harness.BUILD_DIR, name)
                self.assertTrue(os.path.exists(built), "the build made no " + name)
                self.assertTrue(filecmp.cmp(built, os.path.join(s.programdir, name),
                                            shallow=False))
        built_skins = os.path.join(harness.BUILD_DIR, "Skins")
        self.assertTrue(os.path.isdir(built_skins), "the build ships no skins")
        assert_same_tree(self, built_skins, os.path.join(s.programdir, "Skins"))

    def test_every_installed_file_is_in_the_manifest_and_nobody_else_may_write(self):
        s = self.stage
        found = set()
        for top, dirs, files in os.walk(s.destdir):
            for d in dirs:
                path = os.path.join(top, d)
                if not os.path.islink(path):
                    self.assertEqual(os.stat(path).st_mode & 0o7777, 0o755, path)
            for f in files:
                path = os.path.join(top, f)
                found.add(path[len(s.destdir):])
                if not os.path.islink(path):
                    self.assertEqual(os.lstat(path).st_mode & 0o022, 0, path)
        self.assertEqual(found, set(s.manifest))

    def test_desktop_entries(self):
        s = self.stage
        menu = os.path.join(s.root, "share", "applications", MENU_ENTRY)
        autostart = os.path.join(s.root, "share", "glimmora", "autostart", "glimmora.desktop")
        for path in (menu, autostart):
            with self.subTest(entry=path):
                r = subprocess.run(["desktop-file-validate", path], stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, text=True)
                self.assertEqual((r.returncode, r.stdout), (0, ""))
                e = desktop_entry(path)
                self.assertEqual((e["Type"], e["Name"], e["Exec"], e["Icon"], e["Terminal"],
                                  e["StartupWMClass"]),
                                 ("Application", "Glimmora", "glimmora", "glimmora", "false",
                                  "glimmora"))
                self.assertTrue(e["Comment"])
                # Exec names the command the install put in bin/.
                self.assertTrue(os.path.exists(os.path.join(s.root, "bin", e["Exec"])))
        self.assertEqual(desktop_entry(menu)["Categories"], "Utility;Clock;")

    def test_icons_at_every_size_with_the_mask_colour_transparent(self):
        s = self.stage
        for size in ICON_SIZES:
            with self.subTest(size=size):
                rel = os.path.join("%dx%d" % (size, size), "apps", "glimmora.png")
                source = os.path.join(harness.SOURCE_DIR, "assets", "icons", "hicolor", rel)
                installed = os.path.join(s.root, "share", "icons", "hicolor", rel)
                self.assertTrue(os.path.exists(installed), installed)
                self.assertTrue(filecmp.cmp(source, installed, shallow=False))
                rgba = subprocess.run(["convert", installed, "-depth", "8", "rgba:-"],
                                      check=True, stdout=subprocess.PIPE).stdout
                self.assertEqual(len(rgba), size * size * 4)
                pixels = [tuple(rgba[i:i + 4]) for i in range(0, len(rgba), 4)]
                self.assertIn(0, [p[3] for p in pixels], "nothing transparent")
                self.assertNotIn(MASK + (255,), pixels)

    def test_uninstall_removes_what_was_installed_and_leaves_the_rest(self):
        s = self.stage
        # Something of the user's in the program directory, and a neighbour's
        # icon in the shared theme: both stay.
        mine = os.path.join(s.programdir, "Skins", "Mine", "back.bmp")
        os.makedirs(os.path.dirname(mine))
        open(mine, "wb").close()
        other_icon = os.path.join(s.root, "share", "icons", "hicolor", "48x48", "apps",
                                  "other.png")
        os.makedirs(os.path.dirname(other_icon), exist_ok=True)
        open(other_icon, "wb").close()
        build = os.path.join(s.tmp, "build")
        os.makedirs(build)
        with open(os.path.join(build, "install_manifest.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(s.manifest))

        r = subprocess.run(["make", "-s", "-C", harness.SOURCE_DIR, "uninstall",
                            "BUILD=" + build, "DESTDIR=" + s.destdir],
                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True)
        self.assertEqual(r.returncode, 0, r.stdout)
        for path in s.manifest:
            self.assertFalse(os.path.lexists(s.destdir + path), path)
        self.assertFalse(os.path.exists(os.path.join(s.root, "share", "glimmora")))
        self.assertTrue(os.path.exists(mine))
        self.assertEqual(sorted(os.listdir(s.programdir)), ["Skins"])
        self.assertEqual(os.listdir(os.path.join(s.programdir, "Skins")), ["Mine"])
        self.assertTrue(os.path.exists(other_icon))
        self.assertTrue(os.path.isdir(os.path.join(s.root, "bin")))

    def test_uninstall_without_an_install_says_so(self):
        build = os.path.join(self.stage.tmp, "empty-build")
        os.makedirs(build)
        r = subprocess.run(["make", "-s", "-C", harness.SOURCE_DIR, "uninstall",
                            "BUILD=" + build, "DESTDIR=" + self.stage.destdir],
                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True)
        self.assertNotEqual(r.returncode, 0)
        self.assertIn("manifest", r.stdout)
        self.assertTrue(os.path.exists(self.stage.command))


class InstalledRunTest(StagedTest):
    """The installed command under Xvfb, as root and as an ordinary user."""

    def setUp(self):
        super().setUp()
        self.session = harness.Session()
        self.addCleanup(self.session.close)
        self.face = harness.Image.from_file(
            os.path.join(harness.SOURCE_DIR, "assets", "builtin", "back.bmp"))
        points = [(x, y) for y in range(4, self.face.height, 11)
                  for x in range(4, self.face.width, 13)
                  if not busy(x, y) and self.face.pixel(x, y) != MASK]
        self.points = points
        # Where to double-click: on the face, as far as can be from the tubes,
        # the switches and the cut-away surroundings.
        cut = [(x, y) for y in range(0, self.face.height, 4) for x in range(0, self.face.width, 4)
               if self.face.pixel(x, y) == MASK]

        def room(p):
            x, y = p
            to_cut = min((x - cx) ** 2 + (y - cy) ** 2 for cx, cy in cut)
            to_busy = min(max(bx - x, 0, x - bx - bw) ** 2 + max(by - y, 0, y - by - bh) ** 2
                          for bx, by, bw, bh in BUSY)
            return min(to_cut, to_busy)
        self.click_at = max(points, key=room)

    def assert_builtin_face(self, app, at=None):
        wid = app.window()
        x, y, w, h = app.geometry(wid)
        self.assertEqual((w, h), (self.face.width, self.face.height))
        self.assertEqual((w, h), (460, 234))
        if at is not None:
            self.assertEqual((x, y), at)
        self.assertGreater(len(self.points), 100)

        def shown():
            shot = self.session.screenshot()
            return all(shot.pixel(x + px, y + py) == self.face.pixel(px, py)
                       for px, py in self.points)
        harness.wait_until(shown, 10, what="the built-in face on the screen")
        out = self.session.run(["xprop", "-id", wid, "WM_CLASS"]).stdout
        self.assertIn('"glimmora"', out)

    def end(self, app):
        app.double_click(*self.click_at)
        self.assertEqual(app.wait_exit(timeout=15), 0)

    def user_env(self):
        """HOME, config and runtime directories of the unprivileged user."""
        base = tempfile.mkdtemp(prefix="glimmora-user-")
        self.addCleanup(shutil.rmtree, base, True)
        os.chmod(base, 0o755)
        home = os.path.join(base, "home")
        runtime = os.path.join(base, "runtime")
        for path, mode in ((home, 0o755), (os.path.join(home, ".config"), 0o755),
                           (runtime, 0o700)):
            os.makedirs(path)
            os.chmod(path, mode)
            os.chown(path, NOBODY, NOBODY)
        env = dict(self.session.env)
        env.update({"HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                    "XDG_CACHE_HOME": os.path.join(home, ".cache"),
                    "XDG_RUNTIME_DIR": runtime})
        env.pop("XDG_DATA_HOME", None)
        return env

    def test_writable_program_directory_keeps_the_settings_beside_the_program(self):
        s = self.stage
        app = Running(self.session, s.command, self.session.env)
        self.assert_builtin_face(app)
        x, y, _, _ = app.geometry()
        self.end(app)
        # The link is resolved: the program directory is lib/glimmora, not bin/.
        pairs = ini_pairs(read_bytes(s.ini))
        self.assertEqual([k for k, _ in pairs], EXIT_KEYS)
        values = dict(pairs)
        self.assertEqual((values["X"], values["Y"]), (str(x * 15), str(y * 15)))
        self.assertFalse(os.path.exists(os.path.join(s.root, "bin", "glimmora.ini")))
        self.assertFalse(os.path.exists(
            os.path.join(self.session.env["XDG_CONFIG_HOME"], "glimmora")))

    @unittest.skipUnless(os.geteuid() == 0, "starting it as another user needs root")
    def test_read_only_program_directory_puts_the_settings_in_the_users_config(self):
        s = self.stage
        head = ("; Vorgaben für alle Benutzer\n"
                "[Marvane Glimmora]\n"
                "X=1500\n"
                "Y = 750\n"
                "Farbe=blau\n").encode("utf-8")
        tail = b"\n[Andere]\nWert=1\n"
        with open(s.ini, "wb") as f:
            f.write(head + tail)
        os.chmod(s.ini, 0o644)
        before = os.stat(s.ini)
        env = self.user_env()
        mine = os.path.join(env["XDG_CONFIG_HOME"], "glimmora", "glimmora.ini")

        # Before the first write, reads fall through to the file beside the program.
        app = Running(self.session, s.command, env, user=NOBODY)
        self.assert_builtin_face(app, (100, 50))
        self.assertFalse(os.path.exists(mine))
        self.end(app)

        # The exit's writes went into a copy of that file, comments and unknown
        # keys included; the file beside the program is untouched.
        # (Y's line is rewritten by the write of Y, in the file's spelling of the key.)
        written = b"StandBy=0\nOnTop=0\nOnDesktop=0\nSaver=0\nAlarm=0\nShowSaver=0\nSkin=\n"
        self.assertEqual(read_bytes(mine), head.replace(b"Y = 750", b"Y=750") + written + tail)
        self.assertEqual(os.stat(mine).st_uid, NOBODY)
        self.assertEqual(read_bytes(s.ini), head + tail)
        after = os.stat(s.ini)
        self.assertEqual((after.st_ino, after.st_mtime_ns), (before.st_ino, before.st_mtime_ns))
        self.assertFalse(os.path.exists(os.path.join(s.root, "bin", "glimmora.ini")))

        # Once the user's file exists, it is the one read.
        edited = read_bytes(mine).replace(b"X=1500", b"X=3000")
        with open(mine, "wb") as f:
            f.write(edited)
        app = Running(self.session, s.command, env, user=NOBODY)
        self.assert_builtin_face(app, (200, 50))
        self.end(app)
        self.assertEqual(read_bytes(s.ini), head + tail)
        self.assertEqual(dict(ini_pairs(read_bytes(mine)))["X"], "3000")


if __name__ == "__main__":
    harness.main()
