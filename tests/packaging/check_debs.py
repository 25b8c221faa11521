"""Checks what the binary packages that debian/ builds hold and need.

Usage: check_debs.py <the build's .changes file>

vantrel holds the desktop program with its manual page, desktop entry,
metainfo and icons, and needs Qt; vantrel-solve holds the command-line solver
and its manual page and needs nothing beyond the C and C++ runtime, so that a
server installs it without Qt or X. Each file is in one package only, under
/usr, and no development file is packaged. script/deb runs this after the
build.
"""

import os
import re
import subprocess
import sys

APP_ID = "org.vantrel.Vantrel"
ICON_SIZES = (16, 24, 32, 48, 128, 256)
CONTENTS = {
    "vantrel": ["usr/bin/vantrel", "usr/share/man/man1/vantrel.1.gz",
                f"usr/share/applications/{APP_ID}.desktop",
                f"usr/share/metainfo/{APP_ID}.metainfo.xml",
                f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg"]
               + [f"usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES],
    "vantrel-solve": ["usr/bin/vantrel-solve", "usr/share/man/man1/vantrel-solve.1.gz"],
}
# The runtime of C and C++ programs, which every Debian system has.
BASE_RUNTIME = {"libc6", "libgcc-s1", "libstdc++6"}
QT_LIBRARIES = {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6dbus6"}


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def packages_of(changes):
    """{package name: path of its .deb} for the .debs that the .changes lists."""
    folder = os.path.dirname(os.path.abspath(changes))
    with open(changes, encoding="utf-8") as f:
        names = re.findall(r"^ [0-9a-f]{32} \d+ \S+ \S+ (\S+\.deb)$", f.read(), re.MULTILINE)
    return {name.split("_")[0]: os.path.join(folder, name) for name in names}


def files_of(deb):
    """{path: mode} for every file and link, without the leading './'."""
    entries = {}
    for line in run("dpkg-deb", "--contents", deb).splitlines():
        fields = line.split()
        if not fields[0].startswith("d"):
            entries[fields[5].removeprefix("./")] = fields[0]
    return entries


def dependencies(deb, field):
    """The names in a relationship field, alternatives included."""
    value = run("dpkg-deb", "--field", deb, field).strip()
    return {re.sub(r"[\s(:].*", "", name.strip()) for name in re.split(r"[,|]", value) if name.strip()}


def main():
    debs = packages_of(sys.argv[1])
    problems = []
    missing = set(CONTENTS) - set(debs)
    problems += [f"no package {name} in {sys.argv[1]}" for name in sorted(missing)]

    owners = {}
    for name, expected in CONTENTS.items():
        if name not in debs:
            continue
        files = files_of(debs[name])
        print(f"{name}: {len(files)} files, Depends: {run('dpkg-deb', '--field', debs[name], 'Depends').strip()}")
        problems += [f"{name} lacks {path}" for path in expected if path not in files]
        for path, mode in files.items():
            owners.setdefault(path, []).append(name)
            if not path.startswith("usr/") or path.startswith("usr/local/"):
                problems.append(f"{name}: {path} lies outside /usr")
            if path.startswith(("usr/include/", "usr/lib/cmake/")) or path.endswith(".a"):
                problems.append(f"{name}: {path} is a development file")
            if path.startswith("usr/bin/") and not mode.startswith("-rwxr-xr-x"):
                problems.append(f"{name}: {path} has mode {mode}")

    problems += [f"{path} is in {' and '.join(names)}" for path, names in owners.items()
                 if len(names) > 1 and not path.startswith("usr/share/doc/")]

    if "vantrel-solve" in debs:
        extra = dependencies(debs["vantrel-solve"], "Depends") - BASE_RUNTIME
        if extra:
            problems.append(f"vantrel-solve needs more than the C and C++ runtime: {sorted(extra)}")
    if "vantrel" in debs:
        lacking = QT_LIBRARIES - dependencies(debs["vantrel"], "Depends")
        if lacking:
            problems.append(f"vantrel's Depends lacks {sorted(lacking)}")

    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
