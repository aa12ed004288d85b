#!/usr/bin/python3
"""Writes codec_vectors.txt: test vectors for the character-set codecs,
computed by Python's own codecs, so that our converters are checked against
an implementation that shares no code with them.

Run with Debian's Python from this folder:
    /usr/bin/python3 make_codec_vectors.py > codec_vectors.txt

Line formats (codes in hex as unsigned 32-bit, texts and bytes in hex):
    R code bytes utf8   both ways: bytes decode strictly to utf8, which encodes to bytes
    E code utf8 bytes   encoding utf8 with '?' for what the page lacks gives bytes
    D code bytes utf8   strict decoding of bytes gives utf8
    X code bytes...     strict decoding of each of the byte strings fails
"""

import sys

# Character-set code -> Python codec, for every table entry Python knows.
# Single-byte pages get the full 256-byte treatment.
SINGLE_BYTE = {
    0x00000001: "ascii",
    0x00000005: "latin_1",
    0x00000009: "iso8859_2",
    0x0000000B: "cp1251",
    0x0000000C: "cp1252",
    0x0000000D: "cp1253",
    0x0000000E: "cp1254",
    0x0000000F: "cp1250",
    0x0000001E: "mac_roman",
    0x80000C02: "cp037",
    0x80000A08: "koi8_u",
    0x80000A02: "koi8_r",
    0x80000508: "cp1258",
    0x80000507: "cp1257",
    0x80000506: "cp1256",
    0x80000505: "cp1255",
    0x8000041D: "cp874",
    0x8000041C: "cp869",
    0x8000041B: "cp866",
    0x8000041A: "cp865",
    0x80000419: "cp864",
    0x80000418: "cp863",
    0x80000417: "cp862",
    0x80000416: "cp861",
    0x80000415: "cp860",
    0x80000414: "cp857",
    0x80000413: "cp855",
    0x80000412: "cp852",
    0x80000410: "cp850",
    0x80000406: "cp775",
    0x80000405: "cp737",
    0x80000400: "cp437",
    0x80000210: "iso8859_16",
    0x8000020F: "iso8859_15",
    0x8000020E: "iso8859_14",
    0x8000020D: "iso8859_13",
    0x8000020B: "iso8859_11",
    0x8000020A: "iso8859_10",
    0x80000209: "iso8859_9",
    0x80000208: "iso8859_8",
    0x80000207: "iso8859_7",
    0x80000206: "iso8859_6",
    0x80000205: "iso8859_5",
    0x80000204: "iso8859_4",
    0x80000203: "iso8859_3",
    0x8000008C: "mac_farsi",
    0x80000026: "mac_romanian",
    0x80000025: "mac_iceland",
    0x80000024: "mac_croatian",
    0x80000023: "mac_turkish",
    0x8000001D: "mac_latin2",
    0x80000007: "mac_cyrillic",
    0x80000006: "mac_greek",
    0x80000004: "mac_arabic",
}

MULTI_BYTE = {
    0x00000003: "euc_jp",
    0x00000004: "utf_8",
    0x00000008: "cp932",
    0x0000000A: "utf_16",  # BOM, then this machine's (little-endian) order
    0x00000015: "iso2022_jp",
    0x9C000100: "utf_32_le",
    0x98000100: "utf_32_be",
    0x94000100: "utf_16_le",
    0x90000100: "utf_16_be",
    0x8C000100: "utf_32",  # BOM, then little-endian
    0x80000A06: "big5hkscs",
    0x80000A05: "hz",
    0x80000A03: "big5",
    0x80000A01: "shift_jis",
    0x80000940: "euc_kr",
    0x80000930: "gb2312",
    0x80000840: "iso2022_kr",
    0x80000632: "gb18030",
    0x80000631: "gbk",
    0x80000628: "shift_jis_2004",
    0x80000423: "cp950",
    0x80000422: "cp949",
    0x80000421: "gbk",
}

# Where Python and the converter we use disagree on purpose, by code: the
# characters left out of the samples, and why. codec_test.cpp pins down
# what we do at a few of these points.
C1 = {chr(c) for c in range(0x80, 0xA0)}
PUA = {chr(c) for c in range(0xE000, 0xF900)}


