// Record files: the 棋譜 menu, the file panel, and saving and loading a game
// as a Shift_JIS text file with three header lines and one fixed-column
// line per move. A name ending in .pgn is written as PGN instead, and a
// file of any other kind is opened through the record formats
// (record_exchange.cpp).
#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "record/exchanged_game.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"
#include "record/record_line.h"
#include "settings/file_access.h"
#include "settings/shift_jis.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* RecordExtension = ".棋譜";
constexpr int HeaderLines = 3;

// Limits on what a loaded file may hold. Real records are a few kilobytes;
// the limits keep a stray or hostile file from filling memory or the history.
constexpr std::size_t MaxRecordFileBytes = 2 * 1024 * 1024;
constexpr size_t MaxRecordMoves = 10000;
constexpr int MaxRecordLineChars = 1000;

constexpr const char* CannotOpenMessage = "棋譜ﾌｧｲﾙを開けません";
constexpr const char* TooLargeMessage = "棋譜ﾌｧｲﾙが大きすぎます";
constexpr const char* TooLongTextMessage = "対局名と対局者名は1000文字までです";
constexpr const char* TooManyMovesMessage = "棋譜ﾌｧｲﾙの手数が10000手を超えています";
constexpr const char* WriteFailedMessage = "棋譜ﾌｧｲﾙを書き込めません";

// A file name ending in this extension (any case) is written as PGN.
constexpr const char* PgnExtension = ".pgn";
// A record file of another format that cannot be read at all.
constexpr const char* CannotOpenFileText = "ファイルを開けません";

constexpr PanelControl EntryFields[] = {PanelControl::Text1, PanelControl::Text2, PanelControl::Text3,
                                        PanelControl::Text4};
constexpr PanelControl EntryControls[] = {
    PanelControl::Text1,    PanelControl::Text2,    PanelControl::Text3,
    PanelControl::Text4,    PanelControl::Label1_0, PanelControl::Label1_1,
    PanelControl::Label1_2, PanelControl::Label1_3, PanelControl::Command1,
};

struct LoadedRecord {
    std::string header[HeaderLines];
    std::vector<MoveRecord> moves;
};

void show_box(Dialogs& dialogs, const std::string& text, const std::string& title,
              BoxIcon icon = BoxIcon::None) {
    dialogs.message_box(text, title, Buttons::OK, icon);
}

