# One stage of tools/capture_mix.sh, run by tests/e2e/run_e2e.sh (not a
# test of its own): tzk.exe under Wine playing into a private PulseAudio
# server's null sink, which paces in real time like a sound card, and
# parec recording the sink's monitor as 16-bit stereo, as a speaker would
# get it. M and Z (fire) are held from the title on, so the ship is
# invulnerable for the whole stage. ZARVEL_CAPTURE_STAGE: a, b or c;
# ZARVEL_CAPTURE_SECONDS: how long; the recording is $WORK/capture.raw.
source "$SRC/tests/e2e/tzk_lib.sh"
stage=${ZARVEL_CAPTURE_STAGE:-a}
seconds=${ZARVEL_CAPTURE_SECONDS:-90}
tzk_folder
cp "$BUILD"/data/*.wav "$BUILD"/data/*.mds "$GAME_DIR"/  # the sounds too, unlike the tests

pulse=$WORK/pulse
mkdir -p "$pulse/state"
export PULSE_RUNTIME_PATH=$pulse PULSE_STATE_PATH=$pulse/state PULSE_SERVER=unix:$pulse/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-native-protocol-unix socket=$pulse/native auth-anonymous=1" \
  --load="module-null-sink sink_name=speaker rate=44100 channels=2" >"$WORK/pulse.log" 2>&1 &
pulse_pid=$!
stop_pulse() { kill "$pulse_pid" 2>/dev/null; wait "$pulse_pid" 2>/dev/null; }
trap stop_pulse EXIT
for i in $(seq 1 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.2
done
pactl info >/dev/null 2>&1 || fail "no PulseAudio server (see $WORK/pulse.log)"
# Wine's PulseAudio driver, instead of the null ALSA device the tests use.
timeout 60 "$WINELOADER" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1 ||
  fail "cannot choose Wine's PulseAudio driver"

pid=$(tzk_start "-$stage")
tzk_wait_window
zd keys --class tzk down:M down:Z
parec -d speaker.monitor --format=s16le --channels=2 --rate=44100 >"$WORK/capture.raw" &
parec_pid=$!
sleep $((seconds + 4))  # and the title's tap and the introduction before the stage
kill "$parec_pid"
wait "$parec_pid" 2>/dev/null
zd keys --class tzk up:Z up:M
tzk_quit "$pid"
[ -s "$WORK/capture.raw" ] || fail "nothing recorded"
