#include "sound/library/ds.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <map>

namespace {

// Mixer layout: the first channels are set aside for music-like buffers (one
// each); the rest are shared by the voices of sound effects.
constexpr int MusicChannels = 4;
constexpr int EffectChannels = 16;
constexpr int OutputRate = 22050;         // the rate of the game's sound files: no resampling at load
constexpr int OutputChunkSamples = 1024;  // about 23 ms: a click is heard at once
// Effects play at half volume: the loudest effect peaks near 85 % of full
// scale, so two of them starting on the same sample (a move and the
// computer's reply) still sum within full scale instead of clipping.
constexpr int EffectVolume = MIX_MAX_VOLUME / 2;

struct Buffer {
    Mix_Chunk* chunk = nullptr;
    int ownChannel = -1;  // music-like buffers only; -1 plays on any free channel
    bool looping = false;
};

struct Library {
    int device = 0;  // the open device, 0 when closed
    int nextDevice = 1;
    int nextBuffer = 1;
    std::map<int, Buffer> buffers;
};

Library& library() {
    static Library instance;
    return instance;
}

Buffer* find_buffer(int handle) {
    if (handle == 0 || library().device == 0) return nullptr;
    auto found = library().buffers.find(handle);
    return found == library().buffers.end() ? nullptr : &found->second;
}

// Lowest music channel no live buffer owns, or -1 when all are taken.
int free_music_channel() {
    bool taken[MusicChannels] = {};
    for (const auto& [handle, buffer] : library().buffers)
        if (buffer.ownChannel >= 0) taken[buffer.ownChannel] = true;
    for (int channel = 0; channel < MusicChannels; ++channel)
        if (!taken[channel]) return channel;
    return -1;
}

void halt_voices(const Buffer& buffer) {
    for (int channel = 0; channel < MusicChannels + EffectChannels; ++channel)
        if (Mix_GetChunk(channel) == buffer.chunk) Mix_HaltChannel(channel);
}

int start(Buffer& buffer, int loops) {
    buffer.looping = loops != 0;
    return Mix_PlayChannel(buffer.ownChannel, buffer.chunk, loops) >= 0 ? 1 : 0;
}

}  // namespace

extern "C" {

int dsInitialize(void* /*window*/) {
    Library& lib = library();
    if (lib.device != 0) return lib.device;
    // The program ends on SIGTERM and SIGINT through its window; SDL would
    // otherwise catch them and queue a quit event nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (Mix_OpenAudio(OutputRate, MIX_DEFAULT_FORMAT, 2, OutputChunkSamples) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(MusicChannels + EffectChannels);
    Mix_ReserveChannels(MusicChannels);
    for (int channel = MusicChannels; channel < MusicChannels + EffectChannels; ++channel)
        Mix_Volume(channel, EffectVolume);
    lib.device = lib.nextDevice++;
    return lib.device;
}

int dsCreateDSB(int device, const unsigned char* bytes, std::size_t size, int flags) {
    Library& lib = library();
    if (device == 0 || device != lib.device) return 0;
    if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return 0;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (stream == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);  // decodes a copy; the bytes may go
    if (chunk == nullptr) return 0;
    Buffer buffer;
    buffer.chunk = chunk;
    if ((flags & DS_FLAG_OVERLAP) == 0) buffer.ownChannel = free_music_channel();
    const int handle = lib.nextBuffer++;
    lib.buffers.emplace(handle, buffer);
    return handle;
}

int dsPlay(int buffer) {
    Buffer* found = find_buffer(buffer);
    return found ? start(*found, 0) : 0;
}

int dsPlayLooping(int buffer) {
    Buffer* found = find_buffer(buffer);
    if (found == nullptr) return 0;
    // Music that is already looping must not jump back to its start.
    if (found->ownChannel >= 0 && found->looping && Mix_Playing(found->ownChannel)) return 1;
    return start(*found, -1);
}

int dsStop(int buffer) {
    Buffer* found = find_buffer(buffer);
    if (found == nullptr) return 0;
    halt_voices(*found);
    found->looping = false;
    return 1;
}

int dsFree(int buffer) {
    Buffer* found = find_buffer(buffer);
    if (found == nullptr) return 0;
    halt_voices(*found);
    Mix_FreeChunk(found->chunk);
    library().buffers.erase(buffer);
    return 1;
}

int dsTerminate(int device) {
    Library& lib = library();
    if (device == 0 || device != lib.device) return 0;
    Mix_HaltChannel(-1);
    for (auto& [handle, buffer] : lib.buffers) Mix_FreeChunk(buffer.chunk);
    lib.buffers.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    lib.device = 0;
    return 1;
}

}  // extern "C"
