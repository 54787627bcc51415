// Any file, named as any of the formats: read without a crash, and either
// an error or at least one game.
#include "fuzz/fuzz_target.h"
#include "record/formats/game_record.h"

using zenko::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const Names[] = {"a.pgn", "a.xqf", "a.fen", "a.txt", "a.html", "a.棋譜", ""};
    const std::string_view bytes = zenko::fuzzing::bytes_of(data, size);
    const char* name = Names[size % std::size(Names)];
    const zenko::formats::RecordContents file = zenko::formats::read_record_file(bytes, name);
    require(file.games.empty() != file.error.empty());
    return 0;
}
