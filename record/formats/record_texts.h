// What the record readers tell the player, and the bounds they keep. The
// texts are shown in a box titled "棋譜" (and printed by the engine tool), so
// they are Japanese and name the problem, not the code that found it.
#pragma once

#include <cstddef>
#include <string>

namespace zenko::formats {

// ---- A file that gives no record at all ----
inline constexpr const char* NotRecordText = "棋譜ではありません";
inline constexpr const char* CutFileText = "ファイルが途中で切れています";
inline constexpr const char* BrokenHeaderText = "ファイルの見出しが壊れています";
inline constexpr const char* UnknownEncodingText = "文字コードが分かりません";
inline constexpr const char* TooLargeText = "ファイルが大きすぎます";
inline constexpr const char* BadPositionText = "局面が正しくありません";
inline constexpr const char* EmptyFileText = "ファイルが空です";

// ---- Why a record stops before its end (the reason of CutShort) ----
inline constexpr const char* UnreadableMoveText = "読めない指し手です";
inline constexpr const char* IllegalMoveText = "この局面では指せない手です";
inline constexpr const char* AmbiguousMoveText = "どの駒の手か決まりません";
inline constexpr const char* TooManyMovesText = "手数が多すぎます";
inline constexpr const char* TooManyGamesText = "ファイルの対局数が多すぎます";

// ---- Writers ----
inline constexpr const char* KifuNeedsFullSetText = "平手の初期配置から始まらない対局は.棋譜に書けません";
inline constexpr const char* KifuCharacterText = "棋譜に書けない文字が入っています";
inline constexpr const char* KifuTooLongText = "対局名と対局者名は1000文字までです";

// ---- Bounds: real records are kilobytes; these keep a stray or hostile
// file from filling memory or taking long. ----
inline constexpr std::size_t MaxRecordBytes = 8 * 1024 * 1024;
inline constexpr std::size_t MaxGamesPerFile = 10000;
inline constexpr std::size_t MaxMovesPerGame = 10000;  // as many as a .棋譜 holds
inline constexpr std::size_t MaxMovesPerFile = 1000000;
inline constexpr std::size_t MaxCommentBytes = 16 * 1024;
inline constexpr std::size_t MaxTagValueBytes = 1024;
inline constexpr std::size_t MaxTagsPerGame = 64;
inline constexpr std::size_t MaxWrittenMoveBytes = 64;  // a move as written, kept for the cut note

struct CutShort;
// The box after a record that stops at move N: "N手目 (written) が指せないので、
// N-1手目までを読み込みました", or for a file that ends early
// "ファイルが途中で切れているので、N-1手目までを読み込みました".
std::string cut_short_text(const CutShort& cut);
// The box after loading a record whose variations were left out:
// "変化手順N個は読み込んでいません".
std::string skipped_variations_text(int count);
// The box after reading a file some of whose games could not be read:
// "N局は読み込めませんでした (reason)".
std::string left_out_games_text(int count, const std::string& reason);

}  // namespace zenko::formats
