#!/usr/bin/env python3
"""Fails unless every text of the desktop program has a finished translation
in each catalogue.

    check_translations.py LUPDATE LRELEASE INCLUDE_DIR SOURCE_DIR... -- TS_FILE...

lupdate reads the sources (their headers found from INCLUDE_DIR) into copies
of the catalogues, as the update_translations target would, so that a text
new in the code counts too; lrelease then counts what is unfinished or
untranslated.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

split = sys.argv.index("--")
lupdate, lrelease, include, sources = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:split]
failed = False
with tempfile.TemporaryDirectory() as work:
    for catalogue in sys.argv[split + 1:]:
        copy = os.path.join(work, os.path.basename(catalogue))
        shutil.copyfile(catalogue, copy)
        subprocess.run([lupdate, "-source-language", "zh_CN", "-no-obsolete", "-locations", "none",
                        "-I", include, *sources, "-ts", copy], check=True, capture_output=True)
        report = subprocess.run([lrelease, copy, "-qm", copy + ".qm"], check=True,
                                capture_output=True, text=True).stdout
        missing = re.search(r"[1-9]\d* unfinished|Ignored \d+ untranslated", report)
        print(f"{os.path.basename(catalogue)}: {report.strip() if missing else 'complete'}")
        failed = failed or bool(missing)
sys.exit(1 if failed else 0)
