// mozaru-cli's texts: every message on standard error, the usage and the help,
// in one table, each in English and in Japanese; the one "mozaru-cli: "
// prefix; and the messages that several jobs write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_forms.h"
#include "encoding/text_codec.h"

namespace mozaru {

struct CliText {
    std::string_view id;
    std::string_view english;
    std::string_view japanese;
};

// A new text is one row: its id, the English, the Japanese; {1}, {2}...
// stand for what the caller fills in, in either order. Use it as
// cliMessage("id"_text, {...}). Texts of the other tables (the board forms'
// and the outputs' descriptions) have rows too, found by their English.
inline constexpr CliText kCliTexts[] = {
    // The prefixes and the names of the standard streams.
    {"warning", "warning: ", "警告: "},
    {"standard-input", "standard input", "標準入力"},
    {"standard-output", "standard output", "標準出力"},
    // Reading and writing.
    {"cannot-read", "cannot read {1}: {2}", "{1} を読み込めません: {2}"},
    {"cannot-read-input", "cannot read {1}", "{1} を読み込めません"},
    {"cannot-write", "cannot write {1}: {2}", "{1} に書き込めません: {2}"},
    {"cannot-write-output", "cannot write {1}", "{1} に書き込めません"},
    {"cannot-create-folder", "cannot create folder {1}", "フォルダ {1} を作れません"},
    {"too-large-mib", "larger than the input limit of {1} MiB",
     "入力の上限 {1} MiB を超えています"},
    {"too-large-bytes", "larger than the input limit of {1} bytes",
     "入力の上限 {1} バイトを超えています"},
    {"limit-hint", " (--max-input-size raises it)", "（--max-input-size で上限を上げられます）"},
    {"out-of-memory", "{1}: out of memory", "{1}: メモリが不足しています"},
    {"failed", "{1}: {2}", "{1}: {2}"},
    {"undecodable-one", "{1}: 1 undecodable byte replaced by U+FFFD (read as {2})",
     "{1}: 文字にならない 1 バイトを U+FFFD に置き換えました（{2} として読み込み）"},
    {"undecodable", "{1}: {3} undecodable bytes replaced by U+FFFD (read as {2})",
     "{1}: 文字にならない {3} バイトを U+FFFD に置き換えました（{2} として読み込み）"},
    {"references-cp932-one", "{1}: 1 character not in CP932 written as &#N; references",
     "{1}: CP932 にない 1 文字を &#N; の参照で書きました"},
    {"references-cp932", "{1}: {2} characters not in CP932 written as &#N; references",
     "{1}: CP932 にない {2} 文字を &#N; の参照で書きました"},
    {"references-one", "{1}: 1 character written as &#N; references",
     "{1}: 1 文字を &#N; の参照で書きました"},
    {"references", "{1}: {2} characters written as &#N; references",
     "{1}: {2} 文字を &#N; の参照で書きました"},
    // The board forms.
    {"none-found", "{1}: {2} (--input-format {3})", "{1}: {2}（--input-format {3}）"},
    {"none-found-dat", "no line of a .dat log", ".dat ログの行がありません"},
    {"none-found-5ch", "no post of a 5ch or bbspink page",
     "5ch・bbspink のページの投稿がありません"},
    {"not-a-post", "{1}:{2}: not a post of the .dat log, skipped ({3})",
     "{1}:{2}: .dat ログの投稿ではないので読み飛ばしました（{3}）"},
    {"empty-line", "an empty line", "空の行です"},
    {"no-post-number", "its first field is no post number", "最初の欄が投稿番号ではありません"},
    {"fields-one", "1 field where its lines have {1}", "欄の数が 1 です（この形式の行は {1}）"},
    {"fields", "{2} fields where its lines have {1}", "欄の数が {2} です（この形式の行は {1}）"},
    {"six-or-seven", "6 or 7", "6 か 7"},
    {"more-lines-one", "{1}: 1 more line that is no post skipped",
     "{1}: ほかに投稿ではない 1 行を読み飛ばしました"},
    {"more-lines", "{1}: {2} more lines that are no posts skipped",
     "{1}: ほかに投稿ではない {2} 行を読み飛ばしました"},
    // Batches and folders.
    {"stdin-in-batch", "standard input (-) has no file name for --output-dir",
     "標準入力（-）には --output-dir で使うファイル名がありません"},
    {"names-no-file", "{1} names no file", "{1} はファイルの名前ではありません"},
    {"same-file-name", "inputs {1} and {2} have the same file name {3}",
     "入力 {1} と {2} のファイル名が同じ {3} です"},
    {"same-result", "inputs {1} and {2} would both be written to {3}",
     "入力 {1} と {2} がどちらも {3} に書かれることになります"},
    {"result-replaces-input", "the result of {1} would replace it (--output-dir is its folder)",
     "{1} の結果が {1} 自身を置き換えることになります（--output-dir がそのフォルダです）"},
    {"several-inputs", "several inputs need --output-dir (-d); -o takes one input",
     "入力が複数のときは --output-dir (-d) を指定してください（-o は入力一つだけです）"},
    {"folder-needs-d", "the folder {1} needs --output-dir (-d)",
     "フォルダ {1} には --output-dir (-d) を指定してください"},
    {"no-pages-in-folder", "{1} holds no .dat, .html, .htm or .txt file",
     "{1} には .dat、.html、.htm、.txt のファイルがありません"},
    // explain.
    {"explained", "{1} bodies examined, {2} ASCII art", "本文 {1} 件を調べ、AA は {2} 件でした"},
    // The command line and its help.
    {"about", "Extracts ASCII art from saved thread pages and reshapes its line breaks.",
     "保存したスレッドのページからAAを抜き出し、その改行を整えます。"},
    {"help-flag", "Print this help message and exit", "このヘルプを表示して終わります"},
    {"extract", "keep the post bodies that are ASCII art", "AAである投稿の本文だけを残す"},
    {"convert", "write a .dat log or 5ch/bbspink page as the classic page",
     ".dat ログや 5ch・bbspink のページを昔の保存ページの形で書く"},
    {"add-breaks", "put a line break after every <BR>", "<BR> のあとに改行を入れる"},
    {"remove-breaks", "take those line breaks out again", "その改行を取り除く"},
    {"explain", "show the classifier's figures and verdict for every post body",
     "投稿の本文ごとに、判定に使った数と結果を示す"},
    {"level",
     "precision: 0 all, 1 standard (total length over 60), 2 large AA only (over 500); default 0",
     "抽出精度: 0 全て、1 標準（全体の長さが 60 を超えるもの）、2 大規模AAのみ（500 を"
     "超えるもの）。既定は 0"},
    {"merge", "keep identical ASCII art once", "同じAAを1つにまとめる"},
    {"json", "JSON lines: post, lines, total, symbols, ideographs, latin, is_aa, rule, merge_key",
     "JSON で一行ずつ: post, lines, total, symbols, ideographs, latin, is_aa, rule, merge_key"},
    {"input-encoding", "default auto: BOM, detector, else cp932",
     "既定は auto: BOM、なければ判定、それでもなければ cp932"},
    {"max-input-size",
     "inputs larger than SIZE fail before they are read whole (default 4G; K, M, G: powers of "
     "1024)",
     "SIZE より大きい入力は読み込む前に失敗にする（既定 4G。K、M、G は 1024 の累乗）"},
    {"input-format",
     "default auto: .dat logs and 5ch/bbspink pages are recognised and read as the classic page; "
     "classic takes the input as it stands",
     "既定は auto: .dat ログと 5ch・bbspink のページを見分け、昔の保存ページとして読む。"
     "classic は入力をそのまま読む"},
    {"to-html", "the kept bodies between <HR> rules (default)",
     "残した本文を <HR> で区切ったもの（既定）"},
    {"to-mlt", "an AA library of plain text, items between [SPLIT] lines",
     "プレーンテキストのAAライブラリ、[SPLIT] の行で区切る"},
    {"to-ast", "an AA library of plain text, each item after [AA][number]",
     "プレーンテキストのAAライブラリ、それぞれ [AA][番号] の行のあと"},
    {"output", "the result of a single input (default: standard output)",
     "入力一つの結果（既定は標準出力）"},
    {"output-dir",
     "batch: each result to DIR/<input file name>, a folder's files at their paths below it; DIR "
     "is created; two results of the same name are refused before anything is written",
     "一括: 結果はそれぞれ DIR/<入力のファイル名> に、フォルダのファイルは同じ道筋の下に書く。"
     "DIR は作られる。同じ名前の結果が二つあれば何も書かずに断る"},
    {"output-encoding", "default: utf-8 to a terminal, else cp932",
     "既定: 端末への出力は utf-8、それ以外は cp932"},
    {"jobs", "files processed in parallel in batch mode (default: cores)",
     "一括のとき同時に処理するファイルの数（既定: コア数）"},
    {"quiet", "no progress display", "進み具合を表示しない"},
    {"inputs",
     "input files, or folders (with -d) walked for *.dat *.html *.htm *.txt; none or - "
     "reads standard input",
     "入力ファイル、または（-d のとき）*.dat *.html *.htm *.txt を探すフォルダ。"
     "なし、または - で標準入力"},
    {"input", "input file; none or - reads standard input",
     "入力ファイル。なし、または - で標準入力"},
    {"usage",
     "usage:\n"
     "  mozaru-cli extract       [--level 0|1|2] [--merge] [--to {1}] [--input-format F]\n"
     "                           [common options] [INPUT...]\n"
     "  mozaru-cli convert       [--input-format F] [common options] [INPUT...]\n"
     "  mozaru-cli add-breaks    [common options] [INPUT...]\n"
     "  mozaru-cli remove-breaks [common options] [INPUT...]\n"
     "  mozaru-cli explain       [--level 0|1|2] [--json] [--input-encoding E] [--input-format F]\n"
     "                           [INPUT]\n"
     "common options:\n"
     "  -o, --output FILE        the result of a single input (default: standard output)\n"
     "  -d, --output-dir DIR     batch: each result to DIR/<input file name>; a folder INPUT is\n"
     "                           walked for *.dat *.html *.htm *.txt, results at the same paths\n"
     "  --input-encoding auto|cp932|euc-jp|utf-8   (default auto)\n"
     "  --output-encoding cp932|utf-8              (default: utf-8 to a terminal, else cp932)\n"
     "  --input-format F         F: {2}\n"
     "                           (default auto: recognise .dat logs and 5ch/bbspink pages)\n"
     "  --max-input-size SIZE    larger inputs fail (default 4G; K, M, G: powers of 1024)\n"
     "  -j, --jobs N             files processed in parallel in batch mode (default: cores)\n"
     "  -q, --quiet              no progress display\n"
     "No INPUT, or -, reads standard input. 'mozaru-cli COMMAND --help' tells more.\n",
     "使い方:\n"
     "  mozaru-cli extract       [--level 0|1|2] [--merge] [--to {1}] [--input-format F]\n"
     "                           [共通のオプション] [INPUT...]\n"
     "  mozaru-cli convert       [--input-format F] [共通のオプション] [INPUT...]\n"
     "  mozaru-cli add-breaks    [共通のオプション] [INPUT...]\n"
     "  mozaru-cli remove-breaks [共通のオプション] [INPUT...]\n"
     "  mozaru-cli explain       [--level 0|1|2] [--json] [--input-encoding E] [--input-format F]\n"
     "                           [INPUT]\n"
     "共通のオプション:\n"
     "  -o, --output FILE        入力一つの結果（既定は標準出力）\n"
     "  -d, --output-dir DIR     一括: 結果はそれぞれ DIR/<入力のファイル名> に。フォルダの INPUT\n"
     "                           からは *.dat *.html *.htm *.txt を探し、結果は同じ道筋に書く\n"
     "  --input-encoding auto|cp932|euc-jp|utf-8   （既定 auto）\n"
     "  --output-encoding cp932|utf-8              （既定: 端末へは utf-8、それ以外は cp932）\n"
     "  --input-format F         F: {2}\n"
     "                           （既定 auto: .dat ログと 5ch・bbspink のページを見分ける）\n"
     "  --max-input-size SIZE    これより大きい入力は失敗（既定 4G。K、M、G は 1024 の累乗）\n"
     "  -j, --jobs N             一括のとき同時に処理するファイルの数（既定: コア数）\n"
     "  -q, --quiet              進み具合を表示しない\n"
     "INPUT がないか - なら標準入力を読みます。'mozaru-cli COMMAND --help' で詳しく表示します。\n"},
    // CLI11's words in the help, and its errors.
    {"Usage", "Usage", "使い方"},
    {"OPTIONS", "OPTIONS", "オプション"},
    {"SUBCOMMAND", "SUBCOMMAND", "コマンド"},
    {"Options", "Options", "オプション"},
    {"Subcommands", "Subcommands", "コマンド"},
    {"Positionals", "Positionals", "引数"},
    {"REQUIRED", "REQUIRED", "必須"},
    {"Excludes", "Excludes", "同時に使えない"},
    {"no-command", "a command is needed: extract, convert, add-breaks, remove-breaks or explain",
     "コマンドを一つ指定してください: extract、convert、add-breaks、remove-breaks、explain"},
    {"not-expected", "not expected: {1}", "余分な引数があります: {1}"},
    {"bad-value", "{1}", "値が正しくありません: {1}"},
    {"missing-value", "{1}", "値が足りません: {1}"},
    {"excludes", "{1}", "同時には使えません: {1}"},
    {"bad-command-line", "{1}", "コマンドラインを読めません: {1}"},
};

// A row of kCliTexts by its id: "cannot-read"_text. An id the table does
// not hold does not compile.
struct CliTextId {
    std::size_t index;
};

consteval CliTextId operator""_text(const char* id, std::size_t length) {
    for (std::size_t k = 0; k < std::size(kCliTexts); ++k) {
        if (kCliTexts[k].id == std::string_view(id, length)) return CliTextId{k};
    }
    throw "no such row in kCliTexts";
}

enum class CliLanguage { English, Japanese };

// Japanese under a ja locale (LC_ALL, LC_MESSAGES, LANG, the first set;
// on Windows the user's language), English otherwise; read once.
CliLanguage cliLanguage();
// For tests, and for a caller that knows better.
void setCliLanguage(CliLanguage language);

// The text in the language, {1}, {2}... replaced by args.
std::string cliText(CliTextId id, std::initializer_list<std::string_view> args = {});
// A text given as it stands: in Japanese when a row has it as its English,
// else as given.
std::string cliText(std::string_view english);

// "mozaru-cli: " and the text; a warning has "warning: " after the prefix.
std::string cliMessage(CliTextId id, std::initializer_list<std::string_view> args = {});
std::string cliWarning(CliTextId id, std::initializer_list<std::string_view> args = {});
// The same for a text given as it stands (translated as cliText does).
std::string cliMessage(std::string_view text);
std::string cliWarning(std::string_view text);

// The input's name in messages: standard input has none of its own.
std::string displayName(const std::string& input);

// Undecodable bytes of an input replaced by U+FFFD: nothing when none were.
void warnUndecodable(const std::string& input, const DecodedText& decoded,
                     std::vector<std::string>& messages);
// Characters the output encoding cannot hold, written as references.
void warnReferences(std::string_view output, std::size_t references, bool cp932,
                    std::vector<std::string>& messages);
// The lines of a .dat log that are no post, named as input:line (the first
// few, then a count).
void warnMalformed(const std::string& name, const ClassicPage& page,
                   std::vector<std::string>& messages);

// Why an input of more than limit bytes is not read, with the hint of
// --max-input-size.
std::string tooLargeText(std::uint64_t limit);

// For texts not in the table yet: "1 byte", "2 bytes", and the hint after
// the reason an input is too large.
std::string plural(std::size_t n, std::string_view one, std::string_view many);
inline constexpr std::string_view kLimitHint = " (--max-input-size raises it)";

}  // namespace mozaru
