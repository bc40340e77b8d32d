#!/usr/bin/env python3
# Copies UTF-8 sources into a mirror tree with every non-ASCII character
# written as octal escapes of its CP932 bytes. Clang has no
# -fexec-charset=CP932, and the fuzz build must see the same Shift-JIS
# literals as the product. Octal escapes end after three digits, so the
# text after one is never taken into it; in comments they are harmless.
# Usage: cp932_literals.py SOURCE_ROOT MIRROR_ROOT RELATIVE_PATH...
import os
import sys


def escape(ch):
    try:
        data = ch.encode("cp932")
    except UnicodeEncodeError:
        return "?"  # only comments can hold such characters: g++ refuses them in literals
    return "".join("\\%03o" % b for b in data)


def main():
    source, mirror, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
    for rel in paths:
        with open(os.path.join(source, rel), encoding="utf-8") as f:
            text = f.read()
        out = "".join(c if ord(c) < 128 else escape(c) for c in text)
        target = os.path.join(mirror, rel)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "w", encoding="ascii") as f:
            f.write(out)


main()
