#!/usr/bin/python3
"""Reference results of the statistical analysis, computed with statsmodels.

Every design is written out here on its own (factorial core in standard order,
star points, centre), the observations are a known response plus seeded
noise, and the model is fitted by ordinary least squares on all N*m
observations. Run with Debian's interpreter, which has python3-statsmodels:

    /usr/bin/python3 tests/data/analysis/reference.py > tests/data/analysis/reference.txt
"""

import itertools
import platform
import sys

import numpy as np
import scipy
import scipy.stats
import statsmodels
import statsmodels.api as sm
from statsmodels.stats.anova import anova_lm

FFE, CCO, CCR, GENERAL = 0, 1, 2, 3


def factorial_core(k):
    # itertools varies the last position fastest; reversing each tuple makes
    # the first factor alternate fastest (the standard order).
    return [list(reversed(t)) for t in itertools.product((-1.0, 1.0), repeat=k)]


def star_arm(kind, k):
    core = 2.0 ** k
    if kind == CCR:
        return core ** 0.25
    runs = core + 2 * k + 1
    return np.sqrt((np.sqrt(core * runs) - core) / 2)


def central_composite(kind, k):
    alpha = star_arm(kind, k)
    rows = factorial_core(k)
    for j in range(k):
        for sign in (-1.0, 1.0):
            star = [0.0] * k
            star[j] = sign * alpha
            rows.append(star)
    rows.append([0.0] * k)
    return rows


def design(kind, k):
    return factorial_core(k) if kind in (FFE, GENERAL) else central_composite(kind, k)


def terms(kind, k):
    """Model terms as tuples of the factor indices they multiply, in the
    program's order: 1; x1..xk; then xi*xj (i < j) and xi^2 for the
    central composite plans. The general plans here use 1, x1, x2, x1*x2."""
    if kind == GENERAL:
        return [(), (0,), (1,), (0, 1)]
    result = [()] + [(i,) for i in range(k)]
    if kind in (CCO, CCR):
        result += [(i, j) for i in range(k) for j in range(i + 1, k)]
        result += [(i, i) for i in range(k)]
    return result


def basis_row(model, x):
    return [float(np.prod([x[i] for i in term])) for term in model]


def check_designs():
    """The arms give the properties they are named after: the CCO plan is
    orthogonal once the square columns are centred, the CCR plan rotatable."""
    for k in (2, 3):
        x = np.array([basis_row(terms(CCO, k), r) for r in design(CCO, k)])
        x[:, -k:] -= x[:, -k:].mean(axis=0)
        gram = x.T @ x
        assert np.allclose(gram - np.diag(np.diag(gram)), 0.0, atol=1e-12)
        d = np.array(design(CCR, k))
        assert np.isclose((d[:, 0] ** 4).sum(), 3 * ((d[:, 0] * d[:, 1]) ** 2).sum())


class Case:
    def __init__(self, name, kind, k, m, truth, sigma, seed, check=None):
        self.name, self.kind, self.k, self.m = name, kind, k, m
        self.x = design(kind, k)
        self.model = terms(kind, k)
        rng = np.random.default_rng(seed)
        mean = np.array([truth(r) for r in self.x])
        # Observations as they would be written down: three decimals.
        self.y = np.round(mean[:, None] + rng.normal(0.0, sigma, (len(self.x), m)), 3)
        self.check = None
        if check is not None:
            point, n0 = check
            values = truth(point) + rng.normal(0.0, sigma, n0)
            self.check = (list(point), np.round(values, 3))


def pure_error_fit(y):
    """One-way analysis of variance on the run factor: its residual mean
    square is the pure-error variance."""
    n, m = y.shape
    runs = np.repeat(np.arange(n), m)
    dummies = (runs[:, None] == np.arange(n)).astype(float)
    return sm.OLS(y.reshape(-1), dummies).fit()