def encoded_with_lead(codec, leads):
    """The BMP characters Python encodes to bytes starting with one of leads."""
    found = set()
    for c in range(0x80, 0x10000):
        if 0xD800 <= c <= 0xDFFF:
            continue
        try:
            data = chr(c).encode(codec)
        except UnicodeEncodeError:
            continue
        if data[0] in leads:
            found.add(chr(c))
    return found


def chars(text):
    return set(text)


BIG5_VARIANTS = (
    encoded_with_lead("big5", range(0xC6, 0xC9))
    | chars("\u00a2\u00a3\u00a5\u00af\u2022\u2027\u203e\u20ac\u2550\u2551\u2552\u255e\u256a\u2561"
            "\u25e2\u25e3\u25e5\u25e4\u2571\u2572\u2573\uff5e\u223c\uffe0\uffe1\uffe5"),
    "Python's Big 5 carries the ETEN rows C6A1-C8FE (kana, Cyrillic) and reads "
    "A145/A1C2/A244/A246/A247 as the narrow forms; glibc and ICU follow the "
    "Microsoft table (fullwidth forms, euro at A3E1, box drawing at F9F9-F9FE).",
)
DISAGREEMENTS = {
    0x00000003: (chars("\uff5e"),
                 "glibc writes U+FF5E as JIS X 0212 0x2237; Python has no mapping."),
    0x00000008: (encoded_with_lead("cp932", (0xED, 0xEE)) | chars("\u0080\u00a5\u203e\u2014"),
                 "For characters in both NEC-selected rows ED-EE and IBM rows FA-FC, "
                 "glibc (like Windows) writes the IBM row, Python the NEC row; glibc "
                 "writes U+00A5, U+203E and U+2014 one-way as 5C, 7E and 815C; Python "
                 "maps 0x80 to U+0080."),
    0x80000A03: BIG5_VARIANTS,
    0x80000423: BIG5_VARIANTS,
    0x80000A05: (chars("\u00b7\u30fb\u2014\u2015"),
                 "GB 2312 A1A4 and A1AA: ICU reads them as U+00B7 and U+2014 (as GBK "
                 "does), Python as U+30FB and U+2015."),
    0x80000A01: (chars("\\~\uffe0\uffe1\uffe2"),
                 "glibc reads 0x5C and 0x7E as YEN SIGN and OVERLINE (JIS X 0201 Roman), "
                 "Python as backslash and tilde; glibc writes U+FFE0-FFE2 one-way."),
    0x80000628: (chars("\\~\u2014\u2015\uff5e\u2985\u2986\uff5f\uff60"),
                 "JIS X 0213 row 1: glibc and Python read 815C, 815F, 81B0 and 81D4-81D5 "
                 "differently, and Python writes backslash and tilde as 815F and 81B0."),
    0x80000940: ({c for c in encoded_with_lead("euc_kr", (0xA4,)) if len(c.encode("euc_kr")) > 2}
                 | chars("\u00ae\u20ac"),
                 "Python writes Hangul syllables missing from KS X 1001 as eight-byte "
                 "composed sequences and knows the 1998/2002 additions (euro, registered "
                 "sign); ICU's table has neither, so those become '?'."),
    0x80000840: (chars("\u00ad\u00ae\u00b7\u2014\u2015\u20ac\u301c\uff5e"),
                 "KS X 1001 variants between glibc and Python (soft hyphen, middle dot, "
                 "dashes, wave dash) and the 1998/2002 additions."),
    0x80000631: (chars("\u20ac"), "Code page 936 has the euro at 0x80; Python's GBK does not."),
    0x80000421: (chars("\u20ac"), "Code page 936 has the euro at 0x80; Python's GBK does not."),
}

# The Mac Arabic and Farsi pages hold ASCII punctuation twice, once in
# each direction; both read as the ASCII character, which we write as the
# low (ASCII) byte and Python as the high one. Only encoding differs.
for _code, _codec in ((0x80000004, "mac_arabic"), (0x8000008C, "mac_farsi")):
    DISAGREEMENTS[_code] = (
        {chr(c) for c in range(0x20, 0x7F) if chr(c).encode(_codec)[0] >= 0x80},
        "ASCII punctuation: we write the low byte, Python the high duplicate.")
