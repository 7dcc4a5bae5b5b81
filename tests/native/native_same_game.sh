#!/usr/bin/env bash
# The native program plays the simulator's game: the same key script and
# seed give the same state fingerprint at every frame wait through a whole
# stage (cleared by the map at frame 4447), and the samples fed to the audio
# device are those of tzk-sim --audio on the driven clock.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Fly, change arms, bomb, pause and resume, quit after the stage is cleared.
cat >"$work/fight.txt" <<'KEYS'
0 fire M
200 fire up M
260 fire M weapon
400 fire down bomb M
420 pause
424 pause
425 fire right M weapon
700 fire left M
800 fire M weapon
KEYS
args=(--stage 2 --seed 12345 --keys "$work/fight.txt" --frames 4620)
"$build/tzk-sim" "${args[@]}" --hash >"$work/sim.txt"
grep -q '^clear stage=2 frame=[0-9]* by=map' "$work/sim.txt" || fail "the simulator's stage was not cleared: $(tail -2 "$work/sim.txt")"
"$build/zarvel" "${args[@]}" --hash "$work/native.txt" 2>"$work/native.err" ||
  fail "zarvel failed: $(cat "$work/native.err")"
grep '^frame=' "$work/sim.txt" >"$work/sim-hashes.txt"
[ "$(wc -l <"$work/sim-hashes.txt")" -eq 4620 ] || fail "tzk-sim printed $(wc -l <"$work/sim-hashes.txt") hashes"
if ! cmp -s "$work/sim-hashes.txt" "$work/native.txt"; then
  fail "the fingerprints part at $(diff "$work/sim-hashes.txt" "$work/native.txt" | sed -n 2p)"
fi
echo "same fingerprint at all 4620 frame waits"

# Sound: effects, the song, and a pause that stops and resumes it.
printf '0 fire M\n150 fire up M weapon\n300 fire bomb M\n500 pause\n510 pause\n511 fire down M\n' >"$work/sound.txt"
args=(--stage 0 --seed 99 --keys "$work/sound.txt" --frames 900)
"$build/tzk-sim" "${args[@]}" --audio "$work/sim.wav" >/dev/null
"$build/zarvel" "${args[@]}" --audio "$work/native.wav" 2>/dev/null
[ "$(stat -c %s "$work/sim.wav")" -gt 1000000 ] || fail "the simulator's recording is short"
cmp "$work/sim.wav" "$work/native.wav" || fail "the audio path fed other samples than tzk-sim --audio"
echo "same $(($(stat -c %s "$work/sim.wav") / 4)) stereo samples as tzk-sim --audio"

# Damaged or missing data: one clear line and exit 1, no crash, no hang.
mkdir "$work/data"
cp "$build"/data/*.bmp "$build"/data/*.wav "$build"/data/*.mds "$work/data/"
head -c 300 "$build/data/comm_.bmp" >"$work/data/comm_.bmp"
for data in "$work/data" "$work/no-such-folder"; do
  set +e
  timeout 60 "$build/zarvel" --data "$data" --keys "$work/sound.txt" --frames 10 2>"$work/err"
  rc=$?
  set -e
  [ "$rc" -eq 1 ] || fail "data in $data: exit $rc, not 1"
  grep -q '^zarvel: the game could not start' "$work/err" || fail "data in $data: $(cat "$work/err")"
done
echo "a cut bitmap and a missing data folder: one line, exit 1"
