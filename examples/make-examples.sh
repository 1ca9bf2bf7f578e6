#!/usr/bin/env bash
# Rebuilds the example plans (*.mpl) from their response tables with the
# batch tool. Run from the repository root after a build:
#   examples/make-examples.sh [path/to/orvan]
set -euo pipefail
orvan=${1:-build/bin/orvan}
cd "$(dirname "$0")"
case $orvan in /*) ;; *) orvan=$OLDPWD/$orvan ;; esac

# 2^3 full factorial, three repeats: yield of a catalytic reaction.
"$orvan" new --builtin ffe --factors 3 --repeats 3 -o ffe23-yield.mpl
"$orvan" set ffe23-yield.mpl --responses ffe23-yield.txt \
    --levels 150,60,2 --intervals 10,15,0.5 \
    --names "Температура, °C;Время, мин;Катализатор, %" --response-name "Выход, %"

# Rotatable central composite design for two factors, two repeats:
# strength of a glued joint.
"$orvan" new --builtin ccr --factors 2 --repeats 2 -o ccr2-strength.mpl
"$orvan" set ccr2-strength.mpl --responses ccr2-strength.txt \
    --levels 120,40 --intervals 15,10 \
    --names "Температура отверждения, °C;Время отверждения, мин" \
    --response-name "Прочность на сдвиг, МПа"

# Simplex lattice {3,2} with the quadratic Scheffé polynomial (saturated:
# six runs, six terms), adequacy checked at the centroid.
"$orvan" new --generator "Симплекс-решетчатый план {3,2}" --repeats 2 -o simplex32-blend.mpl
"$orvan" set simplex32-blend.mpl --responses simplex32-blend.txt \
    --names "Полиэтилен;Полипропилен;Сополимер" --response-name "Ударная вязкость, кДж/м²" \
    --check-point 0.333333333333333,0.333333333333333,0.333333333333333 \
    --check-responses 26.6,27.3,27.0

# One factor, seven uniform levels, the linear-plus-exponential model:
# moisture removed by drying against the air temperature.
"$orvan" new --generator "Равномерный план одного фактора, 7 точек" --repeats 2 \
    -o exp1-drying.mpl
"$orvan" set exp1-drying.mpl --responses exp1-drying.txt --levels 60 --intervals 20 \
    --names "Температура воздуха, °C" --response-name "Удалено влаги, г"

# Saturated half fraction 2^(3-1) with the linear model (four runs, four
# terms), adequacy checked at the centre.
"$orvan" new --generator "Дробный факторный эксперимент 2^(3-1)" --repeats 2 \
    -o saturated-frac3-hardness.mpl
"$orvan" set saturated-frac3-hardness.mpl --responses saturated-frac3-hardness.txt \
    --levels 850,30,0.4 --intervals 30,10,0.1 \
    --names "Температура закалки, °C;Выдержка, мин;Углерод, %" \
    --response-name "Твердость, HRC" \
    --check-point 0,0,0 --check-responses 40.3,39.8,40.1

# Unreplicated 2^4 full factorial with the pairwise-interaction model: a
# screening experiment whose active effects Lenth's method finds.
"$orvan" new --generator "Полный факторный эксперимент 2^4" \
    --model "Линейная модель с парными взаимодействиями, k = 4" --repeats 1 \
    -o ffe24-screening.mpl
"$orvan" set ffe24-screening.mpl --responses ffe24-screening.txt \
    --levels 80,1.5,300,10 --intervals 10,0.5,100,2 \
    --names "Температура, °C;Давление, МПа;Скорость мешалки, об/мин;Концентрация, %" \
    --response-name "Конверсия, %"
