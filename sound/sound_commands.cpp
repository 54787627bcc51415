// The window's side of sound: opening the device and the four buffers at
// start-up, and the BGM command.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* kSoundBoxTitle = "ZENKO中国象棋.dll";
constexpr const char* kNoDeviceText = "Direct Soundインターフェースが作成できません。";

// Buffer flags of the sound library: effects are 3, the music 1.
constexpr int kEffectFlags = 3;
constexpr int kMusicFlags = 1;

struct SoundFile {
    int Form1::*handle;
    const char* fileName;  // in the working directory
    int flags;
};

// In the order the buffers are made.
constexpr SoundFile kSoundFiles[] = {
    {&Form1::SoundOther, "その他.wav", kEffectFlags},
    {&Form1::SoundForbidden, "禁止.wav", kEffectFlags},
    {&Form1::SoundPiece, "駒打音.wav", kEffectFlags},
    {&Form1::SoundBgm, "BGM.wav", kMusicFlags},
};

void warn(Dialogs& dialogs, const std::string& text) {
    dialogs.message_box(text, kSoundBoxTitle, Buttons::OK, BoxIcon::Warning);
}

// The whole file's bytes; false with errno set when it cannot be read.
bool read_whole_file(const char* path, std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    int readError = errno;
    std::fclose(file);
    errno = readError;
    return ok;
}

// A buffer for one sound file, or 0 when there is no device, no file, or the
// file cannot be read (the last one is reported; the game goes on silently).
int create_buffer(Form1& form, const SoundFile& sound) {
    std::error_code ignored;
    if (form.SoundDevice == 0 || !std::filesystem::exists(sound.fileName, ignored)) return 0;
    std::vector<unsigned char> bytes;
    errno = 0;
    if (!read_whole_file(sound.fileName, bytes)) {
        warn(form.platform.dialogs, std::strerror(errno));
        return 0;
    }
    return form.platform.sound.dsCreateDSB(form.SoundDevice, bytes, sound.flags);
}

}  // namespace

void Form1::start_sound() {
    SoundDevice = platform.sound.dsInitialize(nullptr);
    if (SoundDevice == 0) warn(platform.dialogs, kNoDeviceText);
    for (const SoundFile& sound : kSoundFiles) this->*sound.handle = create_buffer(*this, sound);
}

void Form1::処理_BGM() {
    if (BGM.Checked) {
        BGM.Checked = false;
        platform.sound.dsStop(SoundBgm);
    } else {
        BGM.Checked = true;
        platform.sound.dsPlayLooping(SoundBgm);
    }
    書込_環境設定ファイル();
}

void Form1::BGM_Click() { 処理_BGM(); }

}  // namespace zenko
