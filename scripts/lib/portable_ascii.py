#!/usr/bin/env python3
"""Lists non-ASCII bytes outside comments in the given source files.

clang, which builds the portable sources for fuzzing, has no -fexec-charset:
a non-ASCII literal there would become UTF-8 bytes instead of CP1252. Such
bytes are written as escapes ("M\\xE4rz"). Prints file:line: text for every
offending line and exits 1 when there is one.
"""
import sys


def code_lines(text):
    """The text with comments blanked out, split into lines (literals kept)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        if text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append('\n' * text.count('\n', i, j))
            i = j
        elif text[i] in '"\'':
            quote, j = text[i], i + 1
            while j < n and text[j] != quote and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(text[i])
            i += 1
    return ''.join(out).split('\n')


def main(paths):
    bad = 0
    for path in paths:
        with open(path, encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(code_lines(f.read()), 1):
                if any(ord(c) > 127 for c in line):
                    print(f'{path}:{number}: {line.strip()}')
                    bad += 1
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
