// FEN: any text read without a crash; a position read is written as a FEN
// that reads back to the same position.
#include "fuzz/fuzz_target.h"
#include "record/formats/readers.h"
#include "record/formats/writers.h"

using zenko::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zenko::formats::RecordContents file =
        zenko::formats::read_fen_text(zenko::fuzzing::bytes_of(data, size));
    require(file.games.empty() != file.error.empty());
    for (const zenko::formats::GameRecord& game : file.games) {
        const auto again = zenko::formats::read_fen_text(zenko::formats::fen_of(game.start, game.redToMove));
        require(again.games.size() == 1 && again.games[0].start == game.start &&
                again.games[0].redToMove == game.redToMove);
    }
    return 0;
}
