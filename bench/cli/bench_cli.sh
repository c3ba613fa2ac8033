#!/bin/sh
# Whole tickforge-cli processes side by side, in one run:
#   generate --check  against  generate        (target: no slower)
#   solve --explain   against  solve           (target: at most twice)
# Usage: bench/cli/bench_cli.sh [path/to/tickforge-cli] [runs]
set -eu
cli=${1:-build/cli/tickforge-cli}
runs=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" new QXC330 -o "$work/board.TFCC"
"$cli" generate "$work/board.TFCC" "$work/out" >/dev/null

generate="$cli generate $work/board.TFCC $work/out --overwrite"
check="$cli generate $work/board.TFCC $work/out --check"
solve="$cli solve QXC330 --hext 8 --sclk 287.3"
explain="$cli solve QXC330 --hext 8 --sclk 287.3 --explain --top 10"

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --warmup 2 --runs "$runs" "$generate" "$check"
    hyperfine --warmup 2 --runs "$runs" "$solve" "$explain"
    exit 0
fi

# Mean wall time of one process in milliseconds.
mean_ms() {
    start=$(date +%s%N)
    i=0
    while [ "$i" -lt "$runs" ]; do
        $1 >/dev/null
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000000))
}

# Interleaved halves so that a busy machine weighs on both sides alike.
half=$((runs / 2))
runs=$half
g1=$(mean_ms "$generate"); c1=$(mean_ms "$check"); s1=$(mean_ms "$solve"); e1=$(mean_ms "$explain")
g2=$(mean_ms "$generate"); c2=$(mean_ms "$check"); s2=$(mean_ms "$solve"); e2=$(mean_ms "$explain")
g=$(((g1 + g2) / 2)); c=$(((c1 + c2) / 2)); s=$(((s1 + s2) / 2)); e=$(((e1 + e2) / 2))
echo "generate          ${g} ms"
echo "generate --check  ${c} ms   (target: <= generate)"
echo "solve             ${s} ms"
echo "solve --explain   ${e} ms   (target: <= 2 x solve = $((2 * s)) ms)"
