#!/usr/bin/env bash
# Remakes the plans (<case>.mpl) of the statistics references and the text form of their data
# (<case>.txt) that reference.R reads. Run from the repository root after a build:
#   tests/data/statistics/make-cases.sh [path/to/orvan]
# then  Rscript tests/data/statistics/reference.R  to remake the .ref files.
set -euo pipefail
orvan=${1:-build/bin/orvan}
root=$PWD
cd "$(dirname "$0")"
case $orvan in /*) ;; *) orvan=$root/$orvan ;; esac
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The code matrix exactly as the plan file stores it: the record right after the magic and the
# plan-kind byte ("MTID", name length 0, rows, columns, the doubles row by row).
code_of() {
    local plan=$1 rows cols
    [ "$(head -c 9 "$plan" | tail -c 4)" = MTID ] || { echo "$plan: no code matrix" >&2; exit 1; }
    read -r _ rows cols < <(od -A n -t d4 -j 9 -N 12 "$plan")
    od -A n -v -t f8 -w$((8 * cols)) -j 21 -N $((8 * rows * cols)) "$plan" |
        awk '{ $1 = $1; for (c = 1; c <= NF; c++) if ($c == "-0") $c = "0"; print }'
}

# respond CODE M EXPR: one line per run of M observations EXPR(x[1..k], i = run, j = repeat),
# rounded to two decimals (three with digits=3).
respond() {
    awk -v m="$2" -v digits="${3:-2}" "{
        for (c = 1; c <= NF; c++) x[c] = \$c
        i = NR; line = \"\"
        for (j = 1; j <= m; j++) {
            y = $4
            v = sprintf(\"%.\" digits \"f\", y); if (v ~ /^-0\\.0*\$/) v = substr(v, 2)
            line = line (j > 1 ? \" \" : \"\") v
        }
        print line }" "$1"
}

# write_txt CASE RESPONSES LEVELS INTERVALS: the data of the plan for R, with the program's own
# terms, significance and coefficients (after "ignore" and "refit") to check R's fit against.
write_txt() {
    local name=$1 plan=$1.mpl
    "$orvan" analyze "$plan" --json --insignificant ignore > "$work/ignore.json"
    "$orvan" analyze "$plan" --json --insignificant refit > "$work/refit.json"
    code_of "$plan" > "$work/code.txt"
    {
        echo "case $name"
        echo "factors $(head -n 1 "$work/code.txt" | wc -w)"
        echo "runs $(wc -l < "$work/code.txt")"
        echo "repeats $(head -n 1 "$2" | wc -w)"
        echo "terms $(jq -r '[.coefficients[].label] | join(" ")' "$work/ignore.json")"
        echo "levels ${3//,/ }"
        echo "intervals ${4//,/ }"
        for v in ignore refit; do
            echo "program-$v-significant $(jq -r '[.coefficients[].significant | if . then 1 else 0 end] | join(" ")' "$work/$v.json")"
            echo "program-$v-value $(jq -r '[.coefficients[].value] | join(" ")' "$work/$v.json")"
            echo "program-$v-stderror $(jq -r '[.coefficients[].stdError | if . == null then "NA" else . end] | join(" ")' "$work/$v.json")"
        done
        echo "code"
        cat "$work/code.txt"
        echo "responses"
        cat "$2"
    } > "$name.txt"
}

# make_plan CASE LEVELS INTERVALS M EXPR [digits]: set responses from EXPR, levels and intervals
# on CASE.mpl (already created) and write CASE.txt.
make_plan() {
    local name=$1
    code_of "$name.mpl" > "$work/code.txt"
    respond "$work/code.txt" "$4" "${6:-2}" "$5" > "$work/$name.resp"
    "$orvan" set "$name.mpl" --responses "$work/$name.resp" --levels "$2" --intervals "$3" > /dev/null
    write_txt "$name" "$work/$name.resp" "$2" "$3"
}

# 1. Replicated 2^3 with its own first-order model; a little lack of fit from x1*x2.
"$orvan" new --builtin ffe --factors 3 --repeats 2 -o ffe3-m2.mpl > /dev/null
make_plan ffe3-m2 150,60,2 10,15,0.5 2 \
    '50 + 4*x[1] - 3*x[2] + 1.5*x[3] + 0.6*x[1]*x[2] + 0.5*sin(1.3*i + 2.9*j + 0.7)'

# 2. Rotatable central composite k = 2, m = 3: a clear maximum near (0.46, 0.45).
"$orvan" new --builtin ccr --factors 2 --repeats 3 -o ccr2-m3.mpl > /dev/null
make_plan ccr2-m3 120,40 15,10 3 \
    '80 + 3*x[1] + 2*x[2] + 1.5*x[1]*x[2] - 4*x[1]^2 - 3*x[2]^2 + 0.4*sin(1.7*i + 2.3*j + 0.4)'

# 3. Orthogonal central composite k = 3, m = 2; x3 and x1*x3 are absent from the surface, and
#    the noise within the runs is larger than between them, so that B3 and B13 come out
#    insignificant.
"$orvan" new --builtin cco --factors 3 --repeats 2 -o cco3-refit.mpl > /dev/null
make_plan cco3-refit 0,0,0 1,1,1 2 \
    '60 + 5*x[1] - 4*x[2] + 2*x[1]*x[2] + 1.2*x[2]*x[3] - 3*x[1]^2 - 2*x[2]^2 - 2.5*x[3]^2 + 0.2*sin(1.3*i + 0.3) + 0.4*sin(2.3*i*j + 1.1*j)'

# 4. Unreplicated 2^4 with the pairwise-interaction model: effects x1, x2, x3, x1*x3 large.
"$orvan" new --generator "Полный факторный эксперимент 2^4" \
    --model "Линейная модель с парными взаимодействиями, k = 4" --repeats 1 -o ffe4-lenth.mpl > /dev/null
make_plan ffe4-lenth 0,0,0,0 1,1,1,1 1 \
    '70 + 6*x[1] + 2.5*x[2] + 4*x[3] + 0.2*x[4] - 3*x[1]*x[3] + 0.3*sin(1.9*i + 0.5)'

# 5. Box-Behnken k = 3 typed in (12 edge midpoints, 3 centre runs), full quadratic model,
#    m = 2; the surface has a saddle outside the box.
"$orvan" new --custom --factors 3 --runs 15 --model "Полная квадратичная модель, k = 3" \
    --repeats 2 -o bb3-custom.mpl > /dev/null 2>&1
cat > "$work/bb3.code" <<'EOF'
-1 -1 0
1 -1 0
-1 1 0
1 1 0
-1 0 -1
1 0 -1
-1 0 1
1 0 1
0 -1 -1
0 1 -1
0 -1 1
0 1 1
0 0 0
0 0 0
0 0 0
EOF
"$orvan" set bb3-custom.mpl --code "$work/bb3.code" > /dev/null
make_plan bb3-custom 150,60,2 10,15,0.5 2 \
    '50 + 2*x[1] + x[2] - 1.5*x[3] + 0.4*x[1]*x[2] + 0.3*x[1]*x[3] - 0.2*x[2]*x[3] + x[1]^2 - 1.2*x[2]^2 + 0.5*x[3]^2 + 0.25*sin(1.3*i + 2.7*j + 0.9)'

# 6. Replicated 2^2 with the first-order model: the path of steepest ascent.
"$orvan" new --builtin ffe --factors 2 --repeats 2 -o ffe2-first-order.mpl > /dev/null
make_plan ffe2-first-order 100,50 20,10 2 \
    '20 + 3*x[1] + 2*x[2] + 0.3*sin(2.3*i + 1.7*j + 0.2)'

# 7a. Ridge: 3^2 factorial from the standard module, full quadratic, m = 2. The run means are
#     exactly the quadratic below plus 0.05*Q1*Q2 (Q = 3x^2 - 2, orthogonal to the model, so a
#     lack of fit that leaves the coefficients as they are); the repeats are mean +- a deviation.
#     det B = 6 - 4.895^2/4 is nearly 0: eigenvalues about -5 and -0.002.
"$orvan" new --generator "Трехуровневый факторный план 3^2" --repeats 2 -o ridge-3x3.mpl > /dev/null
make_plan ridge-3x3 0,0 1,1 2 \
    '60 + 1.5*x[1] - x[2] + 4.895*x[1]*x[2] - 2*x[1]^2 - 3*x[2]^2 + 0.05*(3*x[1]^2 - 2)*(3*x[2]^2 - 2) + (j == 1 ? 1 : -1)*sprintf("%.3f", 0.2*sin(1.3*i + 0.4))' 3

# 7b. No constant term: a typed-in plan of six runs with the terms x1, x2 only, m = 2.
"$orvan" new --custom --factors 2 --runs 6 --addens x1,x2 --repeats 2 -o noconst.mpl > /dev/null 2>&1
printf '%s\n' '-1 -1' '1 -1' '-1 1' '1 1' '0 0' '1 0' > "$work/noconst.code"
"$orvan" set noconst.mpl --code "$work/noconst.code" > /dev/null
make_plan noconst 0,0 1,1 2 \
    '0.5 + 3*x[1] + 2*x[2] + 0.4*x[1]*x[2] + 0.3*sin(1.1*i + 2.3*j + 0.6)'

# 7c. Saturated: the bundled half fraction 2^(3-1) with the linear model (N = p = 4), m = 2.
"$orvan" new --generator "Дробный факторный эксперимент 2^(3-1)" --repeats 2 \
    -o saturated-frac3.mpl > /dev/null
"$orvan" set saturated-frac3.mpl --responses ../../../examples/saturated-frac3-hardness.txt \
    --levels 850,30,0.4 --intervals 30,10,0.1 \
    --check-point 0,0,0 --check-responses 40.3,39.8,40.1 > /dev/null
write_txt saturated-frac3 ../../../examples/saturated-frac3-hardness.txt 850,30,0.4 30,10,0.1
