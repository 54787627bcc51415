#include "ui/qt/menu_table.h"

namespace zenko {

namespace {

constexpr MenuEntry MenuTable[] = {
    {"TAIKYOKU", "対局", 1, &Form1::TAIKYOKU_Click, nullptr},
    {"MATCH_MAN", "対局(人間)", 2, &Form1::MATCH_MAN_Click, nullptr},
    {"START", "スタート", 3, &Form1::START_Click, nullptr},
    {"START2", "対局(COM)", 2, nullptr, nullptr},
    {"SENTE", "先手", 3, &Form1::SENTE_Click, nullptr},
    {"GOTE", "後手", 3, &Form1::GOTE_Click, nullptr},
    {"LEVEL", "COM対局ﾚﾍﾞﾙ", 2, nullptr, nullptr},
    {"LEVEL1", "LEVEL1", 3, &Form1::LEVEL1_Click, nullptr, false, 1},
    {"LEVEL2", "LEVEL2", 3, &Form1::LEVEL2_Click, nullptr, false, 2},
    {"LEVEL3", "LEVEL3", 3, &Form1::LEVEL3_Click, nullptr, false, 3},
    {nullptr, "", 3, nullptr, nullptr},
    {"LEVEL4", "LEVEL4", 3, &Form1::LEVEL4_Click, nullptr, true, 4},
    {"LEVEL5", "LEVEL5", 3, &Form1::LEVEL5_Click, nullptr, true, 5},
    {"LEVEL6", "LEVEL6", 3, &Form1::LEVEL6_Click, nullptr, true, 6},
    {"HINT", "ヒント", 2, &Form1::HINT_Click, nullptr, true},
    {"TOURYOU", "投了", 2, &Form1::TOURYOU_Click, nullptr},
    {"OWARI", "終わり", 2, &Form1::OWARI_Click, nullptr},
    {"STOP", "局面", 1, &Form1::STOP_Click, nullptr},
    {"CANCEL", "最初", 2, &Form1::CANCEL_Click, nullptr},
    {"REVERSE", "反転", 2, &Form1::REVERSE_Click, nullptr},
    {"HENSYU", "局面編集", 2, &Form1::HENSYU_Click, nullptr},
    {nullptr, "", 2, nullptr, nullptr},
    {"FEN_COPY", "FENをコピー", 2, &Form1::FEN_COPY_Click, nullptr},
    {"REPLAY", "戻", 1, &Form1::REPLAY_Click, nullptr},
    {"AFTER", "進", 1, &Form1::AFTER_Click, nullptr},
    {"LBEL_UP", "△", 1, &Form1::LBEL_UP_Click, nullptr},
    {"LEBEL_DOWN", "▽", 1, &Form1::LEBEL_DOWN_Click, nullptr},
    {"KIFU", "棋譜", 1, nullptr, nullptr},
    {"KIFU_READ", "読込", 2, &Form1::KIFU_READ_Click, nullptr},
    {"KIFU_WRITE", "書込", 2, &Form1::KIFU_WRITE_Click, nullptr},
    {nullptr, "", 2, nullptr, nullptr},
    {"KIFU_COPY", "棋譜をコピー", 2, &Form1::KIFU_COPY_Click, nullptr},
    {"KIFU_PASTE", "棋譜を貼り付け", 2, &Form1::KIFU_PASTE_Click, nullptr},
    {nullptr, "", 2, nullptr, nullptr},
    {"KENTOU", "検討", 2, &Form1::KENTOU_Click, nullptr, true},
    {"OPTION", "ｵﾌﾟｼｮﾝ", 1, &Form1::OPTION_Click, nullptr},
    {"HAIKEI_GA", "背景画", 2, nullptr, nullptr},
    {"MIDORI", "緑", 3, &Form1::MIDORI_Click, &Options::MIDORI},
    {"TATAMI", "畳", 3, &Form1::TATAMI_Click, &Options::TATAMI},
    {"TAKE", "竹", 3, &Form1::TAKE_Click, &Options::TAKE},
    {"UCHU", "宇宙", 3, &Form1::UCHU_Click, &Options::UCHU},
    {"RENGA", "煉瓦", 3, &Form1::RENGA_Click, &Options::RENGA},
    {"SIDOU", "移動指導", 2, &Form1::SIDOU_Click, &Options::SIDOU},
    {"KEIKA", "経過時間", 2, &Form1::KEIKA_Click, &Options::KEIKA},
    {"BGM", "BGM", 2, &Form1::BGM_Click, &Options::BGM},
    {"HYOUJUN", "標準ルール", 2, &Form1::HYOUJUN_Click, &Options::HYOUJUN},
    {"KIFU_ICHIRAN", "棋譜一覧", 2, &Form1::KIFU_ICHIRAN_Click, &Options::KIFU_ICHIRAN},
    {"HYOUKI", "表記", 2, nullptr, nullptr},
    {"NIHONSHIKI", "日本式", 3, &Form1::NIHONSHIKI_Click, &Options::NIHONSHIKI},
    {"CHUUGOKUSHIKI", "中国式", 3, &Form1::CHUUGOKUSHIKI_Click, &Options::CHUUGOKUSHIKI},
    {"WXF", "WXF", 3, &Form1::WXF_Click, &Options::WXF},
    {"VER", "その他", 1, &Form1::VER_Click, nullptr},
};

}  // namespace

std::span<const MenuEntry> menu_table() { return MenuTable; }

}  // namespace zenko
