// A test-only XQF writer, written from the format's description (see
// record/formats/xqf_reader.cpp): it makes the files the XQF tests, the
// fuzz seeds and the benchmark read, plain (version 1.0) or encrypted
// (versions 1.1 and 1.8), with a start comment, move comments and
// alternatives. Squares are the board's (x, y).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/types.h"

namespace zenko::testing {

struct XqfNode {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    std::string comment;  // bytes as stored (GBK)
    // Alternatives to this move: lines of their own, written after this
    // move's continuation as the format orders them.
    std::vector<std::vector<XqfNode>> alternatives;
};

struct XqfGame {
    int version = 18;
    std::uint8_t keyXy = 0x5D, keyXyf = 0x3C, keyXyt = 0x91;  // the key sum makes the four add to 0
    std::uint8_t keyMask = 0xAB, keyOr[4] = {0x12, 0x34, 0x56, 0x78};
    // The 32 pieces' squares as the header orders them; x = 0 is off the board.
    struct Place {
        int x = 0, y = 0;
    } pieces[32]{};
    std::string rootComment;
    std::vector<XqfNode> line;
    int result = 0;                                    // 0 unknown, 1 red wins, 2 black wins, 3 draw
    std::string title, event, date, site, red, black;  // GBK bytes
};

// The full set in the header's order: red chariot, horse, elephant, advisor,
// general, advisor, elephant, horse, chariot, cannons, soldiers; then black.
inline void place_full_set(XqfGame& game) {
    const int files[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 8, 1, 3, 5, 7, 9};
    for (int i = 0; i < 16; ++i) {
        const int redRank = i < 9 ? 10 : i < 11 ? 8 : 7;
        game.pieces[i] = {files[i], redRank};
        game.pieces[16 + i] = {files[i], BoardRanks + 1 - redRank};
    }
}

namespace xqf_detail {

using Byte = std::uint8_t;

inline Byte key_step(Byte k) { return static_cast<Byte>(54u * k * k + 221u); }
inline Byte square_byte(int x, int y) { return static_cast<Byte>((x - 1) * 10 + (BoardRanks - y)); }

struct Keys {
    Byte square = 0, from = 0, to = 0;
    std::uint32_t commentOffset = 0;
    Byte bytes[32]{};
};

inline Keys keys_of(const XqfGame& g, Byte sum) {
    Keys k;
    if (g.version < 11) return k;
    k.square = static_cast<Byte>(key_step(g.keyXy) * g.keyXy);
    k.from = static_cast<Byte>(key_step(g.keyXyf) * k.square);
    k.to = static_cast<Byte>(key_step(g.keyXyt) * k.from);
    k.commentOffset = (sum * 256u + g.keyXy) % 32000u + 767u;
    const Byte parts[4] = {static_cast<Byte>((sum & g.keyMask) | g.keyOr[0]),
                           static_cast<Byte>((g.keyXy & g.keyMask) | g.keyOr[1]),
                           static_cast<Byte>((g.keyXyf & g.keyMask) | g.keyOr[2]),
                           static_cast<Byte>((g.keyXyt & g.keyMask) | g.keyOr[3])};
    const char* text = "[(C) Copyright Mr. Dong Shiwei.]";
    for (int i = 0; i < 32; ++i) k.bytes[i] = static_cast<Byte>(static_cast<Byte>(text[i]) & parts[i % 4]);
    return k;
}

class TreeWriter {
public:
    TreeWriter(std::string& out, const XqfGame& g, const Keys& k) : out_(out), g_(g), k_(k) {}

    void node(Byte from, Byte to, Byte flags, const std::string& comment) {
        const bool old = g_.version < 11;
        if (!old && !comment.empty()) flags |= 0x20;
        put(static_cast<Byte>(from + 0x18 + k_.from));
        put(static_cast<Byte>(to + 0x20 + k_.to));
        put(flags);
        put(0);
        if (old || !comment.empty()) {
            const std::uint32_t length =
                static_cast<std::uint32_t>(comment.size()) + (old ? 0 : k_.commentOffset);
            for (int i = 0; i < 4; ++i) put(static_cast<Byte>(length >> (8 * i)));
        }
        for (char c : comment) put(static_cast<Byte>(c));
    }

