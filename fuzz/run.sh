#!/usr/bin/env bash
# Fuzzes the whole sequence of passes for a while: fuzz/run.sh [seconds] (default 600).
# New inputs are kept in build/fuzz-work/corpus; failing ones land in build/fuzz-work/artifacts and
# belong in tests/fixtures/fuzz once mended.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
cmake --preset asan >/dev/null
cmake --build --preset asan --target modalyx_fuzz >/dev/null
work=$PWD/build/fuzz-work  # absolute: the target works in a scratch folder of its own
mkdir -p "$work/corpus" "$work/artifacts"
exec build/asan/modalyx_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=10 -print_final_stats=1 \
  -dict="$PWD/fuzz/markers.dict" -artifact_prefix="$work/artifacts/" "$work/corpus" "$PWD/fuzz/corpus"
