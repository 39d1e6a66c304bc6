#!/usr/bin/env python3
"""The expected figures of a crossed gauge R&R study (ANOVA method, AIAG), worked out apart
from the program: 50 significant digits (mpmath), the values read as the decimals written,
sums of squares by the totals formula and F tails by mpmath's incomplete beta.

    grr_reference.py aiag-msa.csv              # the published example
    grr_reference.py aiag-msa.csv --shift 0.5  # operator C reads parts 1-5 that much higher

The output is what tests/qc_grr checks against.
"""
import csv
import sys

import mpmath as mp

mp.mp.dps = 50


def read(path, shift):
    rows = []
    with open(path) as f:
        lines = [l for l in f if not l.startswith('#')]
    for r in csv.DictReader(lines):
        v = mp.mpf(r['value'])
        if r['operator'] == 'C' and int(r['part']) <= 5:
            v += mp.mpf(shift)
        rows.append((r['part'], r['operator'], int(r['trial']), v))
    return rows


def tail(f, d1, d2):
    # P(F > f) = 1 - I_{d1 f / (d1 f + d2)}(d1 / 2, d2 / 2)
    x = d1 * f / (d1 * f + d2)
    return mp.betainc(mp.mpf(d2) / 2, mp.mpf(d1) / 2, 0, 1 - x, regularized=True)


def main():
    path = sys.argv[1]
    shift = sys.argv[3] if len(sys.argv) > 3 and sys.argv[2] == '--shift' else '0'
    rows = read(path, shift)
    parts = sorted({r[0] for r in rows}, key=int)
    ops = sorted({r[1] for r in rows})
    trials = sorted({r[2] for r in rows})
    p, o, n = len(parts), len(ops), len(trials)
    N = p * o * n
    total = sum(r[3] for r in rows)
    cf = total * total / N
    sq = sum(r[3] * r[3] for r in rows)
    tp = {k: sum(r[3] for r in rows if r[0] == k) for k in parts}
    to = {k: sum(r[3] for r in rows if r[1] == k) for k in ops}
    tc = {(a, b): sum(r[3] for r in rows if r[0] == a and r[1] == b) for a in parts for b in ops}
    ss_t = sq - cf
    ss_p = sum(t * t for t in tp.values()) / (o * n) - cf
    ss_o = sum(t * t for t in to.values()) / (p * n) - cf
    ss_cells = sum(t * t for t in tc.values()) / n - cf
    ss_po = ss_cells - ss_p - ss_o
    ss_e = ss_t - ss_cells
    df_p, df_o, df_po, df_e = p - 1, o - 1, (p - 1) * (o - 1), p * o * (n - 1)
    ms_p, ms_o, ms_po, ms_e = ss_p / df_p, ss_o / df_o, ss_po / df_po, ss_e / df_e
    f_p, f_o, f_po = ms_p / ms_po, ms_o / ms_po, ms_po / ms_e
    out = [('part', df_p, ss_p, ms_p, f_p, tail(f_p, df_p, df_po)),
           ('operator', df_o, ss_o, ms_o, f_o, tail(f_o, df_o, df_po)),
           ('part*operator', df_po, ss_po, ms_po, f_po, tail(f_po, df_po, df_e)),
           ('repeatability', df_e, ss_e, ms_e, None, None),
           ('total', N - 1, ss_t, None, None, None)]
    pooled = out[2][5] > mp.mpf('0.25')
    print('table')
    for row in out:
        print(' ', row[0], row[1], *[mp.nstr(v, 20) if v is not None else 'nan' for v in row[2:]])
    if pooled:
        df_r = df_e + df_po
        ms_r = (ss_e + ss_po) / df_r
        print('pooled table')
        for name, df, ss, ms in (('part', df_p, ss_p, ms_p), ('operator', df_o, ss_o, ms_o)):
            print(' ', name, df, mp.nstr(ss, 20), mp.nstr(ms, 20), mp.nstr(ms / ms_r, 20),
                  mp.nstr(tail(ms / ms_r, df, df_r), 20))
        print('  repeatability', df_r, mp.nstr(ss_e + ss_po, 20), mp.nstr(ms_r, 20))
        v_e, v_int, against = ms_r, mp.mpf(0), ms_r
    else:
        v_e, v_int, against = ms_e, max(mp.mpf(0), (ms_po - ms_e) / n), ms_po
    v_o = max(mp.mpf(0), (ms_o - against) / (p * n))
    v_p = max(mp.mpf(0), (ms_p - against) / (o * n))
    ev, av, inter = mp.sqrt(v_e), mp.sqrt(v_o), mp.sqrt(v_int)
    grr = mp.sqrt(v_e + v_o + v_int)
    pv = mp.sqrt(v_p)
    tv = mp.sqrt(v_e + v_o + v_int + v_p)
    print('pooled', pooled)
    for name, v in (('EV', ev), ('AV', av), ('INT', inter), ('GRR', grr), ('PV', pv),
                    ('TV', tv)):
        print(name, mp.nstr(v, 20), mp.nstr(100 * v / tv, 20))
    print('ndc', int(mp.floor(mp.mpf('1.41') * pv / grr)))


main()