std::string in_folder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// A header must stay one line of the file, so line breaks pasted into a
// field are written as spaces.
std::string single_line(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

bool is_blank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

std::string bad_line_message(int lineNumber) {
    return "棋譜ﾌｧｲﾙの" + std::to_string(lineNumber) + "行目が正しくありません";
}

// The file's lines as written: game name, top player, bottom player (the
// first player's field goes to the army of the record's first move, whatever
// the sides of the game played before), then the moves up to the position
// on the board.
std::vector<std::string> record_lines(const Form1& form, Panel& panel) {
    std::string first = single_line(panel.text(PanelControl::Text3));
    std::string second = single_line(panel.text(PanelControl::Text4));
    const HistoryState& history = form.history();
    bool manFirst =
        history.HistoryLen >= 1 ? history.MoveHistory[1].placed <= -1 : form.play().ManSide == FirstPlayer;
    std::vector<std::string> lines{single_line(panel.text(PanelControl::Text2)), manFirst ? second : first,
                                   manFirst ? first : second};
    // At the start of a history that holds moves (a finished game set back
    // to its start) the whole game is written.
    const int shown = history.HistoryPos > 0 ? history.HistoryPos : history.HistoryLen;
    int last = std::min<int>(shown, static_cast<int>(history.MoveHistory.size()) - 1);
    for (int n = 1; n <= last; ++n) lines.push_back(format_move_line(form.history().MoveHistory[n]));
    return lines;
}

// The reader refuses longer lines, so the writer must not make them.
bool headers_fit(const std::vector<std::string>& lines) {
    for (int i = 0; i < HeaderLines; ++i)
        if (utf8_length(lines[i]) > MaxRecordLineChars) return false;
    return true;
}

bool headers_have_sjis_form(const std::vector<std::string>& lines) {
    for (int i = 0; i < HeaderLines; ++i)
        if (!utf8_to_sjis(lines[i])) return false;
    return true;
}

// Loads the bytes of a regular file of sane size into the stream that
// 読込_棋譜ファイル reads; an error text otherwise.
std::string open_record_file(std::istringstream& file, const std::string& path) {
    std::string bytes;
    const ReadStatus status = read_regular_file(path, MaxRecordFileBytes, bytes);
    if (status == ReadStatus::TooLarge) return TooLargeMessage;
    if (status != ReadStatus::Ok) return CannotOpenMessage;
    file.str(bytes);
    file.clear();
    return "";
}

// Reads the header and every move line, checking each move before anything
// is loaded. Blank lines at the end are tolerated; inside they are refused.
std::string read_record_lines(Form1& form, LoadedRecord& record) {
    std::string line;
    int number = 0, blankRun = 0;
    while (form.読込_棋譜ファイル(line) == FlagOn) {
        ++number;
        if (utf8_length(line) > MaxRecordLineChars) return bad_line_message(number);
        if (number <= HeaderLines) {
            record.header[number - 1] = line;
            continue;
        }
        if (is_blank(line)) {
            ++blankRun;
            continue;
        }
        if (blankRun > 0) return bad_line_message(number - blankRun);
        if (record.moves.size() == MaxRecordMoves) return TooManyMovesMessage;
        std::optional<MoveRecord> move = parse_move_line(line);
        if (!move || !is_playable_move(*move)) return bad_line_message(number);
        record.moves.push_back(*move);
    }
    return "";
}

std::string read_record(Form1& form, std::istringstream& file, const std::string& path,
                        LoadedRecord& record) {
    std::string error = open_record_file(file, path);
    if (error.empty()) error = read_record_lines(form, record);
    file.str("");
    return error;
}

// The name ends in the extension, ASCII letters in either case.
bool has_extension(std::string_view name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

std::string file_name_of(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// What a .棋譜 cannot hold: a handicap set-up, or a turned game whose
// history does not start from the full set (a turned full set is the full
// set). nullptr when it can be written.
const char* kifu_refusal(const Form1& form) {
    const HistoryState& history = form.history();
    if (form.handicap().HandicapSet == FlagOn) return "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません";
    if (history.Reversed == FlagOn && !(history.HistoryLen > 0 && form.history_starts_from_full_set()))
        return "反転後は書き込みできません";
    return nullptr;
}

void close_panel_after_writing(Form1& form, Panel& panel, Dialogs& dialogs) {
    form.描画_可視(false, false, false);
    form.描画_棋譜_IO(1);
    panel.refresh_files();
    show_box(dialogs, "棋譜を書き込みました", "  ");
}

// PGN from the game's own start, whatever it is (the names as record_lines
// gives them); the same boxes as a .棋譜.
void write_pgn_record(Form1& form, Panel& panel, Dialogs& dialogs, const std::string& path,
                      const std::vector<std::string>& lines) {
    const RecordNames names{lines[0], lines[1], lines[2]};
    if (!write_file_atomically(path, formats::write_pgn(game_record_of(form, names)))) {
        show_box(dialogs, WriteFailedMessage, "棋譜保存", BoxIcon::Warning);
        return;
    }
    close_panel_after_writing(form, panel, dialogs);
}

// A record file of any other format, read whole (within the readers'
// bound) and handed to them; a file that cannot be read says so.
formats::RecordContents read_exchanged_file(const std::string& path) {
    std::string bytes;
    const ReadStatus status = read_regular_file(path, formats::MaxRecordBytes, bytes);
    if (status == ReadStatus::Ok) return formats::read_record_file(bytes, path);
    formats::RecordContents contents;
    contents.error = status == ReadStatus::TooLarge ? formats::TooLargeText : CannotOpenFileText;
    return contents;
}

// The loaded moves become the history, with the board at its start.
void fill_history(HistoryState& history, const std::vector<MoveRecord>& moves) {
    if (history.MoveHistory.size() < moves.size() + 1) history.MoveHistory.resize(moves.size() + 1);
    for (size_t i = 0; i < moves.size(); ++i) history.MoveHistory[i + 1] = moves[i];
    history.HistoryPos = 0;
    history.MoveNumber = 0;
    history.HistoryLen = static_cast<int>(moves.size());
}

}  // namespace

void Form1::KIFU_READ_Click() {
    描画_可視(true, true, true);
    描画_棋譜_IO(1);
    platform.panel.refresh_files();  // show records saved since the list was last read
}

// Any game can be written as PGN, so the panel always opens; what a .棋譜
// cannot hold is refused when a .棋譜 name is given (Command1_Click).
void Form1::KIFU_WRITE_Click() {
    描画_可視(true, true, false);
    描画_棋譜_IO(0);
}

void Form1::Drive1_Change() {
    PathResult result = platform.panel.set_dir_path(platform.panel.drive());
    if (result == PathResult::DeviceUnavailable)
        show_box(platform.dialogs, "ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ");
    else if (result == PathResult::Ok)
        Dir1_Change();  // the file list follows the new folder
}

void Form1::Dir1_Change() { platform.panel.set_file_path(platform.panel.dir_path()); }

void Form1::描画_棋譜_IO(int mode) {
    bool visible = mode == 0;
    if (!visible)
        for (PanelControl field : EntryFields) platform.panel.set_text(field, "");
    for (PanelControl control : EntryControls) platform.panel.set_visible(control, visible);
}

int Form1::読込_棋譜ファイル(std::string& line) {
    // CR LF, LF and a lone CR all end a line.
    std::string raw;
    int c;
    while ((c = RecordFile.get()) != std::char_traits<char>::eof() && c != '\r' && c != '\n')
        raw += static_cast<char>(c);
    if (c == std::char_traits<char>::eof() && raw.empty()) return FlagOff;
    if (c == '\r' && RecordFile.peek() == '\n') RecordFile.get();
    line = sjis_to_utf8(raw);
    return FlagOn;
}

double Form1::取得_棋譜のX座標(const std::string& text) const {
    return BoardOriginX + SquareWidth * ((13.0 - utf8_length(text)) / 5.0 + 3);
}

void Form1::Command1_Click() {
    Panel& panel = platform.panel;
    std::string name = panel.text(PanelControl::Text1);
    if (name.empty()) {
        show_box(platform.dialogs, "ﾌｧｲﾙ名が入力されていません", "  ");
        return;
    }
    const bool pgn = has_extension(name, PgnExtension);
    const char* refusal = pgn ? nullptr : kifu_refusal(*this);
    if (refusal) {
        show_box(platform.dialogs, refusal, "棋譜書込");
        return;
    }
    if (history_.HistoryPos < 1 && history_.HistoryLen < 1) {
        show_box(platform.dialogs, "保存するデータがありません", "棋譜保存");
        return;
    }
    if (name.find('/') != std::string::npos) {  // the name must not lead out of the chosen folder
        show_box(platform.dialogs, "ﾌｧｲﾙ名に / は使えません", "  ", BoxIcon::Warning);
        return;
    }
    std::vector<std::string> lines = record_lines(*this, platform.panel);
    if (pgn) {
        write_pgn_record(*this, panel, platform.dialogs, in_folder(panel.file_path(), name), lines);
        return;
    }
    if (!history_starts_from_full_set()) {
        show_box(platform.dialogs, formats::KifuNeedsFullSetText, "棋譜保存", BoxIcon::Warning);
        return;
    }
    if (!headers_fit(lines)) {
        show_box(platform.dialogs, TooLongTextMessage, "棋譜保存", BoxIcon::Warning);
        return;
    }
    if (!headers_have_sjis_form(lines)) {
        show_box(platform.dialogs, "棋譜に書けない文字が入力されています", "棋譜保存", BoxIcon::Warning);
        return;
    }
    if (!write_sjis_lines(in_folder(panel.file_path(), name + RecordExtension), lines)) {
        show_box(platform.dialogs, WriteFailedMessage, "棋譜保存", BoxIcon::Warning);
        return;
    }
    close_panel_after_writing(*this, panel, platform.dialogs);
}

void Form1::File1_Click() {
    open_record_file(in_folder(platform.panel.file_path(), platform.panel.file_name()));
}

// A .棋譜 is read as it always was, with its own messages; any other file
// through the record formats.
void Form1::open_record_file(const std::string& path) {
    hide_record_panel();
    if (!has_extension(path, RecordExtension)) {
        open_record_contents(read_exchanged_file(path), file_name_of(path));
        return;
    }
    LoadedRecord record;
    std::string error = read_record(*this, RecordFile, path, record);
    if (!error.empty()) {  // the game on the board stays as it was
        show_box(platform.dialogs, error, "棋譜", BoxIcon::Warning);
        return;
    }
    stop_engine_search();
    clear_history();  // the game on the board gives way to the record
    初期設定();
    history_.RecordMode = FlagOn;
    for (int i = 0; i < HeaderLines; ++i) history_.RecordHeaders[i] = record.header[i];
    draw_record_headers();
    fill_history(history_, record.moves);
    note_history_start();
    keep_game();
    if (record.moves.empty()) {
        show_box(platform.dialogs, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
        return;
    }
    show_box(platform.dialogs, " 読み込みました", "棋譜");
    show_box(platform.dialogs, "棋譜を '進 'で進めて下さい", "棋譜");
}

}  // namespace zenko
