// Reading XQF, the binary record of the Chinese Xiangqi programs (XQStudio
// and its successors), versions 1.0 to 1.8.
//
// A file is a 1024-byte header and then the move tree. The header holds
// "XQ", the version, the keys, the squares of the 32 pieces (red chariot,
// horse, elephant, advisor, general, advisor, elephant, horse, chariot, two
// cannons, five soldiers, then black in the same order) as one byte each,
// ten times the file (0 = red's left) plus the rank (0 = red's edge), 90 or
// more for a piece off the board; the result; and the texts, each a length
// byte and GBK bytes: title, event, date, site, red and black players.
//
// The tree follows in depth-first order: each node is the move's two
// squares, a flag byte (0x80: the next node is this move's continuation,
// 0x40: an alternative to this move follows its continuations, 0x20 from
// version 1.1 on: a comment follows) and a spare byte, then the comment's
// length and bytes. The first node is the root, whose comment is the start
// comment. The main line is the root's continuation, its continuation and so
// on: in depth-first order those come first, one after the other.
//
// From version 1.1 on the moves are encrypted, and from 1.2 on the piece
// squares too. Three keys come from the header's key bytes, each through
// k * (54 k^2 + 221) modulo 256 and chained to the one before; the piece
// squares are rotated by the first key and shifted down by it, move squares
// are shifted by 0x18 and 0x20 plus the second and third keys, comment
// lengths are offset by (key sum * 256 + first key byte) % 32000 + 767, and
// every byte after the header is shifted by a byte of a 32-byte key: the
// text "[(C) Copyright Mr. Dong Shiwei.]" masked with four key bytes, picked
// by the byte's position in the file.
#include <array>
#include <cstdint>

#include "record/formats/game_builder.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/text_encoding.h"

namespace zenko::formats {

namespace {

using Byte = std::uint8_t;

constexpr std::size_t HeaderBytes = 1024;
constexpr int FirstVersion = 10, LastVersion = 18;
constexpr int FirstEncryptedVersion = 11, FirstEncryptedPiecesVersion = 12;
constexpr std::size_t VersionAt = 2, KeyMaskAt = 3, KeyOrAt = 8, KeySumAt = 12, KeyXyAt = 13, KeyXyfAt = 14,
                      KeyXytAt = 15, PiecesAt = 16, ResultAt = 0x33;
constexpr int PieceCount = 32;
constexpr int SquareCount = 90;
constexpr Byte HasNext = 0x80, HasAlternative = 0x40, HasComment = 0x20;
constexpr Byte SourceShift = 0x18, DestinationShift = 0x20;
constexpr char CopyrightKey[] = "[(C) Copyright Mr. Dong Shiwei.]";

// The kind of each of the 16 pieces of an army, in the header's order.
constexpr int PieceKinds[16] = {ComChariot,  ComHorse,   ComElephant, ComAdvisor, ComGeneral, ComAdvisor,
                                ComElephant, ComHorse,   ComChariot,  ComCannon,  ComCannon,  ComSoldier,
                                ComSoldier,  ComSoldier, ComSoldier,  ComSoldier};

struct TextField {
    std::size_t at, size;
    const char* tag;
};
// Title and event both name the game; the event is kept when both are set.
constexpr TextField TextFields[] = {
    {0xD0, 64, "Event"}, {0x50, 64, "Event"}, {0x110, 16, "Date"},
    {0x120, 16, "Site"}, {0x130, 16, "Red"},  {0x140, 16, "Black"},
};

constexpr const char* Results[] = {"", "1-0", "0-1", "1/2-1/2"};

// 54 k^2 + 221, modulo 256.
Byte key_step(Byte k) { return static_cast<Byte>(54u * k * k + 221u); }

struct Keys {
    Byte square = 0, from = 0, to = 0;
    std::uint32_t commentOffset = 0;
    std::array<Byte, 32> bytes{};
};

Keys keys_of(std::string_view file, int version) {
    Keys keys;
    if (version < FirstEncryptedVersion) return keys;
    auto at = [&](std::size_t i) { return static_cast<Byte>(file[i]); };
    const Byte sum = at(KeySumAt), xy = at(KeyXyAt), xyf = at(KeyXyfAt), xyt = at(KeyXytAt),
               mask = at(KeyMaskAt);
    keys.square = static_cast<Byte>(key_step(xy) * xy);
    keys.from = static_cast<Byte>(key_step(xyf) * keys.square);
    keys.to = static_cast<Byte>(key_step(xyt) * keys.from);
    keys.commentOffset = (sum * 256u + xy) % 32000u + 767u;
    const Byte parts[4] = {
        static_cast<Byte>((sum & mask) | at(KeyOrAt)), static_cast<Byte>((xy & mask) | at(KeyOrAt + 1)),
        static_cast<Byte>((xyf & mask) | at(KeyOrAt + 2)), static_cast<Byte>((xyt & mask) | at(KeyOrAt + 3))};
    for (std::size_t i = 0; i < keys.bytes.size(); ++i)
        keys.bytes[i] = static_cast<Byte>(static_cast<Byte>(CopyrightKey[i]) & parts[i % 4]);
    return keys;
}

// A square byte as the board's (x, y); false off the board.
bool square_of(Byte value, int& x, int& y) {
    if (value >= SquareCount) return false;
    x = value / 10 + 1, y = BoardRanks - value % 10;
    return true;
}

bool read_start(std::string_view file, int version, const Keys& keys, BoardArray& board) {
    Byte squares[PieceCount];
    for (int i = 0; i < PieceCount; ++i) {
        const auto raw = static_cast<Byte>(file[PiecesAt + static_cast<std::size_t>(i)]);
        if (version < FirstEncryptedPiecesVersion)
            squares[i] = raw;
        else
            squares[(keys.square + 1 + i) % PieceCount] = static_cast<Byte>(raw - keys.square);
    }
    board = {};
    for (int i = 0; i < PieceCount; ++i) {
        int x = 0, y = 0;
        if (!square_of(squares[i], x, y)) continue;
        if (board[x][y] != PieceEmpty) return false;  // two pieces on one square
        const int kind = PieceKinds[i % 16];
        board[x][y] = i < 16 ? -kind : kind;
    }
    return true;
}

// Reads the tree after the header, decrypting as it goes.
class TreeReader {
public:
    TreeReader(std::string_view file, int version, const Keys& keys)
        : file_(file), version_(version), keys_(keys) {}

