"""Builds the Debian package from a build tree and checks what it holds.

Usage: check_deb.py --config <build>/CPackConfig.cmake --out <scratch dir>
                    --app-id <id> [--gui]

Runs `cpack -G DEB` into the scratch directory, then reads the package back
with dpkg-deb: the binaries, their manual pages, the copyright and the
changelog must be there, with --gui (a build with the desktop program) also
the desktop entry, metainfo and icons, Depends must name the Qt libraries and
a CJK font and Recommends the Wayland plugin; nothing may land outside /usr.
"""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys

ICON_SIZES = (16, 24, 32, 48, 128, 256)
FONT_CHOICE = "fonts-arphic-uming | fonts-noto-cjk"


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        sys.stdout.write(result.stdout)
        sys.stderr.write(result.stderr)
        raise SystemExit(f"failed ({result.returncode}): {' '.join(command)}")
    return result.stdout


def build_package(config, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    run(["cpack", "--config", config, "-G", "DEB", "-B", out], cwd=os.path.dirname(config))
    debs = glob.glob(os.path.join(out, "*.deb"))
    if len(debs) != 1:
        raise SystemExit(f"expected one .deb in {out}, found {debs}")
    return debs[0]


def contents(deb):
    """{path without leading './': permission string} for every entry."""
    entries = {}
    for line in run(["dpkg-deb", "-c", deb]).splitlines():
        fields = line.split()
        path = fields[5].removeprefix("./").rstrip("/")
        if path:
            entries[path] = fields[0]
    return entries


def depends(fields_text):
    match = re.search(r"^Depends: (.*)$", fields_text, re.MULTILINE)
    if not match:
        return []
    return [group.strip() for group in match.group(1).split(",")]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--config", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--gui", action="store_true")
    args = parser.parse_args()

    deb = build_package(os.path.abspath(args.config), os.path.abspath(args.out))
    print(f"built {os.path.basename(deb)}")
    files = contents(deb)
    fields = run(["dpkg-deb", "-f", deb])
    print(fields)
    problems = []

    binaries = ["usr/bin/vantrel-solve"] + (["usr/bin/vantrel"] if args.gui else [])
    for path in binaries:
        if path not in files:
            problems.append(f"missing {path}")
        elif not files[path].startswith("-rwxr-xr-x"):
            problems.append(f"{path} has mode {files[path]}")

    desktop = [
        f"usr/share/applications/{args.app_id}.desktop",
        f"usr/share/metainfo/{args.app_id}.metainfo.xml",
        f"usr/share/icons/hicolor/scalable/apps/{args.app_id}.svg",
    ] + [f"usr/share/icons/hicolor/{n}x{n}/apps/{args.app_id}.png" for n in ICON_SIZES]
    pages = ["usr/share/man/man1/vantrel-solve.1.gz"] + (
        ["usr/share/man/man1/vantrel.1.gz"] if args.gui else [])
    expected = ["usr/share/doc/vantrel/copyright", "usr/share/doc/vantrel/changelog.gz"] + pages + (
        desktop if args.gui else [])
    problems += [f"missing {path}" for path in expected if path not in files]
    if not args.gui:
        # A command-line-only package must not offer a launcher for a missing program.
        problems += [f"{path} without the desktop program" for path in desktop if path in files]

    for path, mode in files.items():
        if mode.startswith("d"):
            continue
        if not path.startswith("usr/") or path.startswith("usr/local/"):
            problems.append(f"{path} lies outside /usr")
        if path.startswith("usr/include/") or path.endswith((".a", ".cmake")):
            problems.append(f"{path} is a development file")

    for name, value in (("Package", "vantrel"), ("Version", "1.0.0"), ("Section", "math"),
                        ("Maintainer", "The Vantrel developers <dev@vantrel.invalid>")):
        if not re.search(rf"^{name}: {re.escape(value)}$", fields, re.MULTILINE):
            problems.append(f"{name} is not {value!r}")
    architecture = run(["dpkg", "--print-architecture"]).strip()
    if not re.search(rf"^Architecture: {architecture}$", fields, re.MULTILINE):
        problems.append(f"Architecture is not {architecture}")

    groups = depends(fields)
    names = {re.sub(r"\s*\(.*\)", "", group) for group in groups}
    required = ["libc6", "libstdc++6"] + (["libqt6core6", "libqt6gui6", "libqt6widgets6"]
                                          if args.gui else [])
    problems += [f"Depends lacks {name}" for name in required if name not in names]
    if args.gui and FONT_CHOICE not in groups:
        problems.append(f"Depends lacks {FONT_CHOICE!r}")
    if args.gui and not re.search(r"^Recommends: .*\bqt6-wayland\b", fields, re.MULTILINE):
        problems.append("Recommends lacks qt6-wayland")

    for problem in problems:
        print("FAIL:", problem)
    print(f"{len(files)} entries, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
