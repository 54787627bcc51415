// Notation: any text read as a move in a few positions without a crash; a
// move found is playable, and its own texts read back to it.
#include "fuzz/fuzz_target.h"
#include "record/formats/notation.h"

using namespace zenko;
using zenko::fuzzing::require;

namespace {

const char* const Positions[] = {
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w",
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b",
    "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w",
    "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zenko::fuzzing::bytes_of(data, size).substr(0, 64);
    for (const char* fen : Positions) {
        Engine e;
        bool red = true;
        e.set_fen(fen, &red);
        for (int firstRank : {formats::IccsFirstRank, formats::FairyFirstRank}) {
            const formats::ReadMove m = formats::read_move(e, red, text, firstRank);
            if (m.status != formats::ReadStatus::Ok) continue;
            require(formats::is_playable(e, red, m.fromX, m.fromY, m.toX, m.toY));
            for (formats::Notation n : {formats::Notation::Chinese, formats::Notation::Wxf}) {
                const formats::ReadMove back =
                    formats::read_move(e, red, formats::move_text(e, m.fromX, m.fromY, m.toX, m.toY, n));
                require(back.status == formats::ReadStatus::Ok && back.fromX == m.fromX &&
                        back.fromY == m.fromY && back.toX == m.toX && back.toY == m.toY);
            }
        }
    }
    return 0;
}
