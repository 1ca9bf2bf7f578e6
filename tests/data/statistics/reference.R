# Reference statistics of the plans kept beside this script, computed with base R and the stats
# package. Run from the repository root:  Rscript tests/data/statistics/reference.R
# It reads every <case>.txt (written by make-cases.sh), computes each variant listed in `variants`
# below by the definitions of README.md, checks every figure that R's own functions also give
# (lm, anova, drop1, summary.lm, confint, hatvalues, rstandard, rstudent, cooks.distance) and
# the program's coefficients, and writes <case>-<insignificant>-<error>.ref and quantiles.ref.
# Any disagreement stops the script.

dir <- "tests/data/statistics"
alpha <- 0.05

variants <- list(
  list(case = "ffe3-m2", insignificant = "ignore", error = c("pure", "residual")),
  list(case = "ccr2-m3", insignificant = "ignore", error = c("pure", "residual")),
  list(case = "cco3-refit", insignificant = "refit", error = "pure"),
  list(case = "ffe4-lenth", insignificant = "ignore", error = "residual"),
  list(case = "bb3-custom", insignificant = "ignore", error = c("pure", "residual")),
  list(case = "ffe2-first-order", insignificant = "ignore", error = "pure"),
  list(case = "ridge-3x3", insignificant = "ignore", error = "residual"),
  list(case = "noconst", insignificant = "ignore", error = "residual"),
  list(case = "saturated-frac3", insignificant = "ignore", error = "residual"))

num <- function(v) {
  v <- v + 0  # no negative zero in the output
  ifelse(is.na(v), "NA", sprintf("%.17g", v))
}
line <- function(...) paste(c(...), collapse = " ")
# An input (alpha, a df, a statistic) in its shortest form that reads back exactly.
arg <- function(v) vapply(v, function(x) {
  for (d in 15:17) if (as.numeric(sprintf("%.*g", d, x)) == x) return(sprintf("%.*g", d, x))
}, "")

same <- function(what, got, want, tol = 1e-11) {
  stopifnot(length(got) == length(want))
  scale <- pmax(abs(want), 1e-300)
  bad <- !(is.na(got) & is.na(want)) & (is.na(got) | is.na(want) | abs(got - want) > tol * scale)
  if (any(bad))
    stop(sprintf("%s: %s differs from %s", what, num(got[bad][1]), num(want[bad][1])))
}

readCase <- function(name) {
  lines <- readLines(file.path(dir, paste0(name, ".txt")))
  fields <- strsplit(trimws(lines), "[ \t]+")
  key <- vapply(fields, `[`, "", 1)
  value <- function(k) fields[[which(key == k)]][-1]
  numbers <- function(k) suppressWarnings(as.numeric(value(k)))
  k <- as.integer(value("factors")); N <- as.integer(value("runs")); m <- as.integer(value("repeats"))
  block <- function(k, rows) {
    at <- which(key == k)
    do.call(rbind, lapply(fields[at + seq_len(rows)], as.numeric))
  }
  list(name = name, k = k, N = N, m = m, terms = value("terms"),
       levels = numbers("levels"), intervals = numbers("intervals"),
       code = block("code", N), y = block("responses", N),
       program = lapply(c(ignore = "ignore", refit = "refit"), function(v)
         list(significant = numbers(paste0("program-", v, "-significant")) == 1,
              value = numbers(paste0("program-", v, "-value")),
              stdError = numbers(paste0("program-", v, "-stderror")))))
}

# The powers of x1..xk in a coefficient's label: "B0"/"b0" the constant, "B2" x2, "B13" x1*x3,
# "B22" x2^2 (one digit per factor; the cases have k <= 9).
termPowers <- function(label, k) {
  digits <- sub("^[Bb]", "", label)
  stopifnot(grepl("^[0-9]+$", digits))
  powers <- integer(k)
  if (digits != "0")
    for (d in as.integer(strsplit(digits, "")[[1]])) powers[d] <- powers[d] + 1L
  powers
}

basis <- function(x, powers) {
  x <- matrix(x, ncol = ncol(powers))
  apply(powers, 1, function(e) apply(x, 1, function(r) prod(r^e)))
}

