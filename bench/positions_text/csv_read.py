#!/usr/bin/env python3
"""One timed read of a positions text with Python's csv module.

    csv_read.py TEXT RESULT

Reads TEXT (CP1252) with csv.reader and writes "SECONDS ROWS" into RESULT.
The benchmark runs it between its own loads, so that both are timed under
the same conditions; the interpreter's start is not counted.
"""
import csv
import os
import sys
import time

start = time.perf_counter()
with open(sys.argv[1], newline="", encoding="cp1252") as f:
    rows = sum(1 for _ in csv.reader(f))
seconds = time.perf_counter() - start
# Written whole under another name, then renamed: the benchmark waits for the
# file to appear (Wine cannot always wait on a Unix process's handle).
with open(sys.argv[2] + ".part", "w") as out:
    out.write("%.6f %d\n" % (seconds, rows))
os.replace(sys.argv[2] + ".part", sys.argv[2])
