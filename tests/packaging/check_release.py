"""Checks that the release is the same wherever it is named.

Usage: check_release.py <project version> <debian/changelog> <metainfo.xml>

The newest entry of debian/changelog, the project's changelog, gives the
version and the date; the project's version (CMakeLists.txt) and the newest
release in the AppStream metainfo, which software centres show, must agree
with it.
"""

import email.utils
import re
import sys
import xml.etree.ElementTree as ET
from datetime import timezone


def newest_entry(changelog):
    with open(changelog, encoding="utf-8") as f:
        text = f.read()
    heading = re.match(r"\S+ \(([^)]+)\) ", text)
    trailer = re.search(r"^ -- .+>  (.+)$", text, re.MULTILINE)
    if not heading or not trailer:
        raise SystemExit(f"{changelog}: no entry at the top")
    when = email.utils.parsedate_to_datetime(trailer.group(1))
    return heading.group(1), when.astimezone(timezone.utc).date().isoformat()


def main():
    project_version, changelog, metainfo = sys.argv[1:4]
    version, date = newest_entry(changelog)
    print(f"debian/changelog: {version} of {date}")
    problems = []
    if project_version != version:
        problems.append(f"the project's version is {project_version}")
    releases = ET.parse(metainfo).getroot().findall("releases/release")
    if not releases:
        problems.append("the metainfo lists no release")
    else:
        # AppStream lists the newest release first.
        newest = releases[0]
        if (newest.get("version"), newest.get("date")) != (version, date):
            problems.append(f"the metainfo's newest release is {newest.get('version')} "
                            f"of {newest.get('date')}")
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
