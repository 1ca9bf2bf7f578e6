# Reference figures of the evaluation of a design for its model, made with base R and the stats
# package. Run from the repository root:  Rscript tests/data/design/reference.R
# Writes evaluation.ref in this folder, per case:
#   case <name> <basis> <region> <m> <alpha> <delta>
#   run x1 ... xk                    every run of the design, coded
#   vif v1 ... vp                    C_jj * sum_i (x_ij - mean_j)^2, NA for the constant
#   rse s1 ... sp                    sqrt(C_jj)
#   leverage h1 ... hN               diag(X C X')
#   efficiency D A G                 100 det(X'X)^(1/p) / N, 100 p / (N tr C), 100 p / (N max h)
#   spv centre max                   N f'Cf at the centre (centroid) and its largest value in the
#                                    region: a fine grid refined by optim
#   power df p1 ... pp               two-sided t test at alpha, ncp = delta / sqrt(C_jj / m)
#   fds q1 ... q19                   for the cube cases only: the 0.05, 0.10, ..., 0.95
#                                    quantiles (type 7) of N f'Cf over 10^5 uniform points

dir <- "tests/data/design"
num <- function(v) ifelse(is.na(v), "NA", sprintf("%.17g", v + 0))
line <- function(...) paste(c(...), collapse = " ")

bases <- list(
  linear3 = function(x) c(1, x[1], x[2], x[3]),
  quadratic2 = function(x) c(1, x[1], x[2], x[1] * x[2], x[1]^2, x[2]^2),
  cubic2 = function(x) c(1, x[1], x[2], x[1]^2, x[1]^3),
  scheffe2 = function(x) c(x[1], x[2], x[3], x[1] * x[2], x[1] * x[3], x[2] * x[3]))

a <- sqrt(2)
cases <- list(
  list(name = "ffe3", basis = "linear3", region = "cube", m = 2, alpha = 0.05, delta = 2,
       design = as.matrix(expand.grid(c(-1, 1), c(-1, 1), c(-1, 1)))),
  list(name = "ccr2", basis = "quadratic2", region = "cube", m = 1, alpha = 0.05, delta = 2,
       design = rbind(as.matrix(expand.grid(c(-1, 1), c(-1, 1))),
                      c(-a, 0), c(a, 0), c(0, -a), c(0, a), matrix(0, 5, 2))),
  list(name = "ccr2-m3", basis = "quadratic2", region = "cube", m = 3, alpha = 0.1, delta = 1.5,
       design = rbind(as.matrix(expand.grid(c(-1, 1), c(-1, 1))),
                      c(-a, 0), c(a, 0), c(0, -a), c(0, a), matrix(0, 1, 2))),
  # Runs crowded at the ends of x1: the variance peaks inside, off any grid.
  list(name = "skew2", basis = "cubic2", region = "cube", m = 1, alpha = 0.05, delta = 2,
       design = as.matrix(expand.grid(c(-1, -0.8, 0.9, 1), c(-1, 1)))),
  list(name = "lattice32", basis = "scheffe2", region = "simplex", m = 2, alpha = 0.05, delta = 2,
       design = rbind(diag(3), c(0.5, 0.5, 0), c(0.5, 0, 0.5), c(0, 0.5, 0.5), rep(1 / 3, 3))))

spvOf <- function(f, C, N) function(x) N * drop(t(f(x)) %*% C %*% f(x))

maxOnCube <- function(spv, k) {
  g <- seq(-1, 1, length.out = if (k == 2) 401 else 41)
  grid <- as.matrix(expand.grid(rep(list(g), k)))
  v <- apply(grid, 1, spv)
  best <- max(v)
  for (i in order(v, decreasing = TRUE)[1:5]) {
    o <- optim(grid[i, ], spv, method = "L-BFGS-B", lower = -1, upper = 1,
               control = list(fnscale = -1))
    best <- max(best, o$value)
  }
  best
}

maxOnSimplex <- function(spv) {
  s <- 300
  best <- -Inf
  for (i in 0:s) for (j in 0:(s - i)) best <- max(best, spv(c(i, j, s - i - j) / s))
  best
}

out <- character()
set.seed(29)
for (cs in cases) {
  f <- bases[[cs$basis]]
  X <- t(apply(cs$design, 1, f))
  N <- nrow(X); p <- ncol(X); k <- ncol(cs$design)
  C <- solve(crossprod(X))
  constant <- which(apply(X, 2, function(col) all(col == 1)))
  vif <- diag(C) * colSums(sweep(X, 2, colMeans(X))^2)
  vif[constant] <- NA
  h <- rowSums((X %*% C) * X)
  spv <- spvOf(f, C, N)
  centre <- if (cs$region == "cube") rep(0, k) else rep(1 / k, k)
  top <- if (cs$region == "cube") maxOnCube(spv, k) else maxOnSimplex(spv)
  df <- if (cs$m > 1) N * (cs$m - 1) else N - p
  t <- qt(1 - cs$alpha / 2, df)
  ncp <- cs$delta / sqrt(diag(C) / cs$m)
  power <- 1 - pt(t, df, ncp) + pt(-t, df, ncp)
  out <- c(out, line("case", cs$name, cs$basis, cs$region, cs$m, num(cs$alpha), num(cs$delta)))
  for (i in 1:N) out <- c(out, line("run", num(cs$design[i, ])))
  out <- c(out, line("vif", num(vif)), line("rse", num(sqrt(diag(C)))),
           line("leverage", num(h)),
           line("efficiency", num(100 * det(crossprod(X))^(1 / p) / N),
                num(100 * p / (N * sum(diag(C)))), num(100 * p / (N * max(h)))),
           line("spv", num(spv(centre)), num(top)),
           line("power", df, num(power)))
  if (cs$region == "cube") {
    u <- matrix(runif(1e5 * k, -1, 1), ncol = k)
    Fu <- t(apply(u, 1, f))
    v <- N * rowSums((Fu %*% C) * Fu)
    out <- c(out, line("fds", num(quantile(v, seq(0.05, 0.95, by = 0.05), type = 7))))
  }
}
writeLines(out, file.path(dir, "evaluation.ref"))
