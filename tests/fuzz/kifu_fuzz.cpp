// .棋譜: any bytes read without a crash; a game read and written again as a
// .棋譜 reads back to the same moves.
#include "fuzz/fuzz_target.h"
#include "record/formats/readers.h"
#include "record/formats/writers.h"

using zenko::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zenko::formats::RecordContents file =
        zenko::formats::read_kifu(zenko::fuzzing::bytes_of(data, size));
    for (const zenko::formats::GameRecord& game : file.games) {
        const zenko::formats::KifuText kifu = zenko::formats::write_kifu(game);
        if (!kifu.error.empty()) continue;  // a name Shift_JIS cannot hold after a bad byte
        const auto again = zenko::formats::read_kifu(kifu.bytes);
        require(again.games.size() == 1 && again.games[0].moves.size() == game.moves.size() &&
                !again.games[0].cut);
    }
    return 0;
}
