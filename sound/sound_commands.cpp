// The window's side of sound: opening the device and the four buffers at
// start-up, and the BGM command.
#include <string>
#include <vector>

#include "settings/file_access.h"
#include "sound/sound_flags.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* SoundBoxTitle = "ZENKO中国象棋.dll";
constexpr const char* NoDeviceText = "Direct Soundインターフェースが作成できません。";
// The game's sounds are under 2 MB; a bigger file is not one of them.
constexpr std::size_t LargestSoundFile = 64 * 1024 * 1024;

struct SoundFile {
    int SoundHandles::*handle;
    const char* fileName;  // in the working directory
    int flags;
};

// In the order the buffers are made.
constexpr SoundFile SoundFiles[] = {
    {&SoundHandles::SoundOther, "その他.wav", DS_FLAG_EFFECT},
    {&SoundHandles::SoundForbidden, "禁止.wav", DS_FLAG_EFFECT},
    {&SoundHandles::SoundPiece, "駒打音.wav", DS_FLAG_EFFECT},
    {&SoundHandles::SoundBgm, "BGM.wav", DS_FLAG_MUSIC},
};

void warn(Dialogs& dialogs, const std::string& text) {
    dialogs.message_box(text, SoundBoxTitle, Buttons::OK, BoxIcon::Warning);
}

std::string cannot_read_text(const SoundFile& sound, ReadStatus status) {
    const std::string name = sound.fileName;
    if (status == ReadStatus::TooLarge) return "ｻｳﾝﾄﾞﾌｧｲﾙ " + name + " が大きすぎます";
    return "ｻｳﾝﾄﾞﾌｧｲﾙ " + name + " を読み込めません";
}

// A buffer for one sound file, or 0 when there is no device, no file, or the
// file cannot be read (the last one is reported; the game goes on silently).
// A folder, FIFO or device in the file's place counts as unreadable.
int create_buffer(const Platform& platform, int device, const SoundFile& sound) {
    if (device == 0) return 0;
    std::string bytes;
    const ReadStatus status = read_regular_file(sound.fileName, LargestSoundFile, bytes);
    if (status == ReadStatus::Missing) return 0;
    if (status != ReadStatus::Ok) {
        warn(platform.dialogs, cannot_read_text(sound, status));
        return 0;
    }
    const std::vector<unsigned char> fileBytes(bytes.begin(), bytes.end());
    return platform.sound.dsCreateDSB(device, fileBytes, sound.flags);
}

}  // namespace

void Form1::start_sound() {
    sounds_.SoundDevice = platform.sound.dsInitialize(nullptr);
    if (sounds_.SoundDevice == 0) warn(platform.dialogs, NoDeviceText);
    for (const SoundFile& sound : SoundFiles)
        sounds_.*sound.handle = create_buffer(platform, sounds_.SoundDevice, sound);
}

// The handles are cleared so that nothing can play a freed buffer before
// the program is gone.
void Form1::release_sound() {
    for (const SoundFile& sound : SoundFiles) {
        platform.sound.dsFree(sounds_.*sound.handle);
        sounds_.*sound.handle = 0;
    }
    if (sounds_.SoundDevice != 0) platform.sound.dsTerminate(sounds_.SoundDevice);
    sounds_.SoundDevice = 0;
}

void Form1::処理_BGM() {
    if (options().BGM.Checked) {
        set_music(false);
        platform.sound.dsStop(sounds_.SoundBgm);
    } else {
        set_music(true);
        platform.sound.dsPlayLooping(sounds_.SoundBgm);
    }
    書込_環境設定ファイル();
}

void Form1::BGM_Click() { 処理_BGM(); }

}  // namespace zenko
