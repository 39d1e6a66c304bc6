#!/usr/bin/env python3
"""Writes the golden files of the file-format tests.

It is an independent second implementation: the decoding, the averaging and the number
formatting are computed here with exact fractions, emulating the 64-bit-mantissa
intermediate results and the final single-precision store. The C++ tests compare the
program's output with these bytes. Run it from this folder; the output is deterministic.
"""
import math
from fractions import Fraction as F

CRLF = b"\r\n"

BANDS = {  # band: (firstIndex, lastIndex)
    1: (40, 439), 2: (0, 539), 3: (0, 91), 4: (40, 183), 5: (183, 303),
    6: (303, 439), 7: (399, 539), 8: (263, 539), 9: (0, 223),
}


def round_bits(x, bits):
    """x rounded to a binary significand of `bits` bits, ties to even."""
    x = F(x)
    if x == 0:
        return x
    sign = -1 if x < 0 else 1
    a = abs(x)
    e = math.floor(math.log2(a.numerator) - math.log2(a.denominator))
    while F(2) ** e > a:
        e -= 1
    while F(2) ** (e + 1) <= a:
        e += 1
    scale = F(2) ** (bits - 1 - e)
    m = a * scale
    q, r = divmod(m.numerator, m.denominator)
    rem = F(r, m.denominator)
    if rem > F(1, 2) or (rem == F(1, 2) and q % 2 == 1):
        q += 1
    return sign * F(q) / scale


def ld(x):
    return round_bits(x, 64)


def f32(x):
    return round_bits(x, 24)


C001 = ld(F("0.01"))
C0005 = ld(F("0.005"))
C01 = ld(F("0.1"))
C005 = ld(F("0.05"))
K = F("0.0152587890625")
THIRD = ld(F("0.33333333333333333334"))


def hexval(s):
    v = 0
    for ch in s:
        v = v * 16 + (int(ch, 16) if ch in "0123456789abcdefABCDEF" else 0)
    return v


def decode(text):
    n1, n2, n3, n4 = hexval(text[0:4]), hexval(text[4:8]), hexval(text[8:14]), hexval(text[14:18])
    if n2 >= 0x8000:
        n2 -= 0x10000
    r = f32(ld(ld(n1 * C001) + C0005))
    th = f32(ld(ld(n2 * C01) + C005))
    fr = f32(ld(ld(n3 * K) * 2)) if n4 == 0 else f32(ld(ld(n3 * K) / n4))
    return r, th, fr


def average(vals):
    out = list(vals)
    for i in range(1, len(vals) - 1):
        out[i] = f32(ld(ld(ld(vals[i - 1] + vals[i]) + vals[i + 1]) * THIRD))
    return out


def fmt(x, decimals):
    scaled = abs(x) * 10 ** decimals
    q, r = divmod(scaled.numerator, scaled.denominator)
    if F(r, scaled.denominator) >= F(1, 2):
        q += 1
    digits = str(q).rjust(decimals + 1, "0")
    text = digits[:-decimals] + "." + digits[-decimals:]
    return ("-" if x < 0 and q != 0 else "") + text


def sjis(s):
    return s.encode("cp932")


# ---- synthetic measurements ----

def grid_hz(i):
    anchors = [(0, 10), (40, 20), (91, 50), (183, 250), (223, 500), (263, 1000),
               (303, 2000), (399, 10000), (439, 20000), (539, 100000)]
    for (i0, f0), (i1, f1) in zip(anchors, anchors[1:]):
        if i0 <= i <= i1:
            return f0 * (f1 / f0) ** ((i - i0) / (i1 - i0))
    raise ValueError(i)


def point_text(i, fs=48.0, re=6.2, rmax=38.0, q=3.0, le=0.0004, lower=False):
    f = grid_hz(i)
    x = q * (f / fs - fs / f)
    zm = complex(rmax - re, 0) / complex(1, x)
    z = complex(re, 2 * math.pi * f * le) + zm
    rcode = max(0, min(0xFFFF, round(abs(z) * 100)))
    pcode = round(math.degrees(math.atan2(z.imag, z.real)) * 10) & 0xFFFF
    d = 1 if f >= 1000 else (4 if f >= 100 else 16)
    n = round(f * 65.536 * d)
    if i % 97 == 13:  # now and then a zero divisor, which doubles the frequency
        d, n = 0, round(f * 65.536 / 2)
    t = "%04X%04X%06X%04X" % (rcode, pcode, n, d)
    return t.lower() if lower else t


def points(band, **kw):
    a, b = BANDS[band]
    return {i: point_text(i, **kw) for i in range(a, b + 1)}


def data_file(tag, serial, date_time, port, band, count, pts, eol=CRLF, comments=False):
    lines = []
    def add(s, comment=None):
        if comments and comment:
            lines.append(b";" + comment.encode())
        lines.append(s if isinstance(s, bytes) else sjis(s))
    add(tag, "written by a measuring station")
    add("SN:" + serial, "serial number")
    add("DateTime:" + date_time)
    add("CommPortNum:%d" % port, "port")
    add("Band:%d" % band)
    add("DNum:%d" % count)
    for i in sorted(pts):
        lines.append(pts[i].encode())
    add("END:", "end")
    return b"".join(l + eol for l in lines)