def analyse(case, columns, pure):
    """OLS on all N*m observations with the chosen basis columns; standard
    errors from the pure-error variance; the lack-of-fit F by anova_lm."""
    n, m = case.y.shape
    basis = np.array([basis_row(case.model, r) for r in case.x])[:, columns]
    exog = np.repeat(basis, m, axis=0)
    endog = case.y.reshape(-1)
    s2 = pure.scale
    fit = sm.OLS(endog, exog).fit(cov_type="fixed scale", cov_kwds={"scale": s2})
    result = {"b": fit.params, "sb": fit.bse, "fit": fit, "basis": basis}
    if len(columns) < n:
        table = anova_lm(sm.OLS(endog, exog).fit(), pure)
        result["F"] = table["F"].iloc[1]
        # The same number from the sums of squares, over the run means.
        means = case.y.mean(axis=1)
        lof = m * ((means - basis @ fit.params) ** 2).sum() / (n - len(columns))
        assert np.isclose(lof / s2, result["F"], rtol=1e-10)
    # s_b over the run-mean basis: sqrt(s2 * C_ii / m), C = (X'X)^-1.
    c = np.linalg.inv(basis.T @ basis)
    assert np.allclose(np.sqrt(s2 * np.diag(c) / m), fit.bse, rtol=1e-10)
    return result


def check_point_t(case, fit, f, s2):
    """t = |mean at the check point - prediction| / sqrt(s2/n0 + var(prediction));
    h = f (X'X)^-1 f' over the run-mean basis = m var(prediction) / s2."""
    point, values = case.check
    prediction = fit.get_prediction(np.array([f]))
    predicted = prediction.predicted_mean[0]
    se = prediction.se_mean[0]
    h = case.m * se * se / s2
    t = abs(values.mean() - predicted) / np.sqrt(s2 / len(values) + se * se)
    return h, t


def g17(v):
    return format(float(v), ".17g")


def write_case(out, case, choice, significant, b, sb, g, s2, f=None, h=None, t=None):
    """One block per case and model-change choice (see README.md): the design,
    the observations, the check point, the expected Student verdicts and the
    results, closed by "end". Indices are 0-based."""
    n, m = case.y.shape
    out.append(f"case {case.name} {case.kind} {case.k} {m} {choice}")
    for i, row in enumerate(case.x):
        for j, v in enumerate(row):
            out.append(f"x {i} {j} {g17(v)}")
    for i in range(n):
        for j in range(m):
            out.append(f"y {i} {j} {case.y[i, j]!r}")
    if case.check is not None:
        point, values = case.check
        for j, v in enumerate(point):
            out.append(f"cpx {j} {g17(v)}")
        for j, v in enumerate(values):
            out.append(f"cpy {j} {v!r}")
    for i, s in enumerate(significant):
        out.append(f"sig {i} {int(s)}")
    for i, v in enumerate(b):
        out.append(f"b {i} {g17(v)}")
    for i, v in sb.items():
        out.append(f"sb {i} {g17(v)}")
    out.append(f"G {g17(g)}")
    out.append(f"s2 {g17(s2)}")
    for key, v in (("F", f), ("h", h), ("t", t)):
        if v is not None:
            out.append(f"{key} {g17(v)}")
    out.append("end")


