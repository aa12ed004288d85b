#!/usr/bin/python3
"""Writes small bare BIFF streams into seeds/ for the fuzz_xls target.

A bare stream reaches the BIFF layer without the compound-file container,
so mutations land on records rather than on sector tables. Each seed holds
the record kinds the reader joins or decodes specially: shared strings over
CONTINUE records, formula texts, RK values, BIFF5 code-page text.
Run with any Python 3; the output is the same on every run.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def rec(rid, body=b""):
    return struct.pack("<HH", rid, len(body)) + body


def place(row, col, xf=0):
    return struct.pack("<HHH", row, col, xf)


def stream(biff, globals_, sheets):
    version = 0x0600 if biff == 8 else 0x0500
    tail = b"\0" * (8 if biff == 8 else 4)
    out = bytearray(rec(0x0809, struct.pack("<HH", version, 5) + tail) + globals_)
    fields = []
    for name, _ in sheets:
        raw = bytes([len(name), 0]) + name if biff == 8 else bytes([len(name)]) + name
        fields.append(len(out) + 4)
        out += rec(0x0085, struct.pack("<IBB", 0, 0, 0) + raw)
    out += rec(0x000A)
    for field, (_, cells) in zip(fields, sheets):
        struct.pack_into("<I", out, field, len(out))
        out += rec(0x0809, struct.pack("<HH", version, 0x10) + tail) + cells + rec(0x000A)
    return bytes(out)


def biff8_text(text):
    return struct.pack("<HB", len(text), 0) + text


def formula(row, col, result):
    return rec(0x0006, place(row, col) + result + struct.pack("<HIH", 0, 0, 0))


def biff8():
    sst = struct.pack("<II", 3, 3) + biff8_text(b"alpha") + struct.pack("<HB", 4, 0) + b"be"
    more = b"\x01" + "ta".encode("utf-16-le") + struct.pack("<HBH", 4, 8, 1) + b"bold" + struct.pack("<HH", 0, 1)
    globals_ = (rec(0x0022, struct.pack("<H", 0)) + rec(0x041E, struct.pack("<H", 164) + biff8_text(b"yyyy-mm-dd"))
                + rec(0x00E0, struct.pack("<HH", 0, 0) + b"\0" * 16) + rec(0x00E0, struct.pack("<HH", 0, 164) + b"\0" * 16)
                + rec(0x00FC, sst) + rec(0x003C, more))
    cells = (rec(0x00FD, place(0, 0) + struct.pack("<I", 0)) + rec(0x00FD, place(0, 1) + struct.pack("<I", 1))
             + rec(0x00FD, place(0, 2) + struct.pack("<I", 2)) + rec(0x0203, place(1, 0, 1) + struct.pack("<d", 44000.5))
             + rec(0x027E, place(1, 1) + struct.pack("<I", (1234 << 2) | 3))
             + rec(0x00BD, struct.pack("<HH", 2, 0) + struct.pack("<HI", 0, 0x3FF00000) * 3 + struct.pack("<H", 2))
             + rec(0x0205, place(3, 0) + bytes([1, 0])) + rec(0x0205, place(3, 1) + bytes([7, 1]))
             + formula(4, 0, struct.pack("<d", 2.5)) + formula(4, 1, bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF]))
             + rec(0x0207, struct.pack("<HB", 6, 0) + b"abc") + rec(0x003C, b"\x01" + "def".encode("utf-16-le"))
             + formula(4, 2, bytes([3, 0, 0, 0, 0, 0, 0xFF, 0xFF]))
             + rec(0x0204, place(5, 0) + biff8_text(b"label")) + rec(0x0201, place(6, 0, 1))
             + rec(0x00BE, struct.pack("<HHHHH", 7, 0, 1, 1, 1)))
    return stream(8, globals_, [(b"Data", cells), (b"Empty", b"")])


def biff5():
    text = "Привет".encode("cp1251")
    globals_ = (rec(0x0042, struct.pack("<H", 1251)) + rec(0x041E, struct.pack("<HB", 164, 4) + b"0.00")
                + rec(0x00E0, struct.pack("<HH", 0, 164) + b"\0" * 12))
    cells = (rec(0x0204, place(0, 0) + struct.pack("<H", len(text)) + text)
             + formula(1, 0, bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF])) + rec(0x0207, struct.pack("<H", len(text)) + text)
             + rec(0x0203, place(2, 0, 0) + struct.pack("<d", 1.25)))
    return stream(5, globals_, [(text, cells)])


if __name__ == "__main__":
    os.makedirs(os.path.join(HERE, "seeds"), exist_ok=True)
    for name, data in (("bare_biff8.xls", biff8()), ("bare_biff5_cp1251.xls", biff5())):
        with open(os.path.join(HERE, "seeds", name), "wb") as f:
            f.write(data)