# Analysis of variance, fit, coefficients and diagnostics of one variant.
fitStatistics <- function(cs, insignificant, error) {
  k <- cs$k; N <- cs$N; m <- cs$m; n <- N * m
  keep <- if (insignificant == "refit") cs$program$refit$significant else rep(TRUE, length(cs$terms))
  labels <- cs$terms[keep]
  powers <- t(vapply(labels, termPowers, integer(k), k = k))
  f <- basis(cs$code, powers)
  p <- ncol(f)
  constant <- which(rowSums(powers) == 0)
  hasConstant <- length(constant) == 1

  C <- solve(crossprod(f))
  ybar <- rowMeans(cs$y)
  b <- drop(C %*% crossprod(f, ybar))
  run <- rep(seq_len(N), each = m)
  rep_ <- rep(seq_len(m), N)
  y <- as.vector(t(cs$y))

  # lm on all n observations, the constant as R's intercept so that summary.lm centres.
  columns <- paste0("t", seq_len(p))
  frame <- data.frame(y = y, f[run, , drop = FALSE])
  names(frame) <- c("y", columns)
  rhs <- paste(c(if (!hasConstant) "0", columns[setdiff(seq_len(p), constant)]), collapse = " + ")
  if (rhs == "") rhs <- "1"
  fit <- lm(as.formula(paste("y ~", rhs)), data = frame)
  lmCoef <- coef(fit)
  lmCoef <- if (hasConstant) c(lmCoef[1], lmCoef[-1])[order(c(constant, setdiff(seq_len(p), constant)))] else lmCoef
  same(paste(cs$name, "lm coefficients"), unname(lmCoef), b, 1e-10)
  program <- cs$program[[insignificant]]
  same(paste(cs$name, "program coefficients"), program$value[keep], b, 1e-12)
  if (insignificant == "refit") stopifnot(all(program$value[!keep] == 0))

  yhat <- drop(f %*% b)
  fitted <- yhat[run]
  e <- y - fitted
  same(paste(cs$name, "fitted"), unname(fitted(fit)), fitted)

  ssTot <- if (hasConstant) sum((y - mean(y))^2) else sum(y^2)
  dfTot <- if (hasConstant) n - 1 else n
  ssRes <- sum(e^2); dfRes <- n - p
  ssPe <- sum((cs$y - ybar)^2); dfPe <- N * (m - 1)
  ssLof <- m * sum((ybar - yhat)^2); dfLof <- N - p
  ssModel <- if (hasConstant) sum((fitted - mean(y))^2) else sum(fitted^2)
  dfModel <- if (hasConstant) p - 1 else p
  same(paste(cs$name, "SS decomposition"), ssModel + ssRes, ssTot, 1e-10)
  same(paste(cs$name, "residual = lack of fit + pure error"), ssLof + ssPe, ssRes, 1e-10)

  if (error == "pure") {
    stopifnot(m > 1)
    msE <- ssPe / dfPe; dfE <- dfPe
  } else {
    msE <- ssRes / dfRes; dfE <- dfRes
  }
  fTest <- function(ms, df) {
    if (df == 0) return(c(NA, NA))
    F <- ms / msE
    c(F, pf(F, df, dfE, lower.tail = FALSE))
  }

  rows <- list()
  row <- function(source, df, ss, ms, fp) rows[[length(rows) + 1]] <<- list(source, df, ss, ms, fp)
  msModel <- ssModel / dfModel
  row("model", dfModel, ssModel, msModel, fTest(msModel, dfModel))
  termSs <- m * b^2 / diag(C)
  dropped <- drop1(fit)
  for (t in setdiff(seq_len(p), constant)) {
    same(paste(cs$name, labels[t], "partial SS"), dropped[columns[t], "Sum of Sq"], termSs[t], 1e-9)
    row(labels[t], 1, termSs[t], termSs[t], fTest(termSs[t], 1))
  }
  row("residual", dfRes, ssRes, ssRes / dfRes, c(NA, NA))
  if (dfLof > 0) {
    msLof <- ssLof / dfLof
    lofF <- if (m > 1) c(msLof / (ssPe / dfPe), pf(msLof / (ssPe / dfPe), dfLof, dfPe, lower.tail = FALSE)) else c(NA, NA)
    if (m > 1) {
      oneWay <- lm(y ~ factor(run))
      a <- anova(fit, oneWay)
      same(paste(cs$name, "lack-of-fit F"), a$F[2], lofF[1], 1e-9)
      same(paste(cs$name, "lack-of-fit p"), a[["Pr(>F)"]][2], lofF[2], 1e-9)
    }
    row("lackOfFit", dfLof, ssLof, msLof, lofF)
  }
  if (m > 1) row("pureError", dfPe, ssPe, ssPe / dfPe, c(NA, NA))
  row("total", dfTot, ssTot, NA, c(NA, NA))

  s <- sqrt(ssRes / dfRes)
  h <- rowSums((f %*% C) * f)[run] / m
  same(paste(cs$name, "leverage"), unname(hatvalues(fit)), h)
  press <- sum((e / (1 - h))^2)
  fitStats <- c(rSquared = 1 - ssRes / ssTot,
                adjRSquared = 1 - (ssRes / dfRes) / (ssTot / dfTot),
                predRSquared = 1 - press / ssTot,
                press = press, rootMse = s, mean = mean(y), cvPercent = 100 * s / mean(y))
  sm <- summary(fit)
  same(paste(cs$name, "R2"), sm$r.squared, fitStats[["rSquared"]])
  same(paste(cs$name, "adjusted R2"), sm$adj.r.squared, fitStats[["adjRSquared"]])
  same(paste(cs$name, "s"), sm$sigma, s)
  if (error == "residual" && dfModel > 0 && !is.null(sm$fstatistic))
    same(paste(cs$name, "model F"), unname(sm$fstatistic[1]), rows[[1]][[5]][1], 1e-10)

  sb <- sqrt(msE * diag(C) / m)
  tq <- qt(1 - alpha / 2, dfE)
  tv <- b / sb
  coefs <- data.frame(label = labels, value = b, stdError = sb, t = tv,
                      p = 2 * pt(-abs(tv), dfE), low = b - tq * sb, high = b + tq * sb,
                      vif = vapply(seq_len(p), function(t)
                        if (t %in% constant) NA_real_ else C[t, t] * sum((f[, t] - mean(f[, t]))^2), 0))
  lmOrder <- if (hasConstant) order(c(constant, setdiff(seq_len(p), constant))) else seq_len(p)
  if (error == "residual") {
    same(paste(cs$name, "s_b"), unname(sm$coefficients[lmOrder, 2]), sb, 1e-10)
    same(paste(cs$name, "coefficient p"), unname(sm$coefficients[lmOrder, 4]), coefs$p, 1e-9)
    ci <- confint(fit, level = 1 - alpha)[lmOrder, , drop = FALSE]
    same(paste(cs$name, "confidence interval"), unname(c(ci[, 1], ci[, 2])), c(coefs$low, coefs$high), 1e-10)
  }
  if (m > 1) same(paste(cs$name, "program s_b"), program$stdError[keep], sqrt((ssPe / dfPe) * diag(C) / m), 1e-12)

  r <- e / (s * sqrt(1 - h))
  sLoo <- if (dfRes > 1) sqrt((ssRes - e^2 / (1 - h)) / (dfRes - 1)) else NA
  ext <- e / (sLoo * sqrt(1 - h))
  cook <- r^2 * h / (p * (1 - h))
  same(paste(cs$name, "studentized"), unname(rstandard(fit)), r, 1e-10)
  if (dfRes > 1) same(paste(cs$name, "externally studentized"), unname(rstudent(fit)), ext, 1e-10)
  same(paste(cs$name, "Cook"), unname(cooks.distance(fit)), cook, 1e-10)
  obs <- data.frame(run = run, rep = rep_, actual = y, predicted = fitted, residual = e,
                    leverage = h, studentized = r, external = ext, cook = cook)

  list(labels = labels, powers = powers, b = b, anova = rows, fit = fitStats, coefs = coefs, obs = obs)
}

