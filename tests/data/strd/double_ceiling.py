#!/usr/bin/env python3
"""The best LRE any solver can reach on the StRD data as doubles.

A program reads every value into a double and forms the powers of x as the
standard module does (x*x, x*x*x, then pow); this script takes those doubles
exactly (fractions.Fraction of each float), solves the least-squares problem
in rational numbers and prints, per dataset, the smallest LRE of that exact
solution against the certified values. Where it is below 15, the rounding of
the data to doubles, not the solver, limits every program.

Run from the repository root:  python3 tests/data/strd/double_ceiling.py
"""
import math
import os
import sys
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import exact_check as E  # noqa: E402


def power(x, d):
    """x^d as the standard module forms it from the double x."""
    return x if d == 1 else x * x if d == 2 else x * x * x if d == 3 else math.pow(x, d)


def row(kind, order, values):
    x = [float(v) for v in values]
    if kind == "polynomial":
        return [1.0] + [power(x[0], d) for d in range(1, order + 1)]
    return ([1.0] if kind == "linear" else []) + x


def main():
    for name in E.NAMES:
        head, cert, rows = E.read(name)
        kind, order = head["model"][0], int(head["model"][1])
        x = [[Fraction(v) for v in row(kind, order, r[1:])] for r in rows]
        y = [Fraction(float(r[0])) for r in rows]
        p = len(x[0])
        a = [[sum(v[i] * v[j] for v in x) for j in range(p)] for i in range(p)]
        b = [sum(v[i] * w for v, w in zip(x, y)) for i in range(p)]
        worst = min(E.lre(bk, c) for (_, c), bk in zip(cert, E.solve(a, b)))
        print(f"{name:9s} exact solution on the doubles: min LRE {float(worst):4.1f}")


if __name__ == "__main__":
    main()
