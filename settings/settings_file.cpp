// The settings file: four Shift_JIS lines (CR LF) in the working directory
// holding the background and the three on/off options of the ｵﾌﾟｼｮﾝ menu.
// Lines are compared whole and exactly: "移動指導=on" is not ON. The options
// added since follow as "key=value" lines in any order; a file of four lines
// reads as before, and an option it lacks takes its default.
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "settings/file_access.h"
#include "settings/shift_jis.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* SettingsFile = "ZENKO中国象棋.ini";
constexpr std::size_t LineCount = 4;
// A real file is under a hundred bytes; reading stops here so that a huge
// file in its place cannot stall the start-up. Lines of any length up to it
// are read whole and simply match no option text.
constexpr std::size_t LongestRead = 16 * 1024 * 1024;
constexpr const char* CannotWriteText = "環境設定ﾌｧｲﾙを書き込めません。設定は次回の起動時には戻ります";
constexpr const char* CannotWriteTitle = "設定保存";

struct BackgroundLine {
    MenuItem Options::*item;
    int code;
    const char* text;
};

// Line 1, in the order the writer looks for the checked item.
constexpr BackgroundLine Backgrounds[] = {
    {&Options::MIDORI, BackgroundGreen, "背景画=緑"},  {&Options::TAKE, BackgroundBamboo, "背景画=竹"},
    {&Options::TATAMI, BackgroundTatami, "背景画=畳"}, {&Options::UCHU, BackgroundSpace, "背景画=宇宙"},
    {&Options::RENGA, BackgroundBrick, "背景画=煉瓦"},
};
constexpr int DefaultBackground = BackgroundGreen;
constexpr const char* DefaultBackgroundText = "背景画=緑";

void apply_guidance(Form1& form, bool on) { form.set_guidance(on); }

void apply_clock(Form1& form, bool on) { form.set_clock_shown(on); }

// The music itself starts with the sound, once the window shows.
void apply_music(Form1& form, bool on) { form.set_music(on); }

struct SwitchLine {
    MenuItem Options::*item;
    const char* onText;
    const char* offText;
    bool byDefault;
    void (*apply)(Form1&, bool on);  // the mark and what follows it
};

// Lines 2, 3 and 4.
constexpr SwitchLine Switches[] = {
    {&Options::SIDOU, "移動指導=ON", "移動指導=OFF", false, apply_guidance},
    {&Options::KEIKA, "経過時間=ON", "経過時間=OFF", true, apply_clock},
    {&Options::BGM, "BGM=ON", "BGM=OFF", true, apply_music},
};

void apply_background(Form1& form, int code) {
    form.チェック設定(code);
    form.描画_背景(code);
    form.use_background(code);
}

// An unknown text leaves the checked background as it was, and draws it so
// that the picture and the mark agree.
void read_background_line(Form1& form, const std::string& line) {
    for (const BackgroundLine& background : Backgrounds)
        if (line == background.text) return apply_background(form, background.code);
    for (const BackgroundLine& background : Backgrounds)
        if ((form.options().*background.item).Checked) return apply_background(form, background.code);
}

// The lines after the first four. Each value is one of `values`; the
// option reads and sets its value as an index into them.
struct ExtraLine {
    const char* key;
    std::array<const char*, 3> values;  // unused places are nullptr
    int byDefault;
    int (*read)(const Options&);
    void (*apply)(Form1&, int value);
};

constexpr ExtraLine Extras[] = {
    {"標準ルール",
     {"ON", "OFF", nullptr},
     1,
     [](const Options& o) { return o.HYOUJUN.Checked ? 0 : 1; },
     [](Form1& form, int value) { form.set_option(&Options::HYOUJUN, value == 0); }},
    {"棋譜一覧",
     {"ON", "OFF", nullptr},
     0,
     [](const Options& o) { return o.KIFU_ICHIRAN.Checked ? 0 : 1; },
     [](Form1& form, int value) { form.set_option(&Options::KIFU_ICHIRAN, value == 0); }},
    // The values in the order of ListNotation.
    {"表記",
     {"日本式", "中国式", "WXF"},
     0,
     [](const Options& o) { return static_cast<int>(o.list_notation()); },
     [](Form1& form, int value) { form.set_list_notation(static_cast<ListNotation>(value)); }},
};

std::string extra_text(const ExtraLine& extra, int value) {
    return std::string(extra.key) + "=" + extra.values[static_cast<std::size_t>(value)];
}

