#!/usr/bin/env bash
# Bounded libFuzzer run: fuzz-run.sh TARGET SEED_CORPUS SECONDS
# Works on a scratch copy of the seeds; exits non-zero on any crash, leak or timeout.
set -euo pipefail
target=$1 seeds=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
[ -d "$seeds" ] && cp -r "$seeds"/. "$work/corpus/"
cd "$work"
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus 2>&1 | tail -n 25