    struct Node {
        int fromX = 0, fromY = 0, toX = 0, toY = 0;
        bool onBoard = false;
        Byte flags = 0;
        std::string_view comment;  // encrypted bytes; see comment_text
        std::size_t commentAt = 0;
    };

    // False at the end of the file, or where a node is cut off (`cut`).
    bool next(Node& node, bool& cut) {
        cut = false;
        if (at_ >= file_.size()) return false;
        if (file_.size() - at_ < 4) return cut = true, false;
        const Byte from = byte(at_), to = byte(at_ + 1), flags = byte(at_ + 2);
        at_ += 4;
        std::int64_t length = 0;
        const bool old = version_ < FirstEncryptedVersion;
        node.flags = static_cast<Byte>(flags & (old ? 0xF0 : 0xE0));
        if (old || (node.flags & HasComment)) {
            if (file_.size() - at_ < 4) return cut = true, false;
            std::uint32_t raw = 0;
            for (int i = 3; i >= 0; --i) raw = raw << 8 | byte(at_ + static_cast<std::size_t>(i));
            at_ += 4;
            length = static_cast<std::int32_t>(raw);
            if (!old) length -= keys_.commentOffset;
        }
        if (length < 0 || static_cast<std::uint64_t>(length) > file_.size() - at_) return cut = true, false;
        node.commentAt = at_;
        node.comment = file_.substr(at_, static_cast<std::size_t>(length));
        at_ += static_cast<std::size_t>(length);
        node.onBoard =
            square_of(static_cast<Byte>(from - SourceShift - keys_.from), node.fromX, node.fromY) &&
            square_of(static_cast<Byte>(to - DestinationShift - keys_.to), node.toX, node.toY);
        return true;
    }

    // The comment's bytes as written before encryption.
    std::string comment_bytes(const Node& node) const {
        std::string text(node.comment);
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(byte(node.commentAt + i));
        return text;
    }

private:
    Byte byte(std::size_t at) const {
        return static_cast<Byte>(static_cast<Byte>(file_[at]) - keys_.bytes[at % keys_.bytes.size()]);
    }

