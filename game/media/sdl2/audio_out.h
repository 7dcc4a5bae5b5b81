#pragma once
#include <cstdint>
#include <vector>

// The effects (the host sound bank's mixer) and the songs (our synthesizer
// behind the MIDI stream calls) rendered together into one SDL audio
// stream, 16-bit stereo at 22050 Hz. The game thread feeds it at every
// frame wait; the device plays from the queue.

// 1 when a device opened; without one the game plays on in silence.
int32_t OpenAudioOut();
void CloseAudioOut();
// At a frame wait: renders what the clock asks for and queues it.
void FeedAudio();
// Feeds that found the device's queue run dry (a gap in the sound),
// counted after the first.
int64_t AudioUnderruns();
// Keeps every sample fed from now on (tests, --audio).
void RecordAudioOut(bool on);
const std::vector<int16_t>& RecordedAudioOut();

// Frames to render at a feed. Driven clock: the milliseconds passed, as
// the simulator's recording counts them (`owed` carries the fraction).
// Live: what tops the device's queue up to `target` frames.
int32_t DrivenFeedFrames(uint32_t elapsedMilliseconds, double& owed);
int32_t LiveFeedFrames(int32_t queuedFrames, int32_t target);
constexpr int32_t AudioRate = 22050;
constexpr int32_t LiveQueueFrames = AudioRate * 110 / 1000;  // a frame and a half ahead
