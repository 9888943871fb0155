#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs the whole test suite: the normal build with
# Qt 5, clang-tidy, the same suite with Qt 6 and under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded fuzzing run of the measurement file reader, the
# package and its checks, the licence headers and the formatting check. Exits non-zero on any
# failure.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
passed=0

run_suite() {
    local name=$1
    shift
    echo "=== $name build"
    cmake -S . -B "build/$name" -DCMAKE_BUILD_TYPE=Debug -DCURVALO_WERROR=ON \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "$@" >/dev/null
    cmake --build "build/$name" --parallel "$jobs"
    echo "=== $name tests"
    local log="build/$name/ctest.log"
    ctest --test-dir "build/$name" --output-on-failure --parallel "$jobs" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] || exit "$status"
    local count
    count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
    passed=$((passed + ${count:-0}))
}

run_suite normal

# clang-tidy reads the normal build's compile commands; any finding fails the run.
echo "=== clang-tidy"
if ! run-clang-tidy -p build/normal -quiet -j "$jobs" "$root/(core|paint|commands|widgets|src|batch)/.*\.cpp\$" \
    >build/normal/clang-tidy.log 2>&1; then
    tail -n 40 build/normal/clang-tidy.log
    echo "clang-tidy failed (build/normal/clang-tidy.log)." >&2
    exit 1
fi
if grep -E '(warning|error):' build/normal/clang-tidy.log; then
    echo "clang-tidy has findings (build/normal/clang-tidy.log)." >&2
    exit 1
fi
passed=$((passed + 1))

# The same code base and suite with Qt 6.
run_suite qt6 -DCURVALO_QT_VERSION=6

export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite sanitize -DCURVALO_SANITIZE=ON

if command -v clang++ >/dev/null 2>&1 && [ -f tests/fuzz/CMakeLists.txt ]; then
    echo "=== fuzzing the measurement file reader"
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
        -DCURVALO_FUZZ=ON -DCURVALO_WERROR=ON >/dev/null
    cmake --build build/fuzz --parallel "$jobs" --target fuzz_measurementfile
    corpus=build/fuzz/corpus
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp tests/fuzz/corpus/* "$corpus/"
    ASAN_OPTIONS=detect_leaks=1 build/fuzz/tests/fuzz/fuzz_measurementfile -max_total_time=60 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus" >build/fuzz/fuzz.log 2>&1 || {
        tail -n 60 build/fuzz/fuzz.log
        echo "The fuzz target found a failure." >&2
        exit 1
    }
    grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' build/fuzz/fuzz.log
    passed=$((passed + 1))
else
    echo "=== clang is not installed: the fuzz target is skipped"
fi

echo "=== package"
# A Release build without the private Qt search path, as a system package has it; cpack makes
# the .deb (dependencies from dpkg-shlibdeps) and the .tar.gz, and the shipped files are
# checked as a distribution would check them.
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DCURVALO_BUILD_TESTS=OFF \
    -DCURVALO_PRIVATE_QT=OFF -DCURVALO_WERROR=ON >/dev/null
cmake --build build/package --parallel "$jobs"
rm -f build/package/curvalo_*.deb build/package/curvalo-*.tar.gz
(cd build/package && cpack -G "DEB;TGZ" >cpack.log 2>&1) || {
    cat build/package/cpack.log
    exit 1
}
deb=$(ls build/package/curvalo_*.deb)
ls build/package/curvalo-*.tar.gz >/dev/null
dpkg-deb -c "$deb" >build/package/contents.txt
for path in ./usr/bin/curvalo ./usr/bin/curvalo-batch ./usr/share/applications/curvalo.desktop \
    ./usr/share/metainfo/io.github.curvalo.Curvalo.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/curvalo.svg ./usr/share/man/man1/curvalo.1.gz \
    ./usr/share/man/man1/curvalo-batch.1.gz ./usr/share/doc/curvalo/copyright \
    ./usr/share/mime/packages/curvalo.xml; do
    grep -q " $path\$" build/package/contents.txt || {
        echo "The package lacks $path." >&2
        exit 1
    }
done
for size in 16 32 48 64 128 256; do
    grep -q " ./usr/share/icons/hicolor/${size}x${size}/apps/curvalo.png\$" \
        build/package/contents.txt || {
        echo "The package lacks the ${size} pixel icon." >&2
        exit 1
    }
done
dpkg-deb -f "$deb" Depends | grep -q libqt5widgets5 || {
    echo "The package's dependencies were not found by dpkg-shlibdeps." >&2
    exit 1
}
desktop-file-validate data/curvalo.desktop
xmllint --noout data/curvalo-mime.xml
appstreamcli validate --no-net --pedantic data/io.github.curvalo.Curvalo.metainfo.xml
lintian --fail-on error "$deb"
passed=$((passed + 1))

echo "=== licence headers"
mapfile -t unlabelled < <(git ls-files '*.cpp' '*.h' '*CMakeLists.txt' '*.cmake' '*.sh' '*.py' \
    | xargs grep -L 'SPDX-License-Identifier: GPL-3.0-or-later' || true)
if [ ${#unlabelled[@]} -gt 0 ]; then
    printf 'No SPDX line: %s\n' "${unlabelled[@]}" >&2
    exit 1
fi
passed=$((passed + 1))

echo "=== formatting"
mapfile -t sources < <(find core paint commands widgets src batch tests bench -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
clang-format --dry-run --Werror "${sources[@]}"
passed=$((passed + 1))

echo "all stages: $passed passed, 0 failed"
