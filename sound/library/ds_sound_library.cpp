#include "sound/library/ds_sound_library.h"

#include "sound/library/ds.h"

namespace zenko {

int DsSoundLibrary::dsInitialize(void* window) { return ::dsInitialize(window); }

int DsSoundLibrary::dsCreateDSB(int device, const std::vector<unsigned char>& fileBytes, int flags) {
    return ::dsCreateDSB(device, fileBytes.data(), fileBytes.size(), flags);
}

int DsSoundLibrary::dsPlay(int buffer) { return ::dsPlay(buffer); }
int DsSoundLibrary::dsPlayLooping(int buffer) { return ::dsPlayLooping(buffer); }
int DsSoundLibrary::dsStop(int buffer) { return ::dsStop(buffer); }
int DsSoundLibrary::dsFree(int buffer) { return ::dsFree(buffer); }
int DsSoundLibrary::dsTerminate(int device) { return ::dsTerminate(device); }

}  // namespace zenko