def run_case(out, case, choices):
    n, m = case.y.shape
    p = len(case.model)
    pure = pure_error_fit(case.y)
    s2 = pure.scale
    variances = case.y.var(axis=1, ddof=1)
    assert np.isclose(s2, variances.mean(), rtol=1e-12)
    g = variances.max() / variances.sum()

    full = analyse(case, list(range(p)), pure)
    tstat = np.abs(full["b"]) / full["sb"]
    significant = tstat >= scipy.stats.t.ppf(0.975, n * (m - 1))
    # Far from the critical value, so that the program's 5 % table (two
    # decimals) gives the same verdicts.
    assert all(v < 1.5 or v > 4.0 for v in tstat), (case.name, tstat)
    kept = [i for i in range(p) if significant[i]]
    f_full = basis_row(case.model, case.check[0]) if case.check else None

    for choice in choices:
        h = t = None
        if choice in ("none", "ignore"):
            assert choice == "ignore" or len(kept) == p
            b = full["b"]
            sb = dict(enumerate(full["sb"]))
            fvalue = full.get("F")
            if case.check:
                h, t = check_point_t(case, full["fit"], f_full, s2)
        elif choice == "zero":
            b = np.where(significant, full["b"], 0.0)
            sb = dict(enumerate(full["sb"]))
            # The zeroed equation is not a least-squares fit: its lack of fit
            # is taken over the run means directly, with N - (significant
            # terms) degrees of freedom.
            means = case.y.mean(axis=1)
            residual = means - full["basis"] @ b
            fvalue = m * (residual ** 2).sum() / (n - len(kept)) / s2
            if case.check:
                zeroed = [v if s else 0.0 for v, s in zip(f_full, significant)]
                h, t = check_point_t(case, full["fit"], zeroed, s2)
        else:  # refit on the significant terms only
            reduced = analyse(case, kept, pure)
            b = np.zeros(p)
            b[kept] = reduced["b"]
            sb = dict(zip(kept, reduced["sb"]))
            fvalue = reduced.get("F")
            if case.check:
                packed = [f_full[i] for i in kept]
                h, t = check_point_t(case, reduced["fit"], packed, s2)
        write_case(out, case, choice, significant, b, sb, g, s2, fvalue, h, t)


def main():
    check_designs()
    cases = [
        # 2^3, model 1, x1..x3; the x1*x2 interaction is the lack of fit.
        (Case("ffe3", FFE, 3, 3,
              lambda x: 10 + 3 * x[0] - 2 * x[1] + 1.5 * x[2] + 0.8 * x[0] * x[1],
              0.5, 3101), ["none"]),
        # Rotatable, k = 3: a full quadratic plus a cubic lack of fit.
        (Case("ccr3", CCR, 3, 3,
              lambda x: 20 + 2 * x[0] - 3 * x[1] + 1.5 * x[2] + 1.2 * x[0] * x[1]
              - 0.9 * x[0] * x[2] + 1.1 * x[1] * x[2] - 2.5 * x[0] ** 2 + 1.8 * x[1] ** 2
              - 1.4 * x[2] ** 2 + 0.4 * x[0] * x[1] * x[2],
              0.3, 3302), ["none"]),
        # Orthogonal, k = 2, m = 2.
        (Case("cco2", CCO, 2, 2,
              lambda x: 5 + 1.5 * x[0] + 2.5 * x[1] - 1.2 * x[0] * x[1]
              + 2.0 * x[0] ** 2 - 1.6 * x[1] ** 2 + 0.3 * x[0] ** 3,
              0.2, 2201), ["none"]),
        # Rotatable, k = 2, m = 3, with x1*x2 and x2^2 absent from the
        # response: both are insignificant. A check point with n0 = 2 repeats.
        (Case("refit", CCR, 2, 3,
              lambda x: 8 + 2 * x[0] - 1.5 * x[1] + 1.2 * x[0] ** 2,
              0.3, 4403, check=((0.5, -0.7), 2)), ["ignore", "zero", "recompute"]),
        # A saturated general plan (2^2 runs, terms 1, x1, x2, x1*x2) is
        # tested at a check point only; n0 = 4 repeats there, m = 3 per run.
        (Case("saturated", GENERAL, 2, 3,
              lambda x: 10 + 3 * x[0] - 2 * x[1] + 1.5 * x[0] * x[1] + 0.6 * x[0] ** 2,
              0.3, 5504, check=((0.3, 0.6), 4)), ["none"]),
    ]
    out = [
        "# Orvanta analysis references: generated by tests/data/analysis/reference.py",
        f"# Python {platform.python_version()}, statsmodels {statsmodels.__version__}, "
        f"numpy {np.__version__}, scipy {scipy.__version__}",
    ]
    for case, choices in cases:
        run_case(out, case, choices)
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
