#!/usr/bin/env python3
"""Check the StRD files here against exact arithmetic.

Solves every dataset's least-squares problem in rational numbers (the decimal
data read exactly with fractions.Fraction, the normal equations solved without
rounding) and prints, per dataset, the LRE of each certified value against the
exact solution. The certified values carry 15 significant digits, so an LRE of
about 14 to 15 everywhere means the data and the certified values in the file
agree; a transcription error in either shows as a far lower figure.

Run from the repository root:  python3 tests/data/strd/exact_check.py
"""
import math
import os
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = ["Norris", "Pontius", "NoInt1", "NoInt2", "Longley", "Filip",
         "Wampler1", "Wampler2", "Wampler3", "Wampler4", "Wampler5"]


def read(name):
    lines = [l.split() for l in open(os.path.join(HERE, name + ".txt"))
             if l.strip() and not l.startswith("#")]
    at = next(i for i, f in enumerate(lines) if f[0] == "data")
    head = {f[0]: f[1:] for f in lines[:at] if f[0] != "certified"}
    cert = [(f[1], Fraction(f[2])) for f in lines[:at] if f[0] == "certified"]
    rows = [[Fraction(v) for v in f] for f in lines[at + 1:]]
    return head, cert, rows


def basis(kind, order, row):
    if kind == "polynomial":
        return [row[1] ** k for k in range(order + 1)]
    if kind == "linear":
        return [Fraction(1)] + row[1:]
    return row[1:]


def solve(a, b):
    n = len(a)
    m = [a[i][:] + [b[i]] for i in range(n)]
    for c in range(n):
        p = next(r for r in range(c, n) if m[r][c] != 0)
        m[c], m[p] = m[p], m[c]
        for r in range(n):
            if r != c and m[r][c] != 0:
                f = m[r][c] / m[c][c]
                m[r] = [x - f * y for x, y in zip(m[r], m[c])]
    return [m[i][n] / m[i][i] for i in range(n)]


def lre(got, want):
    if got == want:
        return 15.0
    err = abs(got - want) / abs(want) if want != 0 else abs(got)
    return min(15.0, -math.log10(err))


def main():
    for name in NAMES:
        head, cert, rows = read(name)
        kind, order = head["model"][0], int(head["model"][1])
        x = [basis(kind, order, r) for r in rows]
        y = [r[0] for r in rows]
        p = len(x[0])
        a = [[sum(v[i] * v[j] for v in x) for j in range(p)] for i in range(p)]
        b = [sum(v[i] * w for v, w in zip(x, y)) for i in range(p)]
        beta = solve(a, b)
        sse = sum((w - sum(c * u for c, u in zip(beta, v))) ** 2 for v, w in zip(x, y))
        sd = math.sqrt(sse / (len(rows) - p))
        want_sd = float(head["residual-sd"][0])
        sd_lre = lre(sd, want_sd) if want_sd != 0 or sd != 0 else 15.0
        worst = min(lre(bk, c) for (_, c), bk in zip(cert, beta))
        exact = all(bk == c for (_, c), bk in zip(cert, beta))
        print(f"{name:9s} certified coefficients vs exact solution: min LRE {worst:4.1f}"
              f"{' (all equal exactly)' if exact else ''}; residual sd LRE {sd_lre:4.1f}")


if __name__ == "__main__":
    main()