ENCODE_ONLY = {0x80000004, 0x8000008C}

# Single bytes Python leaves undefined that our converter reads, by code.
# The Windows pages in ICU pass their unassigned bytes through as the C1
# control of the same number, as Windows itself does.
WINDOWS_C1 = set(range(0x80, 0xA0))
UNDEFINED_BYTES_WE_READ = {
    0x0000000B: WINDOWS_C1, 0x0000000C: WINDOWS_C1, 0x0000000D: WINDOWS_C1,
    0x0000000E: WINDOWS_C1, 0x0000000F: WINDOWS_C1, 0x80000508: WINDOWS_C1,
    0x80000507: WINDOWS_C1, 0x80000506: WINDOWS_C1, 0x80000505: WINDOWS_C1,
    0x8000041D: WINDOWS_C1 | {0xDB, 0xDC, 0xDD, 0xDE, 0xFC, 0xFD, 0xFE, 0xFF},  # into the PUA
}
UNDEFINED_BYTES_WE_READ[0x0000000D] = WINDOWS_C1 | {0xAA}

# Broken inputs Python rejects but our converter reads, by code, and why.
WINDOWS_DBCS_FF = ({b"\xff", b"\xff\xff"},
                   "ICU's Windows tables read a lone 0xFF as a Private Use character, as Windows does.")
ACCEPTED_INPUTS = {
    0x80000A05: ({b"~"}, "ICU's HZ reads a '~' at the very end as nothing."),
    0x80000423: WINDOWS_DBCS_FF,
    0x80000422: WINDOWS_DBCS_FF,
    0x80000421: WINDOWS_DBCS_FF,
    0x80000631: WINDOWS_DBCS_FF,
}

ISO2022KR_DESIGNATION = b"\x1b$)C"


def python_encode(codec, text):
    """Python's encoding with '?' for what the page lacks, in the form we
    write: the UTF-16 and UTF-32 forms with a byte-order mark write nothing
    for an empty text (Python writes the mark alone), and ISO-2022-KR puts
    its designation at the start of the text, as RFC 1557 asks (Python puts
    it before the first shift-out)."""
    if text == "" and codec in ("utf_16", "utf_32"):
        return b""
    data = text.encode(codec, "replace")
    if codec == "iso2022_kr" and ISO2022KR_DESIGNATION in data:
        data = ISO2022KR_DESIGNATION + data.replace(ISO2022KR_DESIGNATION, b"", 1)
    return data


def disagreeing(code):
    found = DISAGREEMENTS.get(code, (set(), ""))[0]
    if code in MULTI_BYTE and not MULTI_BYTE[code].startswith("utf"):
        # Vendors fill their user-defined areas differently.
        found = found | PUA
    return found


def byte_disagrees(code, byte):
    return byte in UNDEFINED_BYTES_WE_READ.get(code, ())

# Mixed text from many scripts: each page holds some of it, and the rest
# checks substitution. Includes a character outside the BMP.
PROBES = (
    "Az09 ~\\|{}@#$^`\t"
    "\u00a3\u00a5\u00a7\u00a9\u00ae\u00b0\u00b1\u00b5\u00b6\u00b7\u00d7\u00f7\u00a0\u00ad"
    "\u20ac\u201a\u201e\u2026\u2020\u2021\u2030\u2039\u203a\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u2122"
    "\u00c0\u00c9\u00ce\u00d5\u00dc\u00df\u00e0\u00e9\u00ee\u00f5\u00fc\u00ff"
    "\u0100\u010c\u0118\u011e\u0130\u0141\u0150\u015a\u0160\u0162\u017b\u017e\u0151\u0219\u021b"
    "\u0391\u0392\u0393\u0394\u03a9\u03b1\u03b2\u03b3\u03c9\u03ac\u03ad"
    "\u0410\u0411\u0412\u0416\u042f\u0430\u0431\u0432\u0436\u044f\u0401\u0451\u0404\u0454\u0406\u0456\u0407\u0457\u0490\u0491\u040e\u045e"
    "\u05d0\u05d1\u05d2\u05e9\u05ea\u0627\u0628\u062a\u062b\u062c\u062d\u06cc\u06af\u0660\u06f0"
    "\u0e01\u0e02\u0e04\u0e07\u0102\u0103\u00c2\u00e2\u0110\u0111\u01a0\u01a1\u01af\u01b0\u0300\u0303"
    "\u4e2d\u6587\u5b57\u570b\u8a9e\u65e5\u672c\ud55c\uad6d\uc5b4\u3072\u3089\u30ab\u30bf"
    "\u2500\u2502\u250c\u2510\u2514\u2518\u251c\u2524\u2550\u2551\u2591\u2588"
    "\u203e\u2015\u2225\u2016\u301c\uff5e\uff0d\u2212\uffe0\uffe1\uffe2\u00a2\u00ac"
    "\U0001f600\U0002000b\ufffd\uf8ff\u0000\u007f"
)


