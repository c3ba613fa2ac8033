#!/usr/bin/env bash
# tools/fuzz.sh TARGET SECONDS: runs one libFuzzer target (designfile, setargs,
# updatelist or markers) for SECONDS, niced, from its committed seed corpus.
# Builds it first in build-fuzz/ with clang and -DTF_FUZZ=ON (address and
# undefined-behaviour sanitizers). New inputs go to build-fuzz/corpus/TARGET;
# a crashing input is written to build-fuzz/ as crash-* (add it to
# fuzz/corpus/TARGET once fixed, so the replay test keeps it).
set -euo pipefail

target=${1:-}
seconds=${2:-}
case "$target" in
  designfile|updatelist|markers|setargs) ;;
  *) echo "usage: $0 designfile|updatelist|markers|setargs SECONDS" >&2; exit 2 ;;
esac
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 $target SECONDS" >&2
  exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TICKFORGE_FUZZ_BUILD_DIR:-$root/build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTF_FUZZ=ON "${launcher[@]}" >/dev/null
nice -n 10 cmake --build "$build" -j"$(nproc)" --target "fuzz_$target"

mkdir -p "$build/corpus/$target"
cd "$build"
# UBSan reports end the run like a crash; leaks are reported at exit.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec nice -n 10 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -timeout=10 -rss_limit_mb=2048 "$build/corpus/$target" "$root/fuzz/corpus/$target"
