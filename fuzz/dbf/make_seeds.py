#!/usr/bin/python3
"""Turn sample tables into inputs for fuzz_dbf.

usage: make_seeds.py SAMPLES_DIR OUT_DIR

Each input is one selector byte (memo extension in bits 0-1: 0 .dbt,
1 .fpt, 2 .smt), the table's length as 4 little-endian bytes, the table,
then its memo file (if any).
"""
import os
import struct
import sys

EXT = {".dbt": 0, ".fpt": 1, ".smt": 2}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    src, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for root, _, names in os.walk(src):
        for name in sorted(names):
            stem, ext = os.path.splitext(name)
            if ext.lower() != ".dbf":
                continue
            table = open(os.path.join(root, name), "rb").read()
            memo, selector = b"", 0
            for memo_ext, code in EXT.items():
                path = os.path.join(root, stem + memo_ext)
                if os.path.exists(path):
                    memo, selector = open(path, "rb").read(), code
            for encoding in (0, 1):  # Windows-1251 and UTF-8
                seed = bytes([selector | encoding << 2]) + struct.pack("<I", len(table)) + table + memo
                with open(os.path.join(out, "%s_%d" % (stem, encoding)), "wb") as f:
                    f.write(seed)


if __name__ == "__main__":
    main()
