#!/usr/bin/env python3
"""The statistics of `orvan statistics` done by statsmodels, for comparison.

Reads a coded design (one run a line) and its responses (one run a line, the
repeats in columns), fits the full quadratic model by OLS on all
observations, tests the lack of fit against the cell-means model with
anova_lm and computes every observation's influence measures (OLSInfluence):
what `orvan statistics PLAN.mpl --json` computes. Prints the seconds of the
work after the imports; scripts/compare-statsmodels.sh times the whole
process.

    python3 bench/statsmodels_statistics.py CODE.txt RESPONSES.txt
(CODE.txt as `orvan export --item code` writes it).
"""
import sys
import time

import numpy as np
import pandas as pd
import statsmodels.api as sm
from statsmodels.stats.anova import anova_lm
from statsmodels.stats.outliers_influence import OLSInfluence


def quadratic_basis(x):
    n, k = x.shape
    columns = [np.ones(n)] + [x[:, i] for i in range(k)]
    columns += [x[:, i] * x[:, j] for i in range(k) for j in range(i + 1, k)]
    columns += [x[:, i] ** 2 for i in range(k)]
    return np.column_stack(columns)


def main():
    # The program's text form of a matrix starts with a header line.
    code = np.loadtxt(sys.argv[1], ndmin=2, skiprows=1)
    y = np.loadtxt(sys.argv[2], ndmin=2)
    runs, repeats = y.shape
    basis = np.repeat(quadratic_basis(code), repeats, axis=0)
    response = y.reshape(-1)
    run = np.repeat(np.arange(runs), repeats)
    fit = sm.OLS(response, basis).fit()
    cells = sm.OLS(response, pd.get_dummies(run).to_numpy(dtype=float)).fit()
    table = anova_lm(fit, cells)
    influence = OLSInfluence(fit)
    measures = (influence.hat_matrix_diag, influence.resid_studentized_internal,
                influence.resid_studentized_external, influence.cooks_distance[0])
    intervals = fit.conf_int()
    return table, measures, intervals, fit.rsquared_adj, fit.pvalues


if __name__ == "__main__":
    start = time.perf_counter()
    main()
    print(f"{time.perf_counter() - start:.3f}")