def record_input(serial, date_time, port, band, pts):
    """The plain description a test builds a record from (UTF-8, LF)."""
    head = "serial:%s\ndateTime:%s\ncomPort:%d\nband:%d\n" % (serial, date_time, port, band)
    return (head + "".join(pts[i] + "\n" for i in sorted(pts))).encode("utf-8")


def export(date_time, pts, averaged):
    idx = sorted(pts)
    dec = [decode(pts[i]) for i in idx]
    r = [d[0] for d in dec]
    th = [d[1] for d in dec]
    fr = [d[2] for d in dec]
    if averaged:
        r, th = average(r), average(th)
    out = [sjis("HK-A2 測定データ"), sjis("測定日時:" + date_time),
           sjis("周波数[Hz]\t抵抗値[Ω]\t位相角[deg]")]
    for k in range(len(idx)):
        out.append(("%s\t%s\t%s" % (fmt(fr[k], 2), fmt(r[k], 2), fmt(th[k], 1))).encode())
    return b"".join(l + CRLF for l in out)


def write(name, data):
    with open(name, "wb") as fh:
        fh.write(data)


def main():
    # Writer: a band-2 record and the file it becomes.
    p2 = points(2)
    write("band2_record.txt", record_input("A2-000123", "2024/05/01 12:34:56", 3, 2, p2))
    write("band2.DTA", data_file("DataFile:HK-A2", "A2-000123", "2024/05/01 12:34:56", 3, 2, 540, p2))

    # Reader: a first-model file (band 2 = 20 Hz..250 Hz, bare LF, comments), and the
    # file it becomes when saved again.
    p4 = points(4, fs=62.0, rmax=55.0, lower=True)
    write("hka_band2.DTA", data_file("DataFile:HK-A", "0042", "1999/12/31 23:59:59", 2, 2, 144,
                                     p4, eol=b"\n", comments=True))
    write("hka_band2.resaved.DTA", data_file("DataFile:HK-A2", "0042", "1999/12/31 23:59:59", 2, 4,
                                             144, p4))

    # Export: a band-3 file with a Japanese date-time, raw and averaged, and band 2 raw.
    dt3 = "2024年5月1日 9:05:07"
    p3 = points(3, fs=22.0, re=3.6, rmax=80.0, q=5.0)
    write("band3_sjis.DTA", data_file("DataFile:HK-A2", "A2-7", dt3, 1, 3, 92, p3))
    write("band3_sjis.raw.txt", export(dt3, p3, False))
    write("band3_sjis.avg.txt", export(dt3, p3, True))
    write("band2.raw.txt", export("2024/05/01 12:34:56", p2, False))

    # Settings: the file of the defaults, and a hand-edited file and how it is saved again.
    defaults = [b"VELO2_ini", b"CommPortNum:1", b"PenColor_R:16711680", b"PenColor_Theta:255"]
    for k in range(5):
        defaults += [b"PenColor_R_Ref[%d]:8421376" % k, b"PenColor_Theta_Ref[%d]:8388736" % k]
    defaults += [b"pstr:"] * 3
    defaults += [b"top:0", b"left:0", b"width:640", b"height:480", b"band:2",
                 b"fronly:0", b"fwide:0", b"fave3:1", b"fwarning:0", b"END:"]
    write("defaults.prf", b"".join(l + CRLF for l in defaults))

    custom_in = [b"; settings of the measuring station", b"VELO2_ini", b"CommPortNum:256",
                 b"PenColor_R:-5", b";a comment between lines", b"PenColor_Theta:65280"]
    for k in range(5):
        custom_in += [b"PenColor_R_Ref[%d]:%d" % (k, 100 + k), b"PenColor_Theta_Ref[%d]:%d" % (k, 200 + k)]
    custom_in += [b"pstr:" + sjis("試作スピーカー　１６ｃｍ／８Ω"),
                  # codes sharing one character, bytes outside the code page, a lone lead byte
                  b"pstr:a: b : c  \xFA\x4A\xED\x40\x87\x90\xEE\xF9\x80\xFD\x82",
                  b"pstr:" + sjis("測定者：山田") + b"x" * 300,
                  b"top:-8", b"left:0", b"width:2000", b"height:700", b"band:9",
                  b"fronly:5", b"fwide:-1", b"fave3:0", b"fwarning:1", b"END:ignored text"]
    # saved by an editor that puts a UTF-8 byte-order mark in front
    write("custom.input.prf", b"\xEF\xBB\xBF" + b"".join(l + b"\n" for l in custom_in))
    custom_out = [l for l in custom_in if not l.startswith(b";")]
    custom_out = [b"fronly:1" if l == b"fronly:5" else b"fwide:1" if l == b"fwide:-1" else
                  b"END:" if l.startswith(b"END:") else l for l in custom_out]
    write("custom.expected.prf", b"".join(l + CRLF for l in custom_out))


if __name__ == "__main__":
    main()