def hexs(data):
    return data.hex().upper()


def emit(kind, code, *fields):
    if kind == "X":
        # Collected and written as one line per code.
        FAILING.setdefault(code, []).extend(fields)
        return
    print(kind, "%08X" % code, *[hexs(f) for f in fields])


FAILING = {}


def without_disagreements(code, text):
    skip = disagreeing(code)
    return "".join(c for c in text if c not in skip)


def encode_vectors(code, codec, text):
    text = without_disagreements(code, text)
    emit("E", code, text.encode("utf-8"), python_encode(codec, text))


def decode_vector(code, codec, data):
    try:
        text = data.decode(codec)
    except UnicodeDecodeError:
        emit("X", code, data)
        return
    if code in ENCODE_ONLY or without_disagreements(code, text) == text:
        emit("D", code, data, text.encode("utf-8"))


def round_trip(code, codec, text):
    """One R line when the text survives both ways, else an E and a D."""
    text = without_disagreements(code, text)
    data = python_encode(codec, text)
    try:
        back = data.decode(codec)
    except UnicodeDecodeError:
        back = None
    if back == text:
        emit("R", code, data, text.encode("utf-8"))
    else:
        encode_vectors(code, codec, text)
        decode_vector(code, codec, data)


def single_byte(code, codec):
    valid = bytearray()
    for b in range(256):
        if byte_disagrees(code, b):
            continue
        try:
            bytes([b]).decode(codec)
            valid.append(b)
        except UnicodeDecodeError:
            emit("X", code, bytes([b]))
    decoded = bytes(valid).decode(codec)
    if decoded.encode(codec, "replace") == bytes(valid):
        emit("R", code, bytes(valid), decoded.encode("utf-8"))
    else:
        decode_vector(code, codec, bytes(valid))
        encode_vectors(code, codec, decoded)
    encode_vectors(code, codec, PROBES)


def encodable(codec, c):
    try:
        return len(c.encode(codec)) > 0
    except UnicodeEncodeError:
        return False


def multi_byte(code, codec):
    encode_vectors(code, codec, PROBES)
    encode_vectors(code, codec, "")
    # A spread of the page's repertoire: every k-th encodable BMP character.
    repertoire = [chr(c) for c in range(0x80, 0x10000)
                  if not 0xD800 <= c <= 0xDFFF and encodable(codec, chr(c))]
    step = max(1, len(repertoire) // 200)
    sample = "".join(repertoire[::step])
    round_trip(code, codec, sample)
    # Broken input: a lead byte cut off at the end, stray high bytes.
    wide = [c for c in sample if len(c.encode(codec)) == 2]
    broken = [b"\xff", b"\xff\xff", b"A\xfe", b"\x1b", b"~", b"\x0e"]
    if wide and codec not in ("hz", "iso2022_jp", "iso2022_kr"):
        broken.append(wide[0].encode(codec)[:1])
        broken.append(b"AB" + wide[-1].encode(codec)[:1])
    for data in broken:
        if data not in ACCEPTED_INPUTS.get(code, ((),))[0]:
            decode_vector(code, codec, data)


def main():
    print("# Generated by make_codec_vectors.py; do not edit.")
    for code, codec in SINGLE_BYTE.items():
        single_byte(code, codec)
    for code, codec in MULTI_BYTE.items():
        multi_byte(code, codec)
    for code, inputs in FAILING.items():
        print("X", "%08X" % code, *[hexs(f) for f in inputs])


if __name__ == "__main__":
    sys.exit(main())