# Canonical analysis (second-order equation) or the path of steepest ascent (first-order).
surface <- function(cs, st) {
  k <- cs$k
  nonzero <- st$b != 0
  degree <- max(rowSums(st$powers)[nonzero])
  if (any(st$powers[nonzero, ] > 2) || degree > 2) degree <- NA
  at <- function(x) sum(st$b * apply(st$powers, 1, function(e) prod(x^e)))
  natural <- function(x) cs$levels + cs$intervals * x
  out <- character()
  linear <- vapply(seq_len(k), function(i) {
    w <- which(apply(st$powers, 1, function(e) all(e == replace(integer(k), i, 1L))))
    if (length(w)) st$b[w] else 0
  }, 0)
  if (!is.na(degree) && degree == 2) {
    B <- matrix(0, k, k)
    for (t in seq_along(st$b)) {
      e <- st$powers[t, ]
      if (sum(e) != 2) next
      i <- which(e > 0)
      if (length(i) == 1) B[i, i] <- st$b[t] else { B[i[1], i[2]] <- st$b[t] / 2; B[i[2], i[1]] <- st$b[t] / 2 }
    }
    xs <- -0.5 * solve(B, linear)
    eig <- eigen(B, symmetric = TRUE)
    lambda <- eig$values
    vectors <- apply(eig$vectors, 2, function(v) {
      v <- v / sqrt(sum(v^2))
      big <- order(-abs(v))
      if (k > 1 && abs(v[big[1]]) - abs(v[big[2]]) < 1e-6) stop(cs$name, ": eigenvector sign is not settled")
      if (v[big[1]] < 0) -v else v
    })
    stopifnot(length(unique(signif(lambda, 8))) == k)
    kind <- if (any(abs(lambda) < 1e-3 * max(abs(lambda)))) "ridge" else
      if (all(lambda < 0)) "maximum" else if (all(lambda > 0)) "minimum" else "saddle"
    inside <- all(xs >= apply(cs$code, 2, min) & xs <= apply(cs$code, 2, max))
    out <- c(line("canonical stationaryCoded", num(xs)),
             line("canonical stationaryNatural", num(natural(xs))),
             line("canonical predicted", num(at(xs))),
             line("canonical eigenvalues", num(lambda)),
             vapply(seq_len(k), function(j) line("canonical eigenvector", num(vectors[, j])), ""),
             paste("canonical kind", kind),
             paste("canonical inside", tolower(inside)))
  } else {
    out <- "canonical none"
  }
  if (!is.na(degree) && degree == 1) {
    direction <- linear / sqrt(sum(linear^2))
    for (radius in seq(0.5, 3, by = 0.5)) {
      x <- radius * direction
      out <- c(out, line("steepest", num(radius), num(x), num(natural(x)), num(at(x))))
    }
  } else {
    out <- c(out, "steepest none")
  }
  out
}

