#!/usr/bin/env bash
# tools/fuzz/run.sh [--seconds N | --runs N] [NAME...]
#
# Builds the libFuzzer targets with clang in build/fuzz (configured when
# missing) and fuzzes each named target, or every target, in turn: NAME's
# corpus is build/fuzz/tools/fuzz/corpus/NAME (what it found is kept there),
# seeded from the folder its fragment names. A crash is written as
# build/fuzz/NAME-crash-*; pass that file alone to the target to replay it.
# Prints "fuzz NAME: ok" or "fuzz NAME: FAILED" per target and ends non-zero
# when any target failed to build, crashed or took longer than
# ZARVEL_FUZZ_TIMEOUT seconds (10) on one input. ZARVEL_JOBS targets (2)
# fuzz at a time, each on one core.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

limit=(-max_total_time=60)
# An input that takes longer than this is a finding (a hang), not a slow run.
timeout=${ZARVEL_FUZZ_TIMEOUT:-10}
names=()
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs)    limit=(-runs="$2"); shift 2 ;;
    -h|--help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *)         names+=("$1"); shift ;;
  esac
done

dir=build/fuzz
# The game's data (seeds of some targets) comes from the host tree's asset
# tool when there is one, as in the other trees.
tools=()
[ -x build/host/bin/make_assets ] && tools=(-DZARVEL_HOST_TOOLS_DIR="$PWD/build/host/bin")
if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZARVEL_FUZZ=ON -DZARVEL_BENCHMARKS=OFF "${tools[@]}" >/dev/null ||
    { echo "fuzz: configure failed"; exit 1; }
fi
if [ ${#names[@]} -eq 0 ]; then targets=(fuzz_all); else targets=("${names[@]}"); fi
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target "${targets[@]}" || { echo "fuzz: build failed"; exit 1; }

# fuzz_one NAME MAX_LEN SEEDS: one target; its verdict into $dir/NAME.verdict.
fuzz_one() {
  local name=$1 max_len=$2 seeds=$3 corpus
  corpus=("$dir/tools/fuzz/corpus/$name")
  [ "$seeds" != "-" ] && [ -d "$seeds" ] && corpus+=("$seeds")
  if "$dir/tools/fuzz/$name" "${limit[@]}" -max_len="$max_len" -timeout="$timeout" \
       -artifact_prefix="$dir/$name-" "${corpus[@]}" >"$dir/$name.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$dir/$name.log" | tail -n1))"
  else
    echo "fuzz $name: FAILED (see $dir/$name.log)"
    tail -n 20 "$dir/$name.log"
  fi >"$dir/$name.verdict"
}

picked=()
while read -r name max_len seeds; do
  [ -n "$name" ] || continue
  if [ ${#names[@]} -gt 0 ] && [[ " ${names[*]} " != *" $name "* ]]; then continue; fi
  while [ "$(jobs -rp | wc -l)" -ge "${ZARVEL_JOBS:-2}" ]; do wait -n; done
  fuzz_one "$name" "$max_len" "$seeds" &
  picked+=("$name")
done < "$dir/tools/fuzz/fuzz_targets.txt"
wait
failed=0
for name in "${picked[@]}"; do
  cat "$dir/$name.verdict"
  grep -q "^fuzz $name: ok" "$dir/$name.verdict" || failed=1
done
exit $failed
