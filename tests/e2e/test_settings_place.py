"""Where the settings are read and written, whatever the program's folder
and file are called, and how a save reaches the disk."""

import hashlib
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness
import menu_support as ms

EXIT_KEYS = ["StandBy", "OnTop", "OnDesktop", "Saver", "Alarm", "ShowSaver", "Skin"]


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def listing(path):
    return sorted(os.path.relpath(os.path.join(root, name), path)
                  for root, dirs, files in os.walk(path) for name in dirs + files)


class SettingsPlaceTest(harness.E2ETest):
    def moved(self, program, folder=None, name=None):
        """The program directory renamed to `folder` (bytes allowed) or the
        program file to `name`."""
        if folder is not None:
            target = os.path.join(self.session.tmp, os.fsdecode(folder))
            os.rename(program.path, target)
            program.path = target
            program.exe = os.path.join(target, os.path.basename(program.exe))
            program.ini = os.path.join(target, os.path.basename(program.ini))
        if name is not None:
            exe = os.path.join(program.path, name)
            os.rename(program.exe, exe)
            program.exe = exe
        return program

    def user_file(self, name):
        return os.path.join(self.session.env["XDG_CONFIG_HOME"], "glimmora", name)

    def end(self, app):
        app.proc.send_signal(signal.SIGTERM)
        self.assertEqual(app.wait_exit(10), 0)

    def test_folder_name_that_is_no_valid_utf8(self):
        program = self.moved(harness.ProgramDir(self.session), folder=b"Uhr-\xe4\xf6")
        program.write_ini({"X": "1500", "Y": "750"})
        _, app = self.start(program=program)
        self.assertEqual(app.geometry()[:2], (100, 50))
        self.end(app)
        self.assertEqual([k for k, _ in program.read_ini()], ["X", "Y"] + EXIT_KEYS)
        self.assertFalse(os.path.exists(self.user_file("glimmora.ini")))
        self.assertFalse(os.path.exists(self.user_file(".ini")))

    def test_folder_moved_or_removed_while_running(self):
        for how in ["moved", "removed"]:
            with self.subTest(how):
                program, app = self.start(values={"X": "1500", "Y": "750"})
                old = app.window() and program.path
                self.moved(program, folder=how) if how == "moved" else shutil.rmtree(old)
                self.end(app)
                # The settings went along; a removed folder is not made again.
                self.assertFalse(os.path.exists(old))
                self.assertEqual(len(program.read_ini()), (how == "moved") * 9)

    def test_program_named_like_its_settings_file_leaves_itself_alone(self):
        program = self.moved(harness.ProgramDir(self.session), name="x.ini")
        before = digest(program.exe)
        _, app = self.start(program=program)
        app.window()
        self.end(app)
        self.assertEqual(digest(program.exe), before)
        with open(self.user_file("x.ini"), "rb") as f:
            written = f.read()
        self.assertTrue(written.startswith(b"[" + harness.SECTION.encode() + b"]\n"), written)
        self.assertIn(b"\nSkin=\n", written)

    @unittest.skipUnless(os.access("/usr/local/lib", os.W_OK), "needs a folder under /usr")
    def test_installed_copy_keeps_its_settings_in_the_users_folder(self):
        folder = tempfile.mkdtemp(prefix="glimmora-e2e-", dir="/usr/local/lib")
        self.addCleanup(shutil.rmtree, folder, True)
        program = harness.ProgramDir(self.session)
        shutil.copytree(program.path, folder, dirs_exist_ok=True)
        program.path, program.exe = folder, os.path.join(folder, "glimmora")
        program.ini = os.path.join(folder, "glimmora.ini")
        program.write_ini({"X": "1500", "Y": "750", "Farbe": "blau"})
        shared = digest(program.ini)
        files = listing(folder)

        _, app = self.start(program=program)
        # The shared file gives the defaults until the user's own exists.
        self.assertEqual(app.geometry()[:2], (100, 50))
        self.end(app)
        self.assertEqual((listing(folder), digest(program.ini)), (files, shared))
        with open(self.user_file("glimmora.ini"), encoding="utf-8") as f:
            mine = f.read()
        self.assertIn("X=1500\n", mine)
        self.assertIn("Farbe=blau\n", mine)
        self.assertIn("Skin=\n", mine)

    def test_save_reaches_the_disk_before_it_replaces_the_old_file(self):
        """A power cut right after a save leaves the old file or the new one,
        never an empty one: the new content is synced before the rename."""
        program = harness.ProgramDir(self.session)
        program.write_ini({"X": "1500", "Y": "750"})
        trace = os.path.join(self.session.tmp, "trace")
        calls = "trace=fdatasync,fsync,rename,renameat,renameat2,linkat"
        proc = self.session.spawn(["strace", "-f", "-qq", "-y", "-o", trace, "-e", calls,
                                   program.exe], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)

        def window():
            r = self.session.run(["xdotool", "search", "--onlyvisible", "--class", "glimmora"],
                                 check=False)
            return r.stdout.split()[:1]
        wid = harness.wait_until(window, 30, what="clock window")[0]
        ms.delete_window(self.session, wid)
        harness.wait_until(lambda: proc.poll() is not None, 20, what="program end")
        self.assertIn("Skin", dict(program.read_ini()))

        with open(trace, encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()
        renamed = [i for i, line in enumerate(lines) if re.search(
            r'rename\w*\(.*"/proc/self/fd/\d+/%s"' % re.escape(os.path.basename(program.ini)),
            line)]
        self.assertEqual(len(renamed), 1, "\n".join(lines))
        spare = re.search(r'rename\w*\((?:[^"\s]+, )?"([^"]+)"', lines[renamed[0]]).group(1)
        # The new file: the descriptor linked to the spare name, or the spare itself.
        fds = [m.group(1) for m in (re.search(r'linkat\(.*"/proc/self/fd/(\d+)".*"%s"'
                                              % re.escape(spare), line) for line in lines) if m]
        synced = [i for i, line in enumerate(lines) if "sync(" in line and (
            spare in line or any("sync(%s<" % fd in line for fd in fds))]
        self.assertTrue([i for i in synced if i < renamed[0]], "\n".join(lines))


if __name__ == "__main__":
    harness.main()
