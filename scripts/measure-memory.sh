#!/usr/bin/env bash
# The desktop program's resident memory with a central composite rotatable
# plan of 10 factors (1045 runs, 3 repeats) open, analysed and its report
# shown, on a virtual X server, several runs. The plan is made with the batch
# tool; its responses follow a quadratic with every term well above the
# noise, so the analysis keeps the full model of 66 terms.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
factors=${FACTORS:-10}
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
"$build"/bin/orvan new --builtin ccr --factors "$factors" --repeats 3 -o "$work/plan.mpl" >/dev/null
"$build"/bin/orvan export "$work/plan.mpl" --item code -o "$work/code.txt" >/dev/null
# y = 50 + sum (2 + i/2) x_i - 1.5 x_i^2 + 0.8 x_i x_j, three repeats a run.
tail -n +2 "$work/code.txt" | awk -v k="$factors" '
    BEGIN { srand(7) }
    NF == k {
        y = 50
        for (i = 1; i <= k; ++i) {
            y += (2 + (i - 1) / 2) * $i - 1.5 * $i * $i
            for (j = i + 1; j <= k; ++j) y += 0.8 * $i * $j
        }
        for (r = 1; r <= 3; ++r) printf "%.6f%s", y + (rand() - 0.5) * 0.1, (r < 3 ? " " : "\n")
    }' >"$work/y.txt"
"$build"/bin/orvan set "$work/plan.mpl" --responses "$work/y.txt" >/dev/null
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb ORVAN32_MEMORY_PROBE=1 ORVAN32_HOME=$work
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    for i in $(seq '"$runs"'); do
        echo "run $i: $('"$build"'/bin/orvan32 '"$work/plan.mpl"' | sed -n "s/^memory //p")"
    done'
