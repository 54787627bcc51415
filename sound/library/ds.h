// The game's sound library over SDL2_mixer: one audio device, any number of
// buffers made from whole WAV files in memory. C-style functions, as the game
// loads them, named after the sound library the game was written against.
//
// Handles are positive integers and are never reused while the program runs,
// so a freed buffer or a closed device stays unknown for good. Handle 0, and
// any unknown handle, makes every function a silent no-op that returns 0.
//
// Buffer flags (dsCreateDSB):
//   DS_FLAG_EFFECT (3): a sound effect. Each dsPlay starts a new voice on a
//       free mixer channel, so quick repeats overlap instead of cutting off.
//   DS_FLAG_MUSIC (1): a music-like buffer. It owns one mixer channel of its
//       own: starting it again restarts it, and it never overlaps itself.
//   Bit 1 (value 2) is what selects overlapping voices; bit 0 is accepted and
//   has no further meaning (every buffer is decoded into memory at once).
#pragma once

#include <cstddef>

#include "sound/sound_flags.h"

extern "C" {

// Opens the audio device. Returns a device handle > 0, or 0 when no audio
// device can be opened. While a device is open, calling it again returns the
// same handle. The window is not needed by this back end.
int dsInitialize(void* window);

// Makes a buffer from the whole bytes of a WAV file on the given device.
// Returns a buffer handle > 0, or 0 when the device is unknown, the bytes are
// missing or do not decode as a WAV file.
int dsCreateDSB(int device, const unsigned char* bytes, std::size_t size, int flags);

// Plays the buffer once. Returns 1 when it started, 0 otherwise.
int dsPlay(int buffer);

// Plays the buffer in an endless loop. A music buffer that is already looping
// goes on undisturbed. Returns 1 when it is looping, 0 otherwise.
int dsPlayLooping(int buffer);

// Stops every voice of the buffer. Returns 1 for a known buffer, 0 otherwise.
int dsStop(int buffer);

// Stops and releases the buffer; its handle becomes unknown.
int dsFree(int buffer);

// Releases every buffer still held and closes the device.
int dsTerminate(int device);

}  // extern "C"