    std::string_view file_;
    int version_;
    Keys keys_;
    std::size_t at_ = HeaderBytes;
};

std::string iccs_of(const TreeReader::Node& node) {
    return node.onBoard ? iccs_text(node.fromX, node.fromY, node.toX, node.toY) : "??";
}

std::string pascal_string(std::string_view file, const TextField& field) {
    const auto length = static_cast<std::size_t>(static_cast<Byte>(file[field.at]));
    return std::string(file.substr(field.at + 1, std::min(length, field.size - 1)));
}

// The texts are GBK in nearly every file, Big5 in some: one encoding is
// chosen for all of them together.
std::optional<TextEncoding> text_encoding_of(const std::string& allText) {
    auto decoded = decode_text(allText);
    if (!decoded) return std::nullopt;
    return decoded->encoding;
}

std::string to_utf8(const std::string& bytes, std::optional<TextEncoding> encoding) {
    return decode_as(bytes, encoding.value_or(TextEncoding::Gb18030), bytes.size()).value_or("");
}

}  // namespace

bool looks_like_xqf(std::string_view bytes) {
    if (bytes.size() <= VersionAt || bytes[0] != 'X' || bytes[1] != 'Q') return false;
    const int version = static_cast<Byte>(bytes[VersionAt]);
    return version >= FirstVersion && version <= LastVersion;
}

RecordContents read_xqf(std::string_view bytes) {
    RecordContents file;
    file.format = RecordFormat::Xqf;
    if (!looks_like_xqf(bytes)) {
        file.error = std::string_view("XQ").starts_with(bytes) ? CutFileText : BrokenHeaderText;
        return file;
    }
    if (bytes.size() < HeaderBytes) {
        file.error = CutFileText;
        return file;
    }
    const int version = static_cast<Byte>(bytes[VersionAt]);
    const Keys keys = keys_of(bytes, version);
    BoardArray start{};
    if (!read_start(bytes, version, keys, start) || *position_problem(start)) {
        file.error = BadPositionText;
        return file;
    }

    // The main line first: the root and each node's continuation.
    TreeReader tree(bytes, version, keys);
    TreeReader::Node node;
    bool cut = false;
    std::vector<TreeReader::Node> line;
    int alternatives = 0;
    std::string rootComment;
    bool more = false;
    if (tree.next(node, cut)) rootComment = tree.comment_bytes(node), more = node.flags & HasNext;
    while (more && line.size() <= MaxMovesPerGame) {
        if (!tree.next(node, cut)) {
            cut = true;  // a continuation was announced
            break;
        }
        line.push_back(node);
        if (node.flags & HasAlternative) ++alternatives;
        more = node.flags & HasNext;
    }
    // The rest of the tree only holds alternatives: count them.
    bool restCut = false;
    while (!cut && tree.next(node, restCut))
        if (node.flags & HasAlternative) ++alternatives;

    std::string allText = rootComment;
    std::vector<std::string> comments;
    for (const TreeReader::Node& n : line) allText += comments.emplace_back(tree.comment_bytes(n));
    for (const TextField& field : TextFields) allText += pascal_string(bytes, field);
    const std::optional<TextEncoding> encoding = text_encoding_of(allText);
    file.encoding = encoding ? encoding_name(*encoding) : "";

    std::size_t movesLeft = MaxMovesPerFile;
    GameBuilder builder(movesLeft);
    const bool redFirst = line.empty() || start[line[0].fromX][line[0].fromY] <= 0;
    builder.start(start, redFirst);
    builder.add_comment(to_utf8(rootComment, encoding));
    for (std::size_t i = 0; i < line.size(); ++i) {
        const TreeReader::Node& n = line[i];
        if (!n.onBoard) {
            builder.cut_here(iccs_of(n), UnreadableMoveText);
            break;
        }
        if (!builder.play(n.fromX, n.fromY, n.toX, n.toY, iccs_of(n))) break;
        builder.add_comment(to_utf8(comments[i], encoding));
    }
    if (cut) builder.cut_here("", CutFileText);

    GameRecord& game = builder.record();
    game.skippedVariations = alternatives;
    for (const TextField& field : TextFields)
        if (game.tag(field.tag).empty())
            game.set_tag(field.tag, to_utf8(pascal_string(bytes, field), encoding));
    const auto result = static_cast<Byte>(bytes[ResultAt]);
    if (result < std::size(Results)) game.set_tag("Result", Results[result]);
    file.games.push_back(std::move(game));
    return file;
}

}  // namespace zenko::formats
