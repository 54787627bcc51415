// Reading a move in any notation. The text is first told apart by its
// shape: two squares are ICCS (or long SAN), four ASCII characters with a
// direction third are WXF, other ASCII is SAN, anything with Chinese
// characters is the Chinese notation. A move names its piece by kind, file
// and place on the file; each piece that fits is tried on the board, and the
// move stands when exactly one of them may make it.
#include <array>
#include <cstdint>

#include "record/formats/notation.h"
#include "record/formats/notation_tables.h"
#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

constexpr std::size_t MaxMoveCodePoints = 12;

// ---- Which piece on a file ----
enum class Pick : std::uint8_t {
    Any,       // every one on the file (the board decides)
    FileOnly,  // the plain form: the middle one of three or five, else any
    Front,     // the `nth` from the front (0 = foremost)
    Back,      // the `nth` from the back (0 = rearmost)
    Middle,    // 中: the middle one of three or five
    WxfFront,  // WXF's P+: the front one of two or three, the second of four or five
    WxfBack,   // WXF's P-: the rear one of two or three, the second last of four or five
};

struct Request {
    int kind = 0;
    int file = 0;  // in the mover's own count; 0 = any file holding two or more
    Pick pick = Pick::Any;
    int nth = 0;
    int direction = 0;  // +1 forward, -1 back, 0 sideways
    int number = 0;     // ranks to go, or the file to arrive on
};

// The places (front to back) on the file that the pick chooses among `count`.
// Returns how many it wrote to `out`.
int picked_places(const Request& r, int count, int (&out)[BoardRanks]) {
    const bool odd = count == 3 || count == 5;
    auto one = [&](int i) { return i >= 0 && i < count ? (out[0] = i, 1) : 0; };
    switch (r.pick) {
        case Pick::FileOnly:
            if (odd) return one(count / 2);
            [[fallthrough]];
        case Pick::Any:
            for (int i = 0; i < count; ++i) out[i] = i;
            return count;
        case Pick::Front:
            return count >= 2 ? one(r.nth) : 0;
        case Pick::Back:
            return count >= 2 ? one(count - 1 - r.nth) : 0;
        case Pick::Middle:
            return odd ? one(count / 2) : 0;
        case Pick::WxfFront:
            return count >= 2 ? one(count >= 4 ? 1 : 0) : 0;
        case Pick::WxfBack:
            return count >= 2 ? one(count >= 4 ? count - 2 : count - 1) : 0;
    }
    return 0;
}

// The destination of the piece of `kind` on (x, y) under the request; false
// when the request cannot describe a move of that piece.
bool destination(const Request& r, bool red, int x, int y, int& toX, int& toY) {
    const int ahead = red ? -1 : 1;  // the y step towards the opponent
    if (r.number < 1 || r.number > BoardRanks) return false;
    if (moves_straight(r.kind)) {
        if (r.direction == 0) {
            if (r.number > BoardFiles) return false;
            toX = file_x(red, r.number), toY = y;
        } else {
            toX = x, toY = y + r.direction * ahead * r.number;
        }
        return on_board(toX, toY);
    }
    if (r.direction == 0 || r.number > BoardFiles) return false;
    toX = file_x(red, r.number);
    const int dx = toX > x ? toX - x : x - toX;
    int dy = 0;
    if (r.kind == ComAdvisor && dx == 1) dy = 1;
    if (r.kind == ComElephant && dx == 2) dy = 2;
    if (r.kind == ComHorse && (dx == 1 || dx == 2)) dy = 3 - dx;
    if (dy == 0) return false;
    toY = y + r.direction * ahead * dy;
    return on_board(toX, toY);
}

ReadMove resolve(const Engine& e, bool red, const Request& r) {
    if (r.kind < ComSoldier || r.kind > ComGeneral) return {};
    if (r.file < 0 || r.file > BoardFiles) return {};
    const int code = red ? -r.kind : r.kind;
    ReadMove found{ReadStatus::Illegal};
    int matches = 0;
    const int firstX = r.file ? file_x(red, r.file) : 1, lastX = r.file ? firstX : BoardFiles;
    for (int x = firstX; x <= lastX; ++x) {
        int ranks[BoardRanks], count = 0;  // front to back
        for (int i = 0; i < BoardRanks; ++i) {
            const int y = red ? 1 + i : BoardRanks - i;
            if (e.piece_at(x, y) == code) ranks[count++] = y;
        }
        if (r.file == 0 && count < 2) continue;  // a marker without a file names a stack
        int places[BoardRanks];
        const int n = picked_places(r, count, places);
        for (int i = 0; i < n; ++i) {
            const int y = ranks[places[i]];
            int toX = 0, toY = 0;
            if (!destination(r, red, x, y, toX, toY) || !is_playable(e, red, x, y, toX, toY)) continue;
            if (++matches == 1) found = {ReadStatus::Ok, x, y, toX, toY};
        }
    }
    if (matches > 1) return {ReadStatus::Ambiguous};
    return found;
}

