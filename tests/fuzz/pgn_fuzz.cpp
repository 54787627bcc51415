// PGN: any bytes read without a crash; every game read is playable from its
// start, and written in each notation it reads back to the same moves.
#include "fuzz/fuzz_target.h"
#include "record/formats/notation.h"
#include "record/formats/readers.h"
#include "record/formats/writers.h"

using namespace zenko;
using namespace zenko::formats;
using zenko::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RecordContents file = read_pgn(zenko::fuzzing::bytes_of(data, size));
    require(file.games.empty() != file.error.empty());
    for (PgnNotation notation : {PgnNotation::Chinese, PgnNotation::Iccs}) {
        const RecordContents again = read_pgn(write_pgn(file.games, notation));
        require(again.games.size() == file.games.size());
        for (std::size_t k = 0; k < file.games.size(); ++k) {
            const GameRecord &a = file.games[k], &b = again.games[k];
            require(a.start == b.start && a.redToMove == b.redToMove && a.moves.size() == b.moves.size());
            for (std::size_t i = 0; i < a.moves.size(); ++i)
                require(a.moves[i].fromX == b.moves[i].fromX && a.moves[i].fromY == b.moves[i].fromY &&
                        a.moves[i].toX == b.moves[i].toX && a.moves[i].toY == b.moves[i].toY);
        }
    }
    return 0;
}
