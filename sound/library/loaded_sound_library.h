// The sound library as the game loads it: a shared object of its own that
// brings SDL2_mixer and its codecs along, opened when the device is first
// asked for. The window can so show before any of them is loaded. When the
// library cannot be loaded, no device can be made and every call is a
// silent no-op, as with a missing sound card.
#pragma once

#include <string>
#include <vector>

#include "ui/platform.h"

namespace zenko {

class LoadedSoundLibrary : public SoundLibrary {
public:
    // The places the library may be, tried in order.
    explicit LoadedSoundLibrary(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}
    LoadedSoundLibrary(const LoadedSoundLibrary&) = delete;
    LoadedSoundLibrary& operator=(const LoadedSoundLibrary&) = delete;

    int dsInitialize(void* window) override;
    int dsCreateDSB(int device, const std::vector<unsigned char>& fileBytes, int flags) override;
    int dsPlay(int buffer) override;
    int dsPlayLooping(int buffer) override;
    int dsStop(int buffer) override;
    int dsFree(int buffer) override;
    int dsTerminate(int device) override;

    bool loaded() const { return handle_ != nullptr; }

private:
    bool load();

    std::vector<std::string> candidates_;
    bool tried_ = false;
    void* handle_ = nullptr;  // never closed: the audio thread may run until the end
    int (*initialize_)(void*) = nullptr;
    int (*createBuffer_)(int, const unsigned char*, std::size_t, int) = nullptr;
    int (*playOnce_)(int) = nullptr;
    int (*playLooping_)(int) = nullptr;
    int (*stop_)(int) = nullptr;
    int (*free_)(int) = nullptr;
    int (*terminate_)(int) = nullptr;
};

}  // namespace zenko
