// The sound device and the four buffers, 0 where there are none. Written
// only by the procedures of sound/.
#pragma once

namespace zenko {

struct SoundHandles {
    int SoundDevice = 0;
    int SoundOther = 0, SoundForbidden = 0, SoundPiece = 0, SoundBgm = 0;
};

}  // namespace zenko