    // A line of moves in depth-first order: each move, its continuation,
    // then its alternatives.
    void line(const std::vector<XqfNode>& moves, std::size_t first = 0) {
        if (first >= moves.size()) return;
        const XqfNode& m = moves[first];
        Byte flags = 0;
        if (first + 1 < moves.size()) flags |= 0x80;
        if (!m.alternatives.empty()) flags |= 0x40;
        node(square_byte(m.fromX, m.fromY), square_byte(m.toX, m.toY), flags, m.comment);
        line(moves, first + 1);
        // Each alternative but the last has another after it.
        for (std::size_t a = 0; a < m.alternatives.size(); ++a)
            write_alternative(m.alternatives[a], a + 1 < m.alternatives.size());
    }

private:
    void write_alternative(const std::vector<XqfNode>& moves, bool another) {
        if (moves.empty()) return;
        const XqfNode& m = moves.front();
        Byte flags = another ? 0x40 : 0;
        if (moves.size() > 1) flags |= 0x80;
        node(square_byte(m.fromX, m.fromY), square_byte(m.toX, m.toY), flags, m.comment);
        line(moves, 1);
    }

    void put(Byte b) {
        const std::size_t at = out_.size();
        out_ += static_cast<char>(static_cast<Byte>(b + k_.bytes[at % 32]));
    }

    std::string& out_;
    const XqfGame& g_;
    const Keys& k_;
};

inline void put_text(std::string& out, std::size_t at, std::size_t size, const std::string& text) {
    const std::size_t length = std::min(text.size(), size - 1);
    out[at] = static_cast<char>(length);
    for (std::size_t i = 0; i < length; ++i) out[at + 1 + i] = text[i];
}

}  // namespace xqf_detail

inline std::string xqf_bytes(const XqfGame& g) {
    using namespace xqf_detail;
    std::string out(1024, '\0');
    out[0] = 'X', out[1] = 'Q';
    out[2] = static_cast<char>(g.version);
    const Byte sum = static_cast<Byte>(0x100 - ((g.keyXy + g.keyXyf + g.keyXyt) & 0xFF));
    if (g.version >= 11) {
        out[3] = static_cast<char>(g.keyMask);
        for (int i = 0; i < 4; ++i) out[8 + i] = static_cast<char>(g.keyOr[i]);
        out[12] = static_cast<char>(sum), out[13] = static_cast<char>(g.keyXy);
        out[14] = static_cast<char>(g.keyXyf), out[15] = static_cast<char>(g.keyXyt);
    }
    const Keys k = keys_of(g, sum);
    Byte squares[32];
    for (int i = 0; i < 32; ++i)
        squares[i] = g.pieces[i].x == 0 ? Byte{0xFF} : square_byte(g.pieces[i].x, g.pieces[i].y);
    for (int i = 0; i < 32; ++i) {
        const Byte stored =
            g.version >= 12 ? static_cast<Byte>(squares[(k.square + 1 + i) % 32] + k.square) : squares[i];
        out[16 + static_cast<std::size_t>(i)] = static_cast<char>(stored);
    }
    out[0x33] = static_cast<char>(g.result);
    put_text(out, 0x50, 64, g.title);
    put_text(out, 0xD0, 64, g.event);
    put_text(out, 0x110, 16, g.date);
    put_text(out, 0x120, 16, g.site);
    put_text(out, 0x130, 16, g.red);
    put_text(out, 0x140, 16, g.black);
    TreeWriter tree(out, g, k);
    tree.node(0, 0, g.line.empty() ? Byte{0} : Byte{0x80}, g.rootComment);
    tree.line(g.line);
    return out;
}

// The game of the XQF tests and the committed files: 炮二平五 马８进７ 马二进三
// from the full set, with comments in GBK, an alternative to black's first
// move and two to red's second; red won.
inline XqfGame example_xqf_game(int version) {
    XqfGame g;
    g.version = version;
    place_full_set(g);
    g.rootComment = "\xbf\xaa\xbe\xd6";                                                          // 开局
    g.line = {{8, 8, 5, 8, "\xd6\xd0\xc5\xda", {}},                                              // 中炮
              {8, 1, 7, 3, "\xcc\xf8\xc2\xed", {{{2, 1, 3, 3, "", {}}, {8, 8, 8, 4, "", {}}}}},  // 跳马
              {8, 10, 7, 8, "", {{{2, 10, 3, 8, "", {}}}, {{7, 7, 7, 6, "", {}}}}}};
    g.result = 1;
    g.event = "\xd3\xd1\xd2\xea\xc8\xfc";  // 友谊赛
    g.date = "2024.05.01";
    g.red = "\xd5\xc5\xc8\xfd";    // 张三
    g.black = "\xc0\xee\xcb\xc4";  // 李四
    return g;
}

}  // namespace zenko::testing