// ---- Chinese ----
enum class Word : std::uint8_t { Other, Piece, Number, Direction, Marker };
enum MarkerKind : int { FrontMarker, MiddleMarker, RearMarker };

struct Classified {
    Word word = Word::Other;
    int value = 0;
};

struct CharValue {
    char32_t c;
    Word word;
    int value;
};

// Every character the Chinese notation uses, in traditional and simplified
// forms and the variants real files mix in (俥 傌 for red, 包 for 炮).
constexpr CharValue ChineseWords[] = {
    {U'车', Word::Piece, ComChariot},
    {U'車', Word::Piece, ComChariot},
    {U'俥', Word::Piece, ComChariot},
    {U'马', Word::Piece, ComHorse},
    {U'馬', Word::Piece, ComHorse},
    {U'傌', Word::Piece, ComHorse},
    {U'炮', Word::Piece, ComCannon},
    {U'砲', Word::Piece, ComCannon},
    {U'包', Word::Piece, ComCannon},
    {U'相', Word::Piece, ComElephant},
    {U'象', Word::Piece, ComElephant},
    {U'仕', Word::Piece, ComAdvisor},
    {U'士', Word::Piece, ComAdvisor},
    {U'帅', Word::Piece, ComGeneral},
    {U'帥', Word::Piece, ComGeneral},
    {U'将', Word::Piece, ComGeneral},
    {U'將', Word::Piece, ComGeneral},
    {U'兵', Word::Piece, ComSoldier},
    {U'卒', Word::Piece, ComSoldier},
    {U'进', Word::Direction, 1},
    {U'進', Word::Direction, 1},
    {U'退', Word::Direction, -1},
    {U'平', Word::Direction, 0},
    {U'前', Word::Marker, FrontMarker},
    {U'中', Word::Marker, MiddleMarker},
    {U'后', Word::Marker, RearMarker},
    {U'後', Word::Marker, RearMarker},
    {U'一', Word::Number, 1},
    {U'二', Word::Number, 2},
    {U'三', Word::Number, 3},
    {U'四', Word::Number, 4},
    {U'五', Word::Number, 5},
    {U'六', Word::Number, 6},
    {U'七', Word::Number, 7},
    {U'八', Word::Number, 8},
    {U'九', Word::Number, 9},
};

Classified classify(char32_t c) {
    if (c >= U'1' && c <= U'9') return {Word::Number, static_cast<int>(c - U'0')};
    for (const CharValue& w : ChineseWords)
        if (w.c == c) return {w.word, w.value};
    return {};
}

Pick marker_pick(int marker) {
    return marker == FrontMarker ? Pick::Front : marker == RearMarker ? Pick::Back : Pick::Middle;
}

// Sets the pick of a place word: 前 中 后, or an ordinal 一..五.
bool place_word(const Classified& w, Request& r) {
    if (w.word == Word::Marker) return r.pick = marker_pick(w.value), r.nth = 0, true;
    if (w.word == Word::Number) return r.pick = Pick::Front, r.nth = w.value - 1, true;
    return false;
}

// Forms of the first two words (the last two are always direction and
// number): piece + file (炮二), place + piece (前车, 中兵, 二兵), place + file
// for pawns stacked on two files (前三, 二七), piece + place (车前), file +
// place for such pawns (三前); and five words: place + piece + file (前兵三).
bool read_chinese_head(const Classified* w, std::size_t words, Request& r) {
    const Classified &a = w[0], &b = w[1];
    if (words == 5) {
        if (b.word != Word::Piece || w[2].word != Word::Number || !place_word(a, r)) return false;
        r.kind = b.value, r.file = w[2].value;
        return true;
    }
    if (a.word == Word::Piece && b.word == Word::Number) return r.kind = a.value, r.file = b.value, true;
    if (b.word == Word::Piece && place_word(a, r)) return r.kind = b.value, true;
    if (a.word == Word::Piece && b.word == Word::Marker) return r.kind = a.value, place_word(b, r);
    if (b.word == Word::Number && place_word(a, r)) return r.kind = ComSoldier, r.file = b.value, true;
    if (a.word == Word::Number && b.word == Word::Marker)
        return r.kind = ComSoldier, r.file = a.value, place_word(b, r);
    return false;
}

