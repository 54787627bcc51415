// The record subcommands: read any record file the game opens, convert it
// to PGN or .棋譜, and print a position of it as FEN, so records can be
// checked and converted in bulk.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "record/formats/game_record.h"
#include "record/formats/notation.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

bool read_record_bytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.resize(formats::MaxRecordBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return false;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

namespace {

using formats::GameRecord;
using formats::RecordContents;

// Reads a record file; prints why on stderr and returns false when it holds none.
bool read_record(const std::string& path, RecordContents& file) {
    std::string bytes;
    if (!read_record_bytes(path, bytes)) {
        usage_error(path + ": cannot read the file");
        return false;
    }
    file = formats::read_record_file(bytes, path);
    if (!file.error.empty()) {
        usage_error(path + ": " + file.error);
        return false;
    }
    return true;
}

// Tells on stderr what of the file was not read; true when everything was.
bool report_losses(const std::string& path, const RecordContents& file) {
    bool whole = true;
    for (std::size_t k = 0; k < file.games.size(); ++k) {
        if (!file.games[k].cut) continue;
        std::cerr << "zenko-engine: " << path << ": game " << k + 1 << ": "
                  << formats::cut_short_text(*file.games[k].cut) << " (" << file.games[k].cut->reason
                  << ")\n";
        whole = false;
    }
    if (file.leftOutGames > 0) {
        std::cerr << "zenko-engine: " << path << ": "
                  << formats::left_out_games_text(file.leftOutGames, file.leftOutReason) << '\n';
        whole = false;
    }
    return whole;
}

std::string iccs_moves(const GameRecord& game) {
    std::string line = "moves";
    for (const formats::RecordedMove& m : game.moves)
        line += ' ' + formats::iccs_text(m.fromX, m.fromY, m.toX, m.toY);
    return line;
}

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int record_command(const Args& args) {
    if (args.size() != 1) return usage_error("usage: zenko-engine record FILE");
    RecordContents file;
    if (!read_record(args[0], file)) return 2;
    for (std::size_t k = 0; k < file.games.size(); ++k) {
        const GameRecord& game = file.games[k];
        std::cout << "game " << k + 1 << '\n';
        for (const auto& [name, value] : game.tags) std::cout << "tag " << name << ' ' << value << '\n';
        std::cout << "fen " << formats::fen_of(game.start, game.redToMove) << '\n'
                  << iccs_moves(game) << '\n';
        if (game.cut) std::cout << "note " << formats::cut_short_text(*game.cut) << '\n';
    }
    std::cout.flush();
    return report_losses(args[0], file) ? 0 : 1;
}

// convert IN OUT [--iccs]: OUT's extension chooses the format: .pgn (the
// Chinese notation, or ICCS with --iccs), .棋譜 (one game from the full set),
// .fen (the position at the end of each game, one a line).
int convert_command(const Args& args) {
    Args files;
    bool iccs = false;
    for (const std::string& a : args) {
        if (a == "--iccs")
            iccs = true;
        else
            files.push_back(a);
    }
    if (files.size() != 2) return usage_error("usage: zenko-engine convert IN OUT [--iccs]");
    const std::string &in = files[0], &out = files[1];
    RecordContents file;
    if (!read_record(in, file)) return 2;
    std::string bytes;
    if (ends_with(out, ".pgn")) {
        bytes =
            formats::write_pgn(file.games, iccs ? formats::PgnNotation::Iccs : formats::PgnNotation::Chinese);
    } else if (ends_with(out, ".棋譜")) {
        if (file.games.size() != 1)
            return usage_error("convert: a .棋譜 holds one game; " + in + " holds " +
                               std::to_string(file.games.size()));
        const formats::KifuText kifu = formats::write_kifu(file.games[0]);
        if (!kifu.error.empty()) return usage_error("convert: " + kifu.error);
        bytes = kifu.bytes;
    } else if (ends_with(out, ".fen")) {
        for (const GameRecord& game : file.games) {
            bool redToMove = true;
            const BoardArray end = formats::board_after(game, game.moves.size(), &redToMove);
            bytes += formats::fen_of(end, redToMove) + '\n';
        }
    } else {
        return usage_error("convert: OUT must end in .pgn, .棋譜 or .fen");
    }
    if (!write_file(out, bytes)) return usage_error(out + ": cannot write the file");
    return report_losses(in, file) ? 0 : 1;
}

int fen_command(const Args& args) {
    if (args.empty() || args.size() > 2) return usage_error("usage: zenko-engine fen FILE [PLY]");
    RecordContents file;
    if (!read_record(args[0], file)) return 2;
    const GameRecord& game = file.games.front();
    std::size_t ply = game.moves.size();
    if (args.size() == 2) {
        const std::string& text = args[1];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ply);
        if (error != std::errc() || end != text.data() + text.size() || ply > game.moves.size())
            return usage_error("fen: PLY must be 0 to " + std::to_string(game.moves.size()));
    }
    bool redToMove = true;
    const BoardArray board = formats::board_after(game, ply, &redToMove);
    std::cout << formats::fen_of(board, redToMove) << '\n';
    return 0;
}

}  // namespace zenko::tool
