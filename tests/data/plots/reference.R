# Reference figures of the residual and effect plots, made with base R and the stats package.
# Run from the repository root:  Rscript tests/data/plots/reference.R
# Writes, in this folder,
#   normal.ref   per sample of externally studentized residuals:
#                  sample <name> y1 ... yn         the residuals as given (NA: not a number)
#                  blom <name> x1 ... xn           qnorm(ppoints(n, a = 3/8)), x of the i-th smallest
#                                                  (n the residuals that are numbers, as qqnorm)
#                  qqline <name> x0 y0 x1 y1       qqline's line at the smallest and largest x
#   effects.ref  the Pareto charts and the half-normal plot of plans in ../statistics, from the
#                figures of their reference files (t of the coefficients, the error term's df,
#                Lenth's effects and margins):
#                  pareto <case> <error> <alpha> <df> <critical t>
#                  bar <name> <|t|> <significant 0/1>              largest |t| first
#                  halfnormal <name> <|effect|> <quantile> <active 0/1>   smallest first
#                  margins <ME> <SME>

dir <- "tests/data/plots"
statistics <- "tests/data/statistics"
num <- function(v) sprintf("%.17g", v + 0)
line <- function(...) paste(c(...), collapse = " ")

# qqline draws its line through abline; given an abline that hands back its arguments, R's own
# qqline says which line it draws (intercept, slope).
qqlineOf <- function(y) {
  q <- qqline
  environment(q) <- list2env(list(abline = function(a, b, ...) c(a, b)),
                             parent = environment(qqline))
  q(y)
}

set.seed(28)
samples <- list(
  single = 0.75,
  five = c(-1.2, 0.3, 2.5, -0.4, 0.9),
  ties = c(0.5, -0.5, 0.5, 1.5, -2, 0.5, -0.5, 3.25),
  eighteen = round(rnorm(18), 4),
  heavy = rt(41, df = 3),
  missing = c(1.2, NA, -0.3, 0.8, NA, -1.5))

out <- character()
for (name in names(samples)) {
  y <- samples[[name]]
  n <- sum(!is.na(y))
  x <- qnorm(ppoints(n, a = 3/8))
  stopifnot(all.equal(ppoints(n, a = 3/8), (seq_len(n) - 3/8) / (n + 1/4)))
  ab <- qqlineOf(y)
  ends <- range(x)
  out <- c(out, line("sample", name, num(y)), line("blom", name, num(x)),
           line("qqline", name, num(c(ends[1], ab[1] + ab[2] * ends[1],
                                      ends[2], ab[1] + ab[2] * ends[2]))))
}
writeLines(out, file.path(dir, "normal.ref"))

readRef <- function(file) strsplit(readLines(file.path(statistics, file)), " ")

out <- character()
for (p in list(list("ccr2-m3", "pure", 0.05), list("ccr2-m3", "residual", 0.01),
               list("ffe4-lenth", "residual", 0.1))) {
  words <- readRef(sprintf("%s-ignore-%s.ref", p[[1]], p[[2]]))
  key <- vapply(words, `[`, "", 1)
  coef <- words[key == "coef" & vapply(words, function(w) w[9] != "NA", TRUE)]
  t <- abs(as.numeric(vapply(coef, `[`, "", 5)))
  names <- vapply(coef, `[`, "", 2)
  source <- if (p[[2]] == "pure") "pureError" else "residual"
  df <- as.integer(Filter(function(w) w[1] == "anova" && w[2] == source, words)[[1]][3])
  critical <- qt(1 - p[[3]] / 2, df)
  out <- c(out, line("pareto", p[[1]], p[[2]], p[[3]], df, num(critical)))
  for (i in order(-t))
    out <- c(out, line("bar", names[i], num(t[i]), as.integer(t[i] > critical)))
}
words <- readRef("ffe4-lenth-ignore-residual.ref")
effects <- Filter(function(w) w[1] == "lenth" && w[2] == "effect", words)
size <- abs(as.numeric(vapply(effects, `[`, "", 4)))
quantile <- qnorm(0.5 + 0.5 * ppoints(length(size), a = 3/8))
rank <- order(size)
for (i in seq_along(rank)) {
  w <- effects[[rank[i]]]
  out <- c(out, line("halfnormal", w[3], num(size[rank[i]]), num(quantile[i]), w[5]))
}
margin <- function(k) as.numeric(Filter(function(w) w[1] == "lenth" && w[2] == k, words)[[1]][3])
out <- c(out, line("margins", num(margin("me")), num(margin("sme"))))
writeLines(out, file.path(dir, "effects.ref"))