ReadMove read_chinese(const Engine& e, bool red, const char32_t* text, std::size_t length) {
    if (length != 4 && length != 5) return {};
    Classified w[5];
    for (std::size_t i = 0; i < length; ++i) w[i] = classify(text[i]);
    const Classified &direction = w[length - 2], &number = w[length - 1];
    if (direction.word != Word::Direction || number.word != Word::Number) return {};
    Request r;
    if (!read_chinese_head(w, length, r)) return {};
    r.direction = direction.value, r.number = number.value;
    return resolve(e, red, r);
}

// ---- WXF ----
int wxf_kind(char c) {
    switch (c | 0x20) {  // either case
        case 'k':
        case 'g':
            return ComGeneral;
        case 'a':
            return ComAdvisor;
        case 'e':
        case 'b':
            return ComElephant;
        case 'h':
        case 'n':
            return ComHorse;
        case 'r':
            return ComChariot;
        case 'c':
            return ComCannon;
        case 'p':
        case 's':
            return ComSoldier;
        default:
            return 0;
    }
}

bool is_digit(char c) { return c >= '1' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }

bool read_wxf_head(char a, char b, Request& r) {
    if (wxf_kind(a) && is_digit(b))
        return r.kind = wxf_kind(a), r.file = b - '0', r.pick = Pick::FileOnly, true;
    if (wxf_kind(a) && is_sign(b))
        return r.kind = wxf_kind(a), r.pick = b == '+' ? Pick::WxfFront : Pick::WxfBack, true;
    if (is_sign(a) && wxf_kind(b))
        return r.kind = wxf_kind(b), r.pick = a == '+' ? Pick::WxfFront : Pick::WxfBack, true;
    if (is_sign(a) && a == b) return r.kind = ComSoldier, r.pick = a == '+' ? Pick::Front : Pick::Back, true;
    if (is_digit(a) && is_sign(b)) {
        r.kind = ComSoldier, r.file = a - '0', r.pick = b == '+' ? Pick::Front : Pick::Back;
        return true;
    }
    if (is_digit(a) && b == a) return r.kind = ComSoldier, r.file = a - '0', r.pick = Pick::FileOnly, true;
    return false;
}

bool looks_like_wxf(const char* s, std::size_t length) {
    return length == 4 && (s[2] == '+' || s[2] == '-' || s[2] == '.' || s[2] == '=') && is_digit(s[3]);
}

ReadMove read_wxf(const Engine& e, bool red, const char* s) {
    Request r;
    if (!read_wxf_head(s[0], s[1], r)) return {};
    r.direction = s[2] == '+' ? 1 : s[2] == '-' ? -1 : 0;
    r.number = s[3] - '0';
    return resolve(e, red, r);
}

// ---- Squares: ICCS and SAN ----
bool is_file_letter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'i'; }
bool is_decimal(char c) { return c >= '0' && c <= '9'; }

// Reads a square at `at` (a file letter, then one or two digits).
bool read_square(const char* s, std::size_t length, std::size_t& at, int firstRank, int& x, int& y) {
    if (at >= length || !is_file_letter(s[at])) return false;
    x = (s[at] | 0x20) - 'a' + 1;
    std::size_t end = at + 1;
    int rank = 0;
    while (end < length && is_decimal(s[end]) && end - at <= 2) rank = rank * 10 + (s[end++] - '0');
    if (end == at + 1 || rank < firstRank || rank > firstRank + BoardRanks - 1) return false;
    y = BoardRanks + firstRank - rank;
    at = end;
    return true;
}

int san_kind(char c) {
    switch (c) {
        case 'K':
        case 'G':
            return ComGeneral;
        case 'A':
            return ComAdvisor;
        case 'B':
        case 'E':
            return ComElephant;
        case 'N':
        case 'H':
            return ComHorse;
        case 'R':
            return ComChariot;
        case 'C':
            return ComCannon;
        case 'P':
            return ComSoldier;
        default:
            return 0;
    }
}

// H2-E2, h2e2, and Fairy-Stockfish's long form: two squares, perhaps with a
// piece letter in front and a sign between.
bool read_two_squares(const char* s, std::size_t length, int firstRank, ReadMove& m) {
    std::size_t at = 0;
    if (length > 4 && san_kind(s[0]) && s[1] >= 'a' && s[1] <= 'i') at = 1;  // "Ch2e2"
    if (!read_square(s, length, at, firstRank, m.fromX, m.fromY)) return false;
    if (at < length && (s[at] == '-' || s[at] == 'x' || s[at] == ':')) ++at;
    return read_square(s, length, at, firstRank, m.toX, m.toY) && at == length;
}

