#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What a simulated run sounds like: the effects as the host sound bank
// plays them and the music through the synthesizer, on the simulated clock.

// Puts the sound bank, the music and both host adaptors back to start-up.
void ResetAudio();
// Starts a recording: the sound bank brought up as start-up does.
void BeginAudioCapture();
// At a frame wait: renders the time passed since the last one.
void CaptureAudioFrame();
// Ends the recording; 1 when `file` (16-bit PCM stereo WAVE) was written.
int32_t EndAudioCapture(const std::string& file);
bool AudioCaptureRunning();
// The captured samples so far (stereo, interleaved, 22050 Hz), and the
// same time's music and effects apart, before they were mixed (the effects
// in sample units, unlimited): what DirectSound adds up on Windows.
const std::vector<int16_t>& CapturedAudio();
const std::vector<int16_t>& CapturedMusic();
const std::vector<float>& CapturedEffects();
// A WAVE file image of 16-bit stereo samples.
std::vector<uint8_t> StereoWaveImage(const std::vector<int16_t>& samples, int32_t rate);
