# R's own accuracy on the NIST StRD linear least-squares datasets kept beside this script.
# Run from the repository root:  Rscript tests/data/strd/reference.R > tests/data/strd/r-lre.txt
# For every dataset and coefficient it prints lm's estimate (17 significant digits), the certified
# value and the log relative error LRE = -log10(|estimate - certified| / |certified|), capped at 15
# (an absolute error where the certified value is 0, as the StRD grading does).

dir <- "tests/data/strd"
names <- c("Norris", "Pontius", "NoInt1", "NoInt2", "Longley", "Filip",
           "Wampler1", "Wampler2", "Wampler3", "Wampler4", "Wampler5")

readStrd <- function(path) {
  lines <- readLines(path)
  lines <- lines[!grepl("^#", lines) & nzchar(trimws(lines))]
  fields <- strsplit(trimws(lines), "[ \t]+")
  key <- vapply(fields, `[`, "", 1)
  at <- which(key == "data")
  model <- fields[[which(key == "model")]]
  cert <- fields[key == "certified"]
  columns <- fields[[at]][-1]
  rows <- do.call(rbind, lapply(fields[(at + 1):length(fields)], as.numeric))
  colnames(rows) <- columns
  list(kind = model[2], order = as.integer(model[3]),
       certNames = vapply(cert, `[`, "", 2),
       certText = vapply(cert, `[`, "", 3),
       cert = as.numeric(vapply(cert, `[`, "", 3)),
       certSd = as.numeric(vapply(cert, `[`, "", 4)),
       residualSd = as.numeric(fields[[which(key == "residual-sd")]][2]),
       rSquared = as.numeric(fields[[which(key == "r-squared")]][2]),
       data = as.data.frame(rows))
}

modelFormula <- function(set) {
  rhs <- switch(set$kind,
    "polynomial" = paste(c("x", if (set$order > 1) sprintf("I(x^%d)", 2:set$order)), collapse = " + "),
    "linear" = paste(sprintf("x%d", seq_len(set$order)), collapse = " + "),
    "nointercept-linear" = paste(c("0", if (set$order == 1) "x" else sprintf("x%d", seq_len(set$order))),
                                 collapse = " + "),
    stop("unknown model kind ", set$kind))
  as.formula(paste("y ~", rhs))
}

lre <- function(got, want) {
  if (is.na(got)) return(NA_real_)
  if (got == want) return(Inf)
  err <- if (want == 0) abs(got) else abs(got - want) / abs(want)
  min(15, -log10(err))
}

lreText <- function(v) {
  if (is.na(v)) "NA" else if (is.infinite(v)) "exact" else sprintf("%.1f", v)
}

report <- function(name, set, fit, label) {
  est <- coef(fit)
  # Wampler1 and Wampler2 fit exactly; summary.lm's warning about that says nothing new here.
  s <- suppressWarnings(summary(fit))
  cat(sprintf("\n%s  lm(%s%s)\n", name, paste(deparse(modelFormula(set), width.cutoff = 500L), collapse = ""), label))
  if (any(is.na(est)))
    cat(sprintf("  dropped as singular: %s\n", paste(names(est)[is.na(est)], collapse = ", ")))
  cat(sprintf("  %-4s %-26s %-24s %s\n", "term", "estimate", "certified", "LRE"))
  values <- numeric(0)
  for (i in seq_along(set$cert)) {
    v <- lre(unname(est[i]), set$cert[i])
    values <- c(values, v)
    cat(sprintf("  %-4s %-26s %-24s %s\n", set$certNames[i],
                if (is.na(est[i])) "NA" else sprintf("%.17g", est[i]),
                set$certText[i], lreText(v)))
  }
  sdLre <- lre(s$sigma, set$residualSd)
  r2Lre <- lre(s$r.squared, set$rSquared)
  cat(sprintf("  residual sd %.17g (certified %s) LRE %s\n", s$sigma,
              format(set$residualSd, digits = 15), lreText(sdLre)))
  cat(sprintf("  r-squared   %.17g (certified %s) LRE %s\n", s$r.squared,
              format(set$rSquared, digits = 15), lreText(r2Lre)))
  finite <- values[!is.na(values)]
  minimum <- if (length(finite) < length(values)) NA else min(finite)
  cat(sprintf("  minimum coefficient LRE: %s\n", lreText(minimum)))
  minimum
}

cat(R.version.string, "\n", sep = "")
cat(sprintf("platform %s; BLAS %s\n", R.version$platform, extSoftVersion()[["BLAS"]]))
summaryRows <- character(0)
for (name in names) {
  set <- readStrd(file.path(dir, paste0(name, ".txt")))
  f <- modelFormula(set)
  m <- report(name, set, lm(f, data = set$data), "")
  row <- sprintf("%-9s %s", name, lreText(m))
  if (is.na(m)) {
    m2 <- report(name, set, lm(f, data = set$data, tol = 1e-10), ", tol = 1e-10")
    row <- sprintf("%-9s NA (singular at the default tol = 1e-7); %s with tol = 1e-10", name, lreText(m2))
  }
  summaryRows <- c(summaryRows, row)
}
cat("\nMinimum coefficient LRE per dataset (lm, default tolerance unless noted)\n")
cat(paste0("  ", summaryRows, "\n"), sep = "")