lenth <- function(cs, st) {
  if (cs$m != 1 || !all(cs$code %in% c(-1, 1))) return("lenth none")
  effect <- rowSums(st$powers) > 0
  c_ <- 2 * st$b[effect]
  s0 <- 1.5 * median(abs(c_))
  pse <- 1.5 * median(abs(c_)[abs(c_) < 2.5 * s0])
  d <- length(c_) / 3
  me <- qt(0.975, d) * pse
  sme <- qt((1 + 0.95^(1 / length(c_))) / 2, d) * pse
  c(paste("lenth pse", num(pse)), paste("lenth me", num(me)), paste("lenth sme", num(sme)),
    sprintf("lenth effect %s %s %d", st$labels[effect], num(c_), as.integer(abs(c_) > me)))
}

writeVariant <- function(cs, insignificant, error) {
  st <- fitStatistics(cs, insignificant, error)
  anova <- vapply(st$anova, function(r)
    line("anova", r[[1]], r[[2]], num(r[[3]]), num(r[[4]]), num(r[[5]])), "")
  out <- c(paste("case", cs$name), paste("insignificant", insignificant), paste("error", error),
           paste("alpha", arg(alpha)), line("terms", st$labels), anova,
           paste("fit", names(st$fit), num(st$fit)),
           with(st$coefs, paste("coef", label, num(value), num(stdError), num(t), num(p),
                                num(low), num(high), num(vif))),
           with(st$obs, paste("obs", run, rep, num(actual), num(predicted), num(residual),
                              num(leverage), num(studentized), num(external), num(cook))),
           surface(cs, st), lenth(cs, st))
  path <- file.path(dir, sprintf("%s-%s-%s.ref", cs$name, insignificant, error))
  writeLines(out, path)
  cat("wrote", path, "\n")
}

for (v in variants) {
  cs <- readCase(v$case)
  for (error in v$error) writeVariant(cs, v$insignificant, error)
}

# Exact quantiles and p-values; each quantile is checked against its distribution function.
backTo <- function(what, tail, want) same(what, tail, want, 1e-12)
alphas <- c(0.01, 0.05, 0.1)
dfs <- c(1:5, 10, 30, 120)
q <- character()
for (a in alphas) for (f in dfs) {
  v <- qt(1 - a / 2, f)
  backTo(paste("t", a, f), pt(v, f, lower.tail = FALSE), a / 2)
  q <- c(q, line("student", arg(a), f, num(v)))
}
for (a in alphas) for (f1 in dfs) for (f2 in dfs) {
  v <- qf(1 - a, f1, f2)
  backTo(paste("F", a, f1, f2), pf(v, f1, f2, lower.tail = FALSE), a)
  q <- c(q, line("fisher", arg(a), f1, f2, num(v)))
}
for (a in alphas) for (N in c(2, 3, 4, 8, 9, 15, 16, 27)) for (f in c(1:5, 10)) {
  v <- qf(1 - a / N, f, (N - 1) * f)
  backTo(paste("Cochran F", a, N, f), pf(v, f, (N - 1) * f, lower.tail = FALSE), a / N)
  q <- c(q, line("cochran", arg(a), N, f, num(1 / (1 + (N - 1) / v))))
}
for (t in c(0.1, 0.5, 1, 2, 2.5, 4, 10)) for (f in c(dfs, 10 / 3))
  q <- c(q, line("tp", arg(t), arg(f), num(2 * pt(-t, f))))
for (F in c(0.2, 1, 2.5, 5, 20)) for (f1 in c(1, 2, 5, 10)) for (f2 in c(1, 4, 10, 30, 120))
  q <- c(q, line("fp", arg(F), f1, f2, num(pf(F, f1, f2, lower.tail = FALSE))))
writeLines(q, file.path(dir, "quantiles.ref"))
cat("wrote", file.path(dir, "quantiles.ref"), "\n")
