"""The Debian package: CPack on the built tree, what the package holds and
declares, lintian, and the unpacked program under Xvfb."""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import harness
import test_install

ICONS = ["share/icons/hicolor/%dx%d/apps/glimmora.png" % (n, n) for n in test_install.ICON_SIZES]
FILES = ["lib/glimmora/glimmora", "lib/glimmora/modules/glimmora-sound.so", "lib/glimmora/alarm.wav", "lib/glimmora/manual.html",
         "share/applications/" + test_install.MENU_ENTRY, "share/glimmora/autostart/glimmora.desktop",
         "share/metainfo/org.example.glimmora.metainfo.xml",
         "share/doc/glimmora/copyright", "share/doc/glimmora/changelog.gz",
         "share/man/man1/glimmora.1.gz", "share/man/de/man1/glimmora.1.gz"] + ICONS
# Package names of the libraries the program and its sound module link, and of
# Qt's X11 platform plugin, which it loads at run time.
NEEDED = ["libqt6widgets6", "libpulse0", "libsndfile1", "libxtst6", "qt6-qpa-plugins"]

# Deliberate, with the reason in the package's lintian overrides.
OVERRIDDEN = {"image-file-in-usr-lib", "package-contains-documentation-outside-usr-share-doc",
              "hardening-no-fortify-functions"}

PACKAGE = {}


def run(args):
    return subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)


def setUpModule():
    # In the build tree, beside (not over) what `make package` leaves there.
    tmp = tempfile.mkdtemp(prefix="package-test-", dir=harness.BUILD_DIR)
    PACKAGE["tmp"] = tmp
    r = run(["cpack", "-G", "DEB", "-B", tmp,
             "--config", os.path.join(harness.BUILD_DIR, "CPackConfig.cmake")])
    if r.returncode != 0:
        raise AssertionError("cpack failed:\n" + r.stdout)
    arch = run(["dpkg", "--print-architecture"]).stdout.strip()
    name = "glimmora_%s_%s.deb" % (harness.cached("CMAKE_PROJECT_VERSION"), arch)
    debs = [os.path.basename(p) for p in glob.glob(os.path.join(tmp, "*.deb"))]
    if debs != [name]:
        raise AssertionError("expected %s, cpack made %s" % (name, debs))
    PACKAGE.update(deb=os.path.join(tmp, name), arch=arch, root=os.path.join(tmp, "root"))
    r = run(["dpkg-deb", "-x", PACKAGE["deb"], PACKAGE["root"]])
    if r.returncode != 0:
        raise AssertionError("dpkg-deb -x failed:\n" + r.stdout)


def tearDownModule():
    shutil.rmtree(PACKAGE["tmp"], ignore_errors=True)


