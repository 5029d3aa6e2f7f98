#!/usr/bin/env bash
# Builds QUILL with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there. Any report fails its test: UBSan
# and ASan stop at the first error, and LeakSanitizer fails a test binary
# that leaks (leaks inside system libraries are listed in
# tests/sanitizers/lsan.supp).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILL_SANITIZE=address,undefined -DQUILL_BUILD_BENCH=OFF >/dev/null
ninja -C build-asan
cd build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
