#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer and UBSan on) into
# build-fuzz/ and runs each one for SECONDS (default 10) from the seed corpus
# in tests/fuzz/corpus/. Fails when any target finds an input that breaks
# its property; the input is left in build-fuzz/ as crash-*.
#   bash scripts/fuzz.sh            # short runs, as CI does
#   bash scripts/fuzz.sh 300        # five minutes per target
#   bash scripts/fuzz.sh 300 codec  # only the named targets
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(codec linescan keywordtable labelword qfoname linenumber commandline)
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF -DQUILL_BUILD_FUZZ=ON \
    -DQUILL_SANITIZE=address,undefined >/dev/null
ninja -C build-fuzz fuzz_targets

failed=0
passed=0
for name in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the committed seeds stay as they are.
    work="build-fuzz/corpus/$name"
    mkdir -p "$work"
    log="build-fuzz/fuzz_$name.log"
    if (cd build-fuzz && "./tests/fuzz/fuzz_$name" -max_total_time="$seconds" \
            -print_final_stats=1 -rss_limit_mb=4096 "corpus/$name" \
            "../tests/fuzz/corpus/$name") >"$log" 2>&1; then
        runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
        echo "fuzz $name: ${runs:-?} runs in ${seconds} s, no failure"
        passed=$((passed + 1))
    else
        echo "fuzz $name: FAILED (see $log)"
        tail -30 "$log"
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