class PackageTest(unittest.TestCase):
    def test_files_under_usr_owned_by_root_and_written_by_root_only(self):
        r = run(["dpkg-deb", "-c", PACKAGE["deb"]])
        self.assertEqual(r.returncode, 0, r.stdout)
        entries = {}
        for line in r.stdout.splitlines():
            mode, owner, _, _, _, name = line.split(None, 5)
            path, _, target = name.partition(" -> ")
            entries[path] = (mode, owner, target)
            self.assertTrue(path in ("./", "./usr/") or path.startswith("./usr/"), path)
            self.assertEqual(owner, "root/root", path)
            if mode[0] != "l":
                self.assertEqual(mode[5] + mode[8], "--", path)
        for rel in FILES:
            with self.subTest(file=rel):
                self.assertEqual(entries["./usr/" + rel][0][0], "-")
        self.assertEqual(entries["./usr/lib/glimmora/glimmora"][0], "-rwxr-xr-x")
        self.assertEqual(entries["./usr/bin/glimmora"][2], "../lib/glimmora/glimmora")
        test_install.assert_same_tree(self, os.path.join(harness.BUILD_DIR, "Skins"),
                                      os.path.join(PACKAGE["root"], "usr/lib/glimmora/Skins"))

    def test_control_fields_and_library_dependencies(self):
        fields = ["Package", "Version", "Architecture", "Maintainer", "Section", "Homepage"]
        r = run(["dpkg-deb", "-f", PACKAGE["deb"]] + fields)
        self.assertEqual(r.stdout.splitlines(), [
            "Package: glimmora", "Version: " + harness.cached("CMAKE_PROJECT_VERSION"),
            "Architecture: " + PACKAGE["arch"], "Maintainer: " + harness.cached("GLIMMORA_MAINTAINER"),
            "Section: x11", "Homepage: " + harness.cached("GLIMMORA_HOMEPAGE")])
        self.assertGreater(len(run(["dpkg-deb", "-f", PACKAGE["deb"], "Description"])
                               .stdout.splitlines()), 2, "no long description")
        depends = run(["dpkg-deb", "-f", PACKAGE["deb"], "Depends"]).stdout.strip()
        versions = dict(re.match(r"([a-z0-9.+-]+)\s*(.*)", item).groups()
                        for item in re.split(r",\s*", depends))
        self.assertEqual([n for n in NEEDED if n not in versions], [], depends)
        # Versioned by dpkg-shlibdeps from the libraries the build linked.
        self.assertRegex(versions["libqt6widgets6"], r"^\(>= 6\.")

    def test_lintian_pedantic_shows_only_the_overridden_tags(self):
        r = run(["lintian", "--pedantic", "--display-info", "--show-overrides", PACKAGE["deb"]])
        shown = [line for line in r.stdout.splitlines() if line[:2] in ("E:", "W:", "I:", "P:")]
        overridden = {line.split()[2] for line in r.stdout.splitlines() if line.startswith("O:")}
        self.assertEqual((shown, overridden, r.returncode), ([], OVERRIDDEN, 0), r.stdout)

    def test_metadata_and_menu_entry_validate(self):
        usr = os.path.join(PACKAGE["root"], "usr")
        metainfo = os.path.join(usr, "share/metainfo/org.example.glimmora.metainfo.xml")
        r = run(["appstreamcli", "validate", "--no-net", metainfo])
        self.assertEqual((r.returncode, re.findall(r"^[EW]: .*", r.stdout, re.M)), (0, []),
                         r.stdout)
        with open(metainfo, encoding="utf-8") as f:
            launchable = re.search(r'<launchable type="desktop-id">([^<]+)<', f.read()).group(1)
        r = run(["desktop-file-validate", os.path.join(usr, "share/applications", launchable)])
        self.assertEqual((r.returncode, r.stdout), (0, ""))

    def test_program_and_sound_module_are_hardened(self):
        rows = [  # what, file, readelf option, pattern
            ("bound at start", "glimmora", "--dynamic", r"\(FLAGS\)\s+BIND_NOW"),
            ("position independent", "glimmora", "--dynamic", r"\(FLAGS_1\)\s+Flags:.* PIE\b"),
            ("read-only relocations", "glimmora", "--program-headers", r"GNU_RELRO"),
            ("stack protector", "glimmora", "--dyn-syms", r"UND __stack_chk_fail\b"),
            ("fortified calls", "glimmora", "--dyn-syms", r"UND __\w+_chk\b(?<!stack_chk)"),
            ("module bound at start", "modules/glimmora-sound.so", "--dynamic", r"\(FLAGS\)\s+BIND_NOW"),
            ("module read-only relocations", "modules/glimmora-sound.so", "--program-headers",
             r"GNU_RELRO"),
            ("module stack protector", "modules/glimmora-sound.so", "--dyn-syms",
             r"UND __stack_chk_fail\b"),
        ]
        for what, name, option, pattern in rows:
            with self.subTest(what):
                path = os.path.join(PACKAGE["root"], "usr/lib/glimmora", name)
                text = run(["readelf", "--wide", option, path]).stdout
                self.assertRegex(text, re.compile(pattern, re.M))
        defined = [line.split()[-1] for line in run(
            ["readelf", "--wide", "--dyn-syms", os.path.join(
                PACKAGE["root"], "usr/lib/glimmora/modules/glimmora-sound.so")]).stdout.splitlines()
            if " GLOBAL " in line and " UND " not in line]
        self.assertEqual(defined, ["glimmora_sound_output"])


class UnpackedRunTest(test_install.InstalledRunTest):
    """The installed-program cases, run from the unpacked package."""

    def make_stage(self):
        return test_install.Stage(PACKAGE["root"], None, prefix="/usr")


if __name__ == "__main__":
    harness.main()
