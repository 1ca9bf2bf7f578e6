#!/usr/bin/env bash
# Times `orvan statistics` of a rotatable plan of ten factors with three
# repeats (1045 runs, 66 terms, 3135 observations) against statsmodels doing
# the same in one Python process (bench/statsmodels_statistics.py), both as
# whole processes, and prints the ratio. Needs python3-statsmodels.
#
#   scripts/compare-statsmodels.sh [BUILD-FOLDER]
set -euo pipefail

build=${1:-build}
orvan="$build/bin/orvan"
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$orvan" new --builtin ccr --factors 10 --repeats 3 -o "$work/ccr10.mpl" > /dev/null
python3 - "$work/y.txt" <<'PY'
import math, sys
with open(sys.argv[1], "w") as out:
    for i in range(1045):
        out.write(" ".join(f"{100 + i % 17 + 0.01 * math.sin(1.3 * i + 2.9 * j):.6f}"
                           for j in range(3)) + "\n")
PY
"$orvan" set "$work/ccr10.mpl" --responses "$work/y.txt"
"$orvan" export "$work/ccr10.mpl" --item code -o "$work/code.txt"

# Real seconds of a command, its output discarded.
seconds() {
    local TIMEFORMAT=%R
    { time "$@" > /dev/null; } 2>&1
}

runs=()
for _ in 1 2 3 4 5; do
    runs+=("$(seconds "$orvan" statistics "$work/ccr10.mpl" --yes --json)")
done
python=$(seconds /usr/bin/python3 "$here/bench/statsmodels_statistics.py" "$work/code.txt" "$work/y.txt")
python3 - "$python" "${runs[@]}" <<'PY'
import sys
python, best = float(sys.argv[1]), min(float(t) for t in sys.argv[2:])
print(f"orvan statistics (best of 5): {best:.3f} s")
print(f"statsmodels:                  {python:.3f} s")
print(f"ratio:                        {python / best:.0f}")
PY
