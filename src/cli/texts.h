// mozaru-cli's one table of texts: every message, the usage and the help, each
// in English and in Japanese.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace mozaru {

struct CliText {
    std::string_view id;
    std::string_view english;
    std::string_view japanese;
};

// A new text is one row: its id, the English, the Japanese; {1}, {2}...
// stand for what the caller fills in, in either order. Use it as
// cliMessage("id"_text, {...}). Texts that other parts of the program write
// in English (ids "of-...") are found by their English, blanks and all.
inline constexpr CliText kCliTexts[] = {
    // The prefix of warnings and the names of the standard streams.
    {"warning", "warning: ", "警告: "},
    {"standard-input", "standard input", "標準入力"},
    {"standard-output", "standard output", "標準出力"},

    // Reading and writing.
    {"cannot-read", "cannot read {1}: {2}", "{1} を読み込めません: {2}"},
    {"cannot-read-stdin", "cannot read standard input", "標準入力を読み込めません"},
    {"cannot-write", "cannot write {1}: {2}", "{1} に書き込めません: {2}"},
    {"cannot-write-stdout", "cannot write standard output", "標準出力に書き込めません"},
    {"cannot-create-folder", "cannot create folder {1}", "フォルダ {1} を作れません"},
    {"limit-hint", " (--max-input-size raises it)", "（--max-input-size で上限を上げられます）"},
    {"failed", "{1}: {2}", "{1}: {2}"},
    {"out-of-memory", "out of memory", "メモリが不足しています"},
    {"unknown-failure", "unknown failure", "原因のわからない失敗です"},
    {"no-posts-found", "{1}: no posts found (the page is in no form Mozaru reads)",
     "{1}: 投稿が見つかりません（Mozaru が読めるどの形式のページでもありません）"},
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
    {"not-a-post", "{1}:{2}: not a post of the .dat log, skipped ({3})",
     "{1}:{2}: .dat ログの投稿ではないので読み飛ばしました（{3}）"},
    {"empty-line", "an empty line", "空の行です"},
    {"no-post-number", "its first field is no post number", "最初の欄が投稿番号ではありません"},
    {"fields-one", "1 field where its lines have {1}", "欄の数が 1 です（この形式の行は {1}）"},
    {"fields", "{2} fields where its lines have {1}", "欄の数が {2} です（この形式の行は {1}）"},
    {"more-lines-one", "{1}: 1 more line that is no post skipped",
     "{1}: ほかに投稿ではない 1 行を読み飛ばしました"},
    {"more-lines", "{1}: {2} more lines that are no posts skipped",
     "{1}: ほかに投稿ではない {2} 行を読み飛ばしました"},
    {"classic-entries-one",
     "{1}: 1 <DD> entry of a classic page besides the posts not read (--input-format classic "
     "reads the page as it stands)",
     "{1}: 投稿のほかにある昔の保存ページの <DD> の項目 1 つは読んでいません（--input-format "
     "classic ならページをそのまま読みます）"},
    {"classic-entries",
     "{1}: {2} <DD> entries of a classic page besides the posts not read (--input-format "
     "classic reads the page as it stands)",
     "{1}: 投稿のほかにある昔の保存ページの <DD> の項目 {2} 個は読んでいません（--input-format "
     "classic ならページをそのまま読みます）"},

    // --author.
    {"author-no-header",
     "{1}: --author auto: the first post has no header (<DT>N ：NAME：DATE ID:X) to take the "
     "author from",
     "{1}: --author auto: 最初の投稿に、作者を決めるヘッダー（<DT>N ：NAME：DATE ID:X）があり"
     "ません"},
    {"author-default-name",
     "{1}: --author auto: post {2}'s header shows no ID, no trip, and the board's default name "
     "{3}; name the author with id:X, trip:X or name:X",
     "{1}: --author auto: {2} 番の投稿のヘッダーには ID もトリップもなく、名前は板の既定の名前 "
     "{3} です。id:X、trip:X、name:X で作者を指定してください"},
    {"author", "author: {1}", "作者: {1}"},
    {"author-chosen", "{1} ({2})", "{1}（{2}）"},
    {"author-as-given", "as given", "指定のとおり"},
    {"author-by-id", "the ID in post {1}'s header", "{1} 番の投稿のヘッダーの ID"},
    {"author-by-trip", "post {1}'s header shows no ID; its trip",
     "{1} 番の投稿のヘッダーに ID がないので、そのトリップ"},
    {"author-by-name", "post {1}'s header shows no ID and no trip; its name",
     "{1} 番の投稿のヘッダーに ID もトリップもないので、その名前"},
    {"author-bad", "--author takes auto, id:X, trip:X or name:X, not {1}",
     "--author には auto、id:X、trip:X、name:X のどれかを指定してください（{1} ではなく）"},

    // explain.
    {"explained", "{1} bodies examined, {2} ASCII art", "本文 {1} 件を調べ、AA は {2} 件でした"},
    {"explained-author", "{1} bodies examined, {2} ASCII art, {3} of them the author's",
     "本文 {1} 件を調べ、AA は {2} 件（うち作者のもの {3} 件）でした"},

    // Batches, folders and the folder walk.
    {"progress", "{1}/{2} files, {3} MB/s", "{1}/{2} ファイル、{3} MB/s"},
    {"several-inputs", "several inputs need --output-dir (-d); -o takes one input",
     "入力が複数のときは --output-dir (-d) を指定してください（-o は入力 1 つだけです）"},
    {"stdin-in-batch", "standard input (-) has no file name for --output-dir",
     "標準入力（-）には --output-dir で使うファイル名がありません"},
    {"names-no-file", "{1} names no file", "{1} はファイルの名前ではありません"},
    {"same-file-name", "inputs {1} and {2} have the same file name {3}",
     "入力 {1} と {2} のファイル名が同じ {3} です"},
    {"same-result", "inputs {1} and {2} would both be written to {3}",
     "入力 {1} と {2} がどちらも {3} に書かれることになります"},
    {"letter-case", " ({1} does not tell letter case apart)",
     "（{1} は大文字と小文字を区別しません）"},
    {"result-replaces-input", "the result of {1} would replace it (--output-dir is its folder)",
     "{1} の結果が {1} 自身を置き換えることになります（--output-dir がそのフォルダです）"},
    {"result-replaces-other", "the result of {1} would replace {2}, an input of this run",
     "{1} の結果が、この実行の入力 {2} を置き換えることになります"},
    {"output-link",
     "cannot write {1}: {2} is a symbolic link, which --output-dir never writes through",
     "{1} に書き込めません: {2} はシンボリックリンクです（--output-dir はリンクの先には書きま"
     "せん）"},
    {"folder-needs-d", "the folder {1} needs --output-dir (-d)",
     "フォルダ {1} には --output-dir (-d) を指定してください"},
    {"no-pages-in-folder", "{1} holds no .dat, .json, .html, .htm or .txt file",
     "{1} には .dat、.json、.html、.htm、.txt のファイルがありません"},
    {"output-dir-is-given",
     "the output folder {1} is the folder {2} given and holds {3}, which a result could replace: "
     "give -d another folder",
     "出力先のフォルダ {1} は入力に指定したフォルダ {2} そのもので、結果で置き換わるかもしれない "
     "{3} があります。-d には別のフォルダを指定してください"},
    {"output-dir-in-given",
     "the output folder {1} lies in the folder {2} given and holds {3}, which a result could "
     "replace: give -d an empty folder or one outside {2}",
     "出力先のフォルダ {1} は入力に指定したフォルダ {2} の中にあり、結果で置き換わるかもしれない "
     "{3} があります。-d には空のフォルダか {2} の外のフォルダを指定してください"},
    {"skipped", "{1}: skipped: {2}", "{1}: 読み飛ばしました: {2}"},
    {"not-regular", "not a regular file", "通常のファイルではありません"},
    {"link-to-nothing", "a symbolic link to nothing", "指す先のないシンボリックリンクです"},
    {"link-not-followed", "a symbolic link, not followed (--follow-symlinks)",
     "シンボリックリンクなのでたどりません（--follow-symlinks）"},
    {"link-out", "a symbolic link out of the folders given",
     "指定したフォルダの外を指すシンボリックリンクです"},
    {"link-above", "a symbolic link to a folder above it",
     "上のフォルダを指すシンボリックリンクです"},

    // Options that do not go together.
    {"dedup-inputs", "dedup reads either a collection (--db) or INPUTs",
     "dedup にはコレクション（--db）か INPUT のどちらか一方を指定してください"},
    {"headings-libraries", "--headings writes headings into libraries (--to mlt or ast)",
     "--headings はライブラリ（--to mlt か ast）に見出しを書くオプションです"},
    {"image-options", "--font, --font-size, --line-height and --background are for images",
     "--font、--font-size、--line-height、--background は画像のためのオプションです"},
    {"per-picture-needs-d", "--to {1} writes one file per picture: it needs --output-dir (-d)",
     "--to {1} は絵 1 枚ごとにファイルを書くので、--output-dir (-d) を指定してください"},

    // The collection.
    {"index-summary", "{1}: {2}, {3} unchanged, {4} removed, {5} skipped; {6}, {7} removed",
     "{1}: {2}、変更なし {3}、削除 {4}、読み飛ばし {5}。{6}、削除 {7}"},
    {"files-read-one", "1 file read", "読み込んだファイル 1"},
    {"files-read", "{1} files read", "読み込んだファイル {1}"},
    {"pictures-added-one", "1 picture added", "追加した絵 1"},
    {"pictures-added", "{1} pictures added", "追加した絵 {1}"},
    {"dedup-summary", "{1}: {2}, {3} exact and {4} near duplicates",
     "{1}: {2}、まったく同じもの {3}、よく似たもの {4}"},
    {"pictures-one", "1 picture", "絵 1 枚"},
    {"pictures", "{1} pictures", "絵 {1} 枚"},
    {"clusters-one", "1 cluster", "まとまり 1 組"},
    {"clusters", "{1} clusters", "まとまり {1} 組"},

    // The usage, after a usage error.
    {"usage",
     "usage:\n"
     "  mozaru-cli extract       [--level 0|1|2] [--merge] [--detector seed|picture]\n"
     "                           [--to {1}] [--input-format F]\n"
     "                           [--author auto|id:X|trip:X|name:X] [--with-header] [--headings]\n"
     "{3}"
     "                           [--allow-empty] [common options] [INPUT...]\n"
     "  mozaru-cli convert       [--input-format F] [--allow-empty] [common options] [INPUT...]\n"
     "  mozaru-cli add-breaks    [common options] [INPUT...]\n"
     "  mozaru-cli remove-breaks [common options] [INPUT...]\n"
     "  mozaru-cli explain       [--level 0|1|2] [--detector seed|picture] [--json]\n"
     "                           [--input-encoding E] [--input-format F] [--author A]\n"
     "                           [--allow-empty] [INPUT]\n"
     "  mozaru-cli index         --db FILE [--merge DB...] [--level 0|1|2] [INPUT...]\n"
     "  mozaru-cli search        --db FILE [--category C] [--limit N] [--to {1}] TEXT\n"
     "  mozaru-cli dedup         (--db FILE | INPUT...) [--threshold T] [--mirror]\n"
     "common options:\n"
     "  -o, --output FILE        the result of a single input (default: standard output)\n"
     "  -d, --output-dir DIR     batch: each result to DIR/<input file name>; a folder INPUT is\n"
     "                           walked for *.dat *.json *.html *.htm *.txt, results at the "
     "same paths\n"
     "  --input-encoding auto|cp932|euc-jp|utf-8   (default auto)\n"
     "  --output-encoding cp932|utf-8              (default: utf-8 to a terminal, else cp932)\n"
     "  --input-format {2}\n"
     "                           (default auto: recognise every form Mozaru reads)\n"
     "  --allow-empty            an input in which no post is found is no error\n"
     "  --max-input-size SIZE    larger inputs fail (default 4G; K, M, G: powers of 1024)\n"
     "  -j, --jobs N             files processed in parallel in batch mode (default: cores)\n"
     "  -q, --quiet              no progress display\n"
     "  --follow-symlinks        follow a folder's links that stay within the folders given\n"
     "No INPUT, or -, reads standard input. 'mozaru-cli COMMAND --help' tells more.\n",
     "使い方:\n"
     "  mozaru-cli extract       [--level 0|1|2] [--merge] [--detector seed|picture]\n"
     "                           [--to {1}] [--input-format F]\n"
     "                           [--author auto|id:X|trip:X|name:X] [--with-header] [--headings]\n"
     "{3}"
     "                           [--allow-empty] [共通のオプション] [INPUT...]\n"
     "  mozaru-cli convert       [--input-format F] [--allow-empty] [共通のオプション] [INPUT...]\n"
     "  mozaru-cli add-breaks    [共通のオプション] [INPUT...]\n"
     "  mozaru-cli remove-breaks [共通のオプション] [INPUT...]\n"
     "  mozaru-cli explain       [--level 0|1|2] [--detector seed|picture] [--json]\n"
     "                           [--input-encoding E] [--input-format F] [--author A]\n"
     "                           [--allow-empty] [INPUT]\n"
     "  mozaru-cli index         --db FILE [--merge DB...] [--level 0|1|2] [INPUT...]\n"
     "  mozaru-cli search        --db FILE [--category C] [--limit N] [--to {1}] TEXT\n"
     "  mozaru-cli dedup         (--db FILE | INPUT...) [--threshold T] [--mirror]\n"
     "共通のオプション:\n"
     "  -o, --output FILE        入力 1 つの結果を書くファイル（省略時は標準出力）\n"
     "  -d, --output-dir DIR     一括処理: 結果はそれぞれ DIR/<入力のファイル名> に。フォルダの\n"
     "                           INPUT は *.dat *.json *.html *.htm *.txt "
     "を探し、結果は同じ道筋に\n"
     "  --input-encoding auto|cp932|euc-jp|utf-8   （省略時 auto）\n"
     "  --output-encoding cp932|utf-8              （省略時は端末へ utf-8、それ以外は cp932）\n"
     "  --input-format {2}\n"
     "                           （省略時 auto: Mozaru が読める形式をすべて見分ける）\n"
     "  --allow-empty            投稿が見つからない入力をエラーにしない\n"
     "  --max-input-size SIZE    これより大きい入力は失敗（省略時 4G。K、M、G は 1024 の累乗）\n"
     "  -j, --jobs N             一括処理で同時に処理するファイルの数（省略時は CPU の数）\n"
     "  -q, --quiet              進み具合を表示しない\n"
     "  --follow-symlinks        フォルダの中のリンクを、指定したフォルダの中を指すかぎりたどる\n"
     "INPUT がないか - のときは標準入力を読みます。'mozaru-cli COMMAND --help' "
     "で詳しく表示します。\n"},
    {"usage-pictures",
     "                           [--font FILE|FAMILY] [--font-size PX] [--line-height PX]\n"
     "                           [--background white|transparent]\n",
     "                           [--font FILE|FAMILY] [--font-size PX] [--line-height PX]\n"
     "                           [--background white|transparent]\n"},

    // --help: the program, its commands and their options.
    {"about", "Extracts ASCII art from saved thread pages and reshapes its line breaks.",
     "保存したスレッドのページから AA を抜き出し、その改行を整えます。"},
    {"help-flag", "Print this help message and exit", "このヘルプを表示して終わります"},
    {"extract", "keep the post bodies that are ASCII art", "AA である投稿の本文だけを残す"},
    {"convert", "write a log or page in another form as the classic page",
     "ほかの形式のログやページを昔の保存ページの形で書く"},
    {"add-breaks", "put a line break after every <BR>", "<BR> のあとごとに改行を入れる"},
    {"remove-breaks", "take those line breaks out again", "その改行を取り除く"},
    {"explain", "show the classifier's figures and verdict for every post body",
     "投稿の本文ごとに、判定に使った数と結果を表示する"},
    {"index",
     "put every picture of the inputs (MLT, AST, .txt, thread pages and logs; folders walked, "
     "their paths the categories) into a collection; files unchanged since are not read again",
     "入力（MLT、AST、.txt、スレッドのページとログ。フォルダは中まで探し、その道筋を分類にする）"
     "の絵をすべてコレクションに入れる。前回から変わっていないファイルは読み直さない"},
    {"search", "list the pictures of a collection that hold TEXT",
     "コレクションの中で TEXT を含む絵を一覧にする"},
    {"dedup",
     "list the pictures that are there more than once: the same text, or near (other spaces, "
     "lines changed; --mirror: the mirror image)",
     "2 つ以上ある絵を一覧にする: まったく同じ文字のもの、またはよく似たもの（空白の違い、"
     "変わった行。--mirror では左右反転したもの）"},
    {"level",
     "precision: 0 all, 1 standard (total length over 60), 2 large AA only (over 500); default 0",
     "抽出精度: 0 全て、1 標準（総文字数が 60 を超えるもの）、2 大規模AAのみ（500 を超えるもの）。"
     "省略時 0"},
    {"detector",
     "seed (default): the shares of symbols, kanji and Latin letters in the whole body; picture: "
     "what the pieces between the spaces of each line are made of, and runs of such lines",
     "seed（省略時）: 本文全体の記号・漢字・英字の割合で判定する。picture: 各行を空白で区切った"
     "一つ一つが何でできているかと、そういう行の続き方で判定する"},
    {"merge", "keep identical ASCII art once", "同じ AA を 1 つにまとめる"},
    {"new-only",
     "keep only pictures the collection --db does not hold (the same text, or similar by "
     "--threshold)",
     "コレクション --db にない絵だけを残す（同じ文字の絵と、--threshold で似ているとされる絵は"
     "あるとみなす）"},
    {"db", "the collection", "コレクション"},
    {"db-file", "the collection, one SQLite file", "コレクション（SQLite のファイル 1 つ）"},
    {"db-or-inputs", "the collection (else the INPUTs are read)",
     "コレクション（なければ INPUT を読む）"},
    {"threshold",
     "the least similarity of near duplicates: the share of lines two pictures have in common, "
     "spaces left out (default 0.8)",
     "よく似たものとみなす似かたの下限: 2 つの絵に共通する行の割合、空白は除く（省略時 0.8）"},
    {"author-option",
     "the author's posts only: auto takes post 1's ID, else its trip, else its name (not the "
     "board's default); id:X, trip:X (with or without ◆), name:X",
     "作者の投稿だけを残す: auto は 1 番の投稿の ID、なければトリップ、なければ名前（板の既定の"
     "名前でなければ）で作者を決める。id:X、trip:X（◆ はあってもなくてもよい）、name:X"},
    {"with-header", "each post's header (number, name, date, ID) before its picture",
     "絵の前に、その投稿のヘッダー（番号・名前・日付・ID）を付ける"},
    {"headings",
     "libraries (mlt, ast): a 【title】 heading first and a 【>>N NAME】 heading before each "
     "picture, as AA editors list them",
     "ライブラリ（mlt、ast）: 最初に【title】、各絵の前に【>>N NAME】の見出しを、AA エディタが"
     "一覧にする形で付ける"},
    {"font", "images: a font file or installed family (default: the AA face the window uses)",
     "画像: 字体のファイルまたはインストールされた字体の名前（省略時はウィンドウと同じ AA "
     "の字体）"},
    {"font-size", "images: px (default 16)", "画像: 文字の大きさ px（省略時 16）"},
    {"line-height", "images: px (default 18)", "画像: 行の高さ px（省略時 18）"},
    {"background", "images: white (default) or transparent; the text is black",
     "画像: white（省略時）か transparent。文字は黒"},
    {"input-encoding", "default auto: BOM, detector, else cp932",
     "省略時 auto: BOM、なければ自動判定、それでも決まらなければ cp932"},
    {"max-input-size",
     "inputs larger than SIZE fail before they are read whole (default 4G; K, M, G: powers of "
     "1024)",
     "SIZE より大きい入力は読み切る前に失敗にする（省略時 4G。K、M、G は 1024 の累乗）"},
    {"input-format",
     "default auto: .dat logs, the smartphone API's JSON, 5ch, bbspink and open2ch pages and "
     "summary blogs are recognised and read as the classic page; classic takes the input as it "
     "stands",
     "省略時 auto: .dat ログ、スマホ版 API の JSON、5ch・bbspink・おーぷん2ちゃんねるのページ、"
     "まとめブログを見分け、昔の保存ページとして読む。classic は入力をそのまま読む"},
    {"allow-empty",
     "an input in which no post is found is no error (by default it is named and the exit status "
     "is 1)",
     "投稿が見つからない入力をエラーにしない（省略時はその名前を表示し、終了コードは 1）"},
    {"output", "the result of a single input (default: standard output)",
     "入力 1 つの結果を書くファイル（省略時は標準出力）"},
    {"output-dir",
     "batch: each result to DIR/<input file name>, a folder's files at their paths below it; DIR "
     "is created; two results of the same name are refused before anything is written",
     "一括処理: 結果はそれぞれ DIR/<入力のファイル名> に、フォルダのファイルはその下の同じ道筋に"
     "書く。DIR はなければ作る。同じ名前の結果が 2 つあれば、何も書かずに断る"},
    {"output-encoding", "default: utf-8 to a terminal, else cp932 (a web page: utf-8)",
     "省略時は端末へ utf-8、それ以外は cp932（Web ページは utf-8）"},
    {"output-encoding-search", "default: utf-8 to a terminal, else cp932",
     "省略時は端末へ utf-8、それ以外は cp932"},
    {"jobs", "files processed in parallel in batch mode (default: cores)",
     "一括処理で同時に処理するファイルの数（省略時は CPU の数）"},
    {"index-jobs", "threads that read files (default: cores)",
     "ファイルを読むスレッドの数（省略時は CPU の数）"},
    {"quiet", "no progress display", "進み具合を表示しない"},
    {"no-summary", "no summary", "結果のまとめを表示しない"},
    {"follow-symlinks",
     "a folder INPUT's links are followed where they stay within the folders given (default: "
     "named and left out)",
     "フォルダの INPUT の中のリンクを、指定したフォルダの中を指すかぎりたどる（省略時は名前を"
     "表示して除く）"},
    {"inputs",
     "input files, or folders (with -d) walked for *.dat *.json *.html *.htm *.txt; none or - "
     "reads standard input",
     "入力ファイル、または（-d のとき）*.dat *.json *.html *.htm *.txt を探すフォルダ。なしか - "
     "なら標準入力を読む"},
    {"input", "input file; none or - reads standard input",
     "入力ファイル。なしか - なら標準入力を読む"},
    {"files-and-folders", "files and folders", "ファイルとフォルダ"},
    {"files-and-folders-no-db", "files and folders, without --db",
     "ファイルとフォルダ（--db を指定しないとき）"},
    {"merge-from", "other collections to merge in", "取り込むほかのコレクション"},
    {"category", "only this folder and those below it", "このフォルダとその下のフォルダだけ"},
    {"limit", "at most N pictures (default 20)", "多くて N 枚（省略時 20）"},
    {"search-to", "write the pictures found as this output instead of listing them",
     "見つかった絵を一覧にせず、この形式で書き出す"},
    {"search-output", "the output (default: standard output)",
     "書き出すファイル（省略時は標準出力）"},
    {"search-text", "a line of a picture, or a few characters of it",
     "絵の 1 行、またはその一部の文字"},
    {"mirror", "also match a picture with its mirror image", "左右反転した絵も同じものとみなす"},
    {"separator", "; ", "。"},
    {"json",
     "JSON lines: post, lines, total, symbols, ideographs, latin, is_aa, rule, merge_key; with "
     "--detector picture: post, lines, total, graphic_lines, text_lines, longest_run, is_aa, "
     "rule, merge_key",
     "1 行に 1 件の JSON: post, lines, total, symbols, ideographs, latin, is_aa, rule, "
     "merge_key。--detector picture のときは post, lines, total, graphic_lines, text_lines, "
     "longest_run, is_aa, rule, merge_key"},

    // CLI11's words in the help.
    {"Usage", "Usage", "使い方"},
    {"OPTIONS", "OPTIONS", "オプション"},
    {"SUBCOMMAND", "SUBCOMMAND", "コマンド"},
    {"Options", "Options", "オプション"},
    {"Subcommands", "Subcommands", "コマンド"},
    {"Positionals", "Positionals", "引数"},
    {"REQUIRED", "REQUIRED", "必須"},
    {"Excludes", "Excludes", "同時に使えない"},
    {"Needs", "Needs", "必要"},

    // CLI11's errors, found by their English.
    {"of-no-command", "A subcommand is required",
     "コマンドを 1 つ指定してください: extract、convert、add-breaks、remove-breaks、explain、"
     "index、search、dedup"},
    {"of-required", "{1} is required", "{1} を指定してください"},
    {"of-not-expected", "The following argument was not expected: {1}",
     "余分な引数があります: {1}"},
    {"of-not-expected-many", "The following arguments were not expected: {1}",
     "余分な引数があります: {1}"},
    {"of-not-allowed", "The value {1} is not an allowed value for {2}",
     "{2} に {1} は指定できません"},
    {"of-not-converted", "Could not convert: {1} = {2}", "{1} の値 {2} を読み取れません"},
    {"of-requires", "{1} requires {2}", "{1} には {2} が必要です"},
    {"of-excludes", "{1} excludes {2}", "{1} と {2} は同時に指定できません"},
    {"of-missing", "{1}: {2} required {3} missing", "{1}: {3} の値が {2} つ足りません"},
    {"of-exactly", "Expected exactly {1} arguments to {2}, got {3}",
     "{2} の値は {1} つのはずですが、{3} つあります"},
    {"of-at-least", "Expected at least {1} arguments to {2}, got {3}",
     "{2} の値は {1} つ以上のはずですが、{3} つです"},
    {"of-at-most", "At Most {1} required but received {2}",
     "多くて {1} つのはずですが、{2} つあります"},
    {"of-at-least-received", "At least {1} required but received {2}",
     "{1} つ以上のはずですが、{2} つです"},
    {"of-not-in", "{1} not in {2}", "{1} は {2} のどれでもありません"},
    {"of-not-in-range", "Value {1} not in range {2} to {3}",
     "{1} は {2} から {3} までの範囲にありません"},
    {"of-not-a-value", "Value {1} could not be converted", "{1} は値として読み取れません"},
    {"of-not-a-value-to", "Value {1} could not be converted to {2}",
     "{1} は {2} として読み取れません"},

    // Texts of the board forms, the outputs, the files and the images.
    {"of-none-dat", "no line of a .dat log", ".dat ログの行がありません"},
    {"of-none-5ch", "no post of a 5ch or bbspink page", "5ch・bbspink のページの投稿がありません"},
    {"of-none-open2ch", "no post of an open2ch page",
     "おーぷん2ちゃんねるのページの投稿がありません"},
    {"of-none-json", "no comment of the smartphone API's JSON",
     "スマホ版 API の JSON のコメントがありません"},
    {"of-none-blog", "no post header of a summary blog (N : NAME : DATE)",
     "まとめブログの投稿の見出し（N : NAME : DATE）がありません"},
    {"of-six-or-seven", "6 or 7", "6 か 7"},
    {"of-to-html", "the kept bodies between <HR> rules (default)",
     "残した本文を <HR> で区切ったもの（省略時）"},
    {"of-to-mlt", "an AA library of plain text, items between [SPLIT] lines",
     "テキストの AA ライブラリ。項目のあいだに [SPLIT] の行"},
    {"of-to-ast", "an AA library of plain text, each item after [AA][number]",
     "テキストの AA ライブラリ。各項目の前に [AA][number] の行"},
    {"of-to-page",
     "one web page that draws the pictures in the AA face (UTF-8 unless --output-encoding)",
     "AA の字体で絵を表示する 1 枚の Web ページ（--output-encoding がなければ UTF-8）"},
    {"of-to-png", "one PNG image per picture, NAME-<post number>.png (needs -d)",
     "絵 1 枚ごとに PNG 画像 1 つ、NAME-<post number>.png（-d が必要）"},
    {"of-to-svg", "one SVG image per picture, the text kept (needs -d)",
     "絵 1 枚ごとに SVG 画像 1 つ、文字は文字のまま（-d が必要）"},
    {"of-too-large-mib", "larger than the input limit of {1} MiB",
     "入力の上限 {1} MiB を超えています"},
    {"of-too-large-bytes", "larger than the input limit of {1} bytes",
     "入力の上限 {1} バイトを超えています"},
    {"of-windows-error", "Windows error {1}", "Windows のエラー {1}"},
    {"of-is-a-directory", "Is a directory", "ディレクトリです"},
    {"of-font-size", "the font size must be {1} to {2} px",
     "文字の大きさは {1}～{2} px にしてください"},
    {"of-line-height", "the line height must be {1} to {2} px",
     "行の高さは {1}～{2} px にしてください"},
    {"of-no-freetype", "cannot start FreeType", "FreeType を始められません"},
    {"of-no-aa-face", "no AA face is installed (tried {1}); --font names a font file or family",
     "AA の字体がインストールされていません（試したもの: {1}）。--font で字体のファイルか名前を"
     "指定してください"},
    {"of-cannot-open", "cannot open {1}", "{1} を開けません"},
    {"of-no-font", "no font file or installed family {1}",
     "字体のファイルもインストールされた字体も {1} という名前のものはありません"},

    // Texts of the collection.
    {"of-no-collection", "no such collection", "そのコレクションはありません"},
    {"of-collection-busy", "another run is writing this collection; try again when it has finished",
     "別の実行がこのコレクションに書き込んでいます。終わってからもう一度試してください"},
    {"of-collection-empty", "not a Mozaru collection (it is empty)",
     "Mozaru のコレクションではありません（空です）"},
    {"of-collection-other", "not a Mozaru collection (an SQLite database of another program)",
     "Mozaru のコレクションではありません（ほかのプログラムの SQLite データベースです）"},
    {"of-collection-later",
     "a collection of version {1}, made by a later Mozaru; this one reads version {2} only",
     "新しい Mozaru が作ったバージョン {1} のコレクションです。この Mozaru が読めるのはバージョン "
     "{2} だけです"},
    {"of-collection-old",
     "a collection of version {1}, which this Mozaru cannot upgrade; index its files again",
     "バージョン {1} のコレクションで、この Mozaru では新しい形にできません。ファイルを index "
     "し直してください"},
    {"of-nothing-written", "{1}; nothing of this run was written, the collection is as it was",
     "{1}。この実行では何も書いておらず、コレクションは元のままです"},
    {"of-cannot-open-db", "unable to open database file", "データベースのファイルを開けません"},
    {"of-damaged", "a picture's text is damaged", "絵の文字が壊れています"},
    {"of-no-picture", "no picture {1}", "絵 {1} がありません"},
    {"of-no-such-input", "no such file or folder", "そのようなファイルやフォルダはありません"},
    {"of-not-read-by-mozaru", "not a file Mozaru reads (.mlt .ast .txt .html .htm .dat)",
     "Mozaru が読むファイルではありません（.mlt .ast .txt .html .htm .dat）"},
    {"of-cannot-read", "cannot read: {1}", "読み込めません: {1}"},
    {"of-undecodable-skipped",
     "{1} undecodable bytes (read as {2}); skipped, --input-encoding names its encoding",
     "文字にならないバイトが {1} あります（{2} として読み込み）。読み飛ばしました。"
     "--input-encoding で文字コードを指定してください"},
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

}  // namespace mozaru
