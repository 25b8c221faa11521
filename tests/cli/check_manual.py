"""Checks that `vantrel-solve --help` and the source of its manual page agree.

Usage: check_manual.py <vantrel-solve> <vantrel-solve.1.scd>

Every option and every exit status that the help lists must stand in the page
with the same description, and every number the help gives (the line bound,
the single-precision example and limit) must be in the page too.
"""

import re
import subprocess
import sys


def main():
    program, source = sys.argv[1:3]
    help_text = subprocess.run([program, "--help"], capture_output=True, text=True,
                               check=True).stdout
    with open(source, encoding="utf-8") as page_file:
        # The page as text: without scdoc's bold and underline marks, blanks collapsed.
        page = " ".join(re.sub(r"[*_]", "", page_file.read()).split())

    problems = []
    section = None
    for line in help_text.splitlines():
        if line and not line.startswith(" "):
            section = line
        elif section in ("Options:", "Exit status:") and line.strip():
            entry = " ".join(re.split(r"\s{2,}", line.strip(), maxsplit=1))
            if entry not in page:
                problems.append(f"the page lacks {section[:-1].lower()} '{entry}'")
    for number in re.findall(r"\d+(?:\.\d+)?(?:e\d+)?", help_text):
        if len(number) >= 4 and number not in page:
            problems.append(f"the page lacks the number {number}")

    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
