// The game's SoundLibrary interface on top of the ds* functions of ds.h.
#pragma once

#include "ui/platform.h"

namespace zenko {

class DsSoundLibrary : public SoundLibrary {
public:
    int dsInitialize(void* window) override;
    int dsCreateDSB(int device, const std::vector<unsigned char>& fileBytes, int flags) override;
    int dsPlay(int buffer) override;
    int dsPlayLooping(int buffer) override;
    int dsStop(int buffer) override;
    int dsFree(int buffer) override;
    int dsTerminate(int device) override;
};

}  // namespace zenko
