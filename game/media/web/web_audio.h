#pragma once
#include <cstdint>

// The effects (the host sound bank's mixer, panned) and the songs (our
// synthesizer behind the MIDI stream calls) rendered together, 16-bit stereo
// at 22050 Hz, and handed to the page's Web Audio at every frame wait. The
// page starts its sound at the first key or click, as browsers ask; until
// then, and on a replay's driven clock, the time that passed is rendered.

void StartWebAudio();
void FeedWebAudio();
constexpr int32_t WebAudioRate = 22050;
// A frame and a half ahead, and the page learns what was played only every
// few milliseconds.
constexpr int32_t WebQueueFrames = WebAudioRate * 140 / 1000;
