// The ｵﾌﾟｼｮﾝ items of the move list: 棋譜一覧 shows or hides it, 表記
// chooses the notation of its moves. Each is kept in the settings file at
// once; the window shows the list as the marks say.
#include "ui/form1.h"

namespace zenko {

void Form1::KIFU_ICHIRAN_Click() {
    set_option(&Options::KIFU_ICHIRAN, !options().KIFU_ICHIRAN.Checked);
    書込_環境設定ファイル();
}

void Form1::NIHONSHIKI_Click() {
    set_list_notation(ListNotation::Japanese);
    書込_環境設定ファイル();
}

void Form1::CHUUGOKUSHIKI_Click() {
    set_list_notation(ListNotation::Chinese);
    書込_環境設定ファイル();
}

void Form1::WXF_Click() {
    set_list_notation(ListNotation::Wxf);
    書込_環境設定ファイル();
}

}  // namespace zenko