// Standard algebraic notation: [piece][file][rank][x]square. A missing
// piece letter is a soldier.
ReadMove read_san(const Engine& e, bool red, const char* s, std::size_t length, int firstRank) {
    std::size_t at = 0;
    int kind = ComSoldier;
    if (length > 0 && san_kind(s[0])) kind = san_kind(s[0]), at = 1;
    // The destination is the last square; what stands before it narrows the origin.
    std::size_t squareAt = length;
    while (squareAt > at && is_decimal(s[squareAt - 1])) --squareAt;
    if (squareAt == length || squareAt == at) return {};
    --squareAt;
    std::size_t end = squareAt;
    int toX = 0, toY = 0;
    if (!read_square(s, length, end, firstRank, toX, toY) || end != length) return {};
    std::size_t hintEnd = squareAt;
    if (hintEnd > at && (s[hintEnd - 1] == 'x' || s[hintEnd - 1] == '-' || s[hintEnd - 1] == ':')) --hintEnd;
    int fileX = 0, rankY = 0;
    if (at < hintEnd && is_file_letter(s[at]) && s[at] >= 'a') fileX = s[at++] - 'a' + 1;
    if (at < hintEnd) {
        if (hintEnd - at > 2) return {};  // a rank has one or two digits
        int rank = 0;
        for (; at < hintEnd && is_decimal(s[at]); ++at) rank = rank * 10 + (s[at] - '0');
        if (rank < firstRank || rank > firstRank + BoardRanks - 1) return {};
        rankY = BoardRanks + firstRank - rank;
    }
    if (at != hintEnd) return {};
    const int code = red ? -kind : kind;
    ReadMove found{ReadStatus::Illegal};
    int matches = 0;
    for (int x = fileX ? fileX : 1; x <= (fileX ? fileX : BoardFiles); ++x)
        for (int y = rankY ? rankY : 1; y <= (rankY ? rankY : BoardRanks); ++y)
            if (e.piece_at(x, y) == code && is_playable(e, red, x, y, toX, toY) && ++matches == 1)
                found = {ReadStatus::Ok, x, y, toX, toY};
    if (matches > 1) return {ReadStatus::Ambiguous};
    return found;
}

}  // namespace

ReadMove read_move(const Engine& position, bool redToMove, std::string_view text, int firstRank) {
    char32_t points[MaxMoveCodePoints];
    char ascii[MaxMoveCodePoints];
    std::size_t length = 0;
    bool allAscii = true;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = fold_width(next_code_point(text, at));
        if (is_space(c)) continue;
        if (length == MaxMoveCodePoints) return {};
        points[length] = c;
        ascii[length] = c < 0x80 ? static_cast<char>(c) : '\0';  // no ASCII mark
        allAscii = allAscii && c < 0x80;
        ++length;
    }
    // Check and mate signs and annotation marks say nothing about the move.
    while (length > 0 && (ascii[length - 1] == '#' || ascii[length - 1] == '!' || ascii[length - 1] == '?'))
        --length;
    if (length == 0) return {};
    if (!allAscii) return read_chinese(position, redToMove, points, length);
    if (looks_like_wxf(ascii, length)) return read_wxf(position, redToMove, ascii);
    while (length > 0 && ascii[length - 1] == '+') --length;  // SAN's check sign
    ReadMove squares;
    if (read_two_squares(ascii, length, firstRank, squares)) {
        squares.status =
            is_playable(position, redToMove, squares.fromX, squares.fromY, squares.toX, squares.toY)
                ? ReadStatus::Ok
                : ReadStatus::Illegal;
        return squares;
    }
    return read_san(position, redToMove, ascii, length, firstRank);
}

bool coordinate_rank_hint(std::string_view text, int& firstRank) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (!is_file_letter(text[i]) || !is_decimal(text[i + 1])) continue;
        const bool two = i + 2 < text.size() && is_decimal(text[i + 2]);
        const int rank = two ? (text[i + 1] - '0') * 10 + (text[i + 2] - '0') : text[i + 1] - '0';
        if (rank == BoardRanks) return firstRank = FairyFirstRank, true;
        if (rank == 0) return firstRank = IccsFirstRank, true;
    }
    return false;
}

}  // namespace zenko::formats