// One line after the first four: a known key with a known value takes
// effect; anything else is passed over (the next write leaves it out).
void read_extra_line(Form1& form, const std::string& line) {
    for (const ExtraLine& extra : Extras)
        for (std::size_t value = 0; value < extra.values.size() && extra.values[value]; ++value)
            if (line == extra_text(extra, static_cast<int>(value)))
                extra.apply(form, static_cast<int>(value));
}

std::vector<std::string> lines_from_marks(const Form1& form) {
    std::vector<std::string> lines;
    for (const BackgroundLine& background : Backgrounds) {
        if ((form.options().*background.item).Checked) {
            lines.push_back(background.text);
            break;
        }
    }
    for (const SwitchLine& option : Switches)
        lines.push_back((form.options().*option.item).Checked ? option.onText : option.offText);
    for (const ExtraLine& extra : Extras) lines.push_back(extra_text(extra, extra.read(form.options())));
    return lines;
}

std::vector<std::string> default_lines() {
    std::vector<std::string> lines{DefaultBackgroundText};
    for (const SwitchLine& option : Switches)
        lines.push_back(option.byDefault ? option.onText : option.offText);
    for (const ExtraLine& extra : Extras) lines.push_back(extra_text(extra, extra.byDefault));
    return lines;
}

// The file's lines; none when it is missing or cannot be read. Of a file
// cut at the limit only the lines wholly read count.
std::vector<std::string> read_settings_lines() {
    std::string bytes;
    const ReadStatus status = read_regular_file(SettingsFile, LongestRead, bytes);
    if (status == ReadStatus::Missing || status == ReadStatus::Unreadable) return {};
    std::vector<std::string> lines = split_sjis_lines(bytes);
    if (status == ReadStatus::TooLarge && !lines.empty()) lines.pop_back();
    return lines;
}

// A missing or short file: the defaults take effect and replace the file.
// A failed write here changes nothing more; the options are the defaults anyway.
void restore_defaults(Form1& form) {
    write_sjis_lines(SettingsFile, default_lines());
    apply_background(form, DefaultBackground);
    for (const SwitchLine& option : Switches) option.apply(form, option.byDefault);
    for (const ExtraLine& extra : Extras) extra.apply(form, extra.byDefault);
}

}  // namespace

void Form1::読込_環境設定ファイル() {
    std::vector<std::string> lines = read_settings_lines();
    // Lines present are applied in order before a short file falls back.
    if (!lines.empty()) read_background_line(*this, lines[0]);
    for (std::size_t i = 0; i < std::size(Switches) && i + 1 < lines.size(); ++i)
        Switches[i].apply(*this, lines[i + 1] == Switches[i].onText);
    if (lines.size() < LineCount) return restore_defaults(*this);
    for (const ExtraLine& extra : Extras) extra.apply(*this, extra.byDefault);
    for (std::size_t i = LineCount; i < lines.size(); ++i) read_extra_line(*this, lines[i]);
}

void Form1::書込_環境設定ファイル() {
    if (write_sjis_lines(SettingsFile, lines_from_marks(*this))) return;
    // One more try with the defaults. The marks turn to the defaults only when
    // that file was written: where nothing can be written (read-only folder,
    // full disk) the user's choices stay in force for this run.
    if (!write_sjis_lines(SettingsFile, default_lines())) {
        // Said once a run: the choices hold until the program ends.
        if (!options_.SettingsUnsavedTold)
            platform.dialogs.message_box(CannotWriteText, CannotWriteTitle, Buttons::OK, BoxIcon::Warning);
        options_.SettingsUnsavedTold = true;
        return;
    }
    チェック設定(DefaultBackground);
    for (const SwitchLine& option : Switches) (options_.*option.item).Checked = option.byDefault;
    for (const ExtraLine& extra : Extras) extra.apply(*this, extra.byDefault);
}

void Form1::set_guidance(bool on) { options_.SIDOU.Checked = on; }
void Form1::set_clock_shown(bool on) { options_.KEIKA.Checked = on; }
void Form1::set_music(bool on) { options_.BGM.Checked = on; }
void Form1::set_option(MenuItem Options::*item, bool on) { (options_.*item).Checked = on; }

void Form1::set_list_notation(ListNotation notation) {
    options_.NIHONSHIKI.Checked = notation == ListNotation::Japanese;
    options_.CHUUGOKUSHIKI.Checked = notation == ListNotation::Chinese;
    options_.WXF.Checked = notation == ListNotation::Wxf;
}

void Form1::mark_background(int code) {
    for (const BackgroundLine& background : Backgrounds)
        (options_.*background.item).Checked = background.code == code;
}

void Form1::use_background(int code) { options_.Background = code; }

}  // namespace zenko
