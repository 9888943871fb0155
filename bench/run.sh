#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in Release and prints, for every figure, the median, the minimum and
# the ratio against a baseline measured in the same run. Usage: bash bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test >/dev/null
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DCURVALO_BUILD_BENCH=ON \
    -DCURVALO_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --parallel 2 --target bench_paint bench_evaluation bench_load bench_actions \
    bench_startup >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in bench_actions bench_paint bench_evaluation bench_load bench_startup; do
    echo "== ${bench}"
    build/bench/bench/"${bench}" Ratios 2>&1 | sed -n 's/^QINFO *: [A-Za-z_]*::Ratios() //p'
done
