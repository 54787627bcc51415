// XQF: any bytes read without a crash; a game read has a playable main line.
#include "fuzz/fuzz_target.h"
#include "record/formats/game_builder.h"
#include "record/formats/readers.h"

using zenko::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zenko::formats::RecordContents file =
        zenko::formats::read_xqf(zenko::fuzzing::bytes_of(data, size));
    require(file.games.empty() != file.error.empty());
    for (const zenko::formats::GameRecord& game : file.games)
        require(*zenko::formats::position_problem(game.start) == '\0');
    return 0;
}
