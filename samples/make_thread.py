#!/usr/bin/env python3
"""Draws samples/thread.html: a saved thread page in CP932 with our own ASCII art.

Run from anywhere: python3 samples/make_thread.py [--table]
--table prints which posts the extraction keeps per level and merge choice,
computed here independently of the C++ code, for samples/README.md and the test.
"""
import datetime
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent


def reply(n):
    return f'<A HREF="../test/read.cgi/x/1762171200/{n}" TARGET="_blank">&gt;&gt;{n}</A>'


def link(url):
    return f'<A HREF="{url}" TARGET="_blank">{url}</A>'


# --- Pictures (drawn for this sample) --------------------------------------

CHICK = [  # small: under 60 characters
    "　 ,　,",
    "（・ｖ・）",
    "　(ｕｕ)",
    "￣￣￣￣",
]

FISH_THREE_LINES = [  # three lines and the two empty ones: 5 lines, never AA
    "　　 ＿＿＿",
    "　＞＜＿＿・）",
    "　　 ￣￣￣",
]

CAT = [
    "　　 ∧　　　∧",
    "　　/　＼＿/　＼",
    "　 /　　 ●　　●＼",
    "　｜　 　（＿人＿）｜",
    "　 ＼　　　　　　／",
    "　　/　　　　　　＼",
    "　 |　|　　　　|　|",
    "　 ＼|＿＿＿＿＿|／",
    "　　　 U　　 U",
]

HOUSE = [
    "　　　　　　　　 ／＼",
    "　　　　　　　 ／　　＼　　 ┌┐",
    "　　　　　　 ／　　　　＼　│││",
    "　　　　　 ／　　　　　　＼││",
    "　　　　 ／＿＿＿＿＿＿＿＿＼",
    "　　　　 ｜　┌─┬─┐　┌──┐｜",
    "　　　　 ｜　├─┼─┤　│　　│｜",
    "　　　　 ｜　└─┴─┘　│　●│｜",
    "　　　　 ｜＿＿＿＿＿＿│＿＿│｜",
    "￣￣￣￣￣￣￣￣￣￣￣￣￣￣￣￣",
]

TREE = [
    "　　　　　☆",
    "　　　　 ／＼",
    "　　　 ／ ○ ＼",
    "　　　／　　　 ＼",
    "　　 ／ ●　　　○＼",
    "　　／＿＿＿＿＿＿＼",
    "　　　　 ｜｜",
    "　　　 ＿｜｜＿",
]

FOREST = [  # kanji only: the ideograph rule
    "     木",
    "    木木木",
    "   木木木木木",
    "  木木木木木木木",
    "    森林森林",
    "     幹",
    "     幹",
]

SUN = [  # U+263A is not in CP932: the page holds it as a reference
    "　　＼　 ｜　 ／",
    "　　　 ／￣￣＼",
    "　－－ ｜&#9786;｜ －－",
    "　　　 ＼＿＿／",
    "　　／　 ｜　 ＼",
]

BUG = [  # the four protected Cyrillic letters in a picture
    "　　Ё　　　Ё",
    "　　 ＼　 ／",
    "　 （ ёдё ）",
    "　 /|　й　|＼",
    "　　|　Й　|",
    "　　 ＼＿／",
]

BANNER_NEKO = [  # Latin letters: the Latin rule
    "NN   N EEEEE K   K  OOO",
    "N N  N E     K  K  O   O",
    "N  N N EEEE  KKK   O   O",
    "N   NN E     K  K  O   O",
    "N    N EEEEE K   K  OOO",
    "NEKONEKONEKONEKONEKONEKO",
]

BLOCK = "■"
GAP = "　"
LETTERS = {  # 5 x 7 block letters for the large banner
    "M": ["■　　　■", "■■　■■", "■　■　■", "■　■　■", "■　　　■", "■　　　■", "■　　　■"],
    "O": ["　■■■　", "■　　　■", "■　　　■", "■　　　■", "■　　　■", "■　　　■", "　■■■　"],
    "Z": ["■■■■■", "　　　　■", "　　　■　", "　　■　　", "　■　　　", "■　　　　", "■■■■■"],
    "A": ["　■■■　", "■　　　■", "■　　　■", "■■■■■", "■　　　■", "■　　　■", "■　　　■"],
    "R": ["■■■■　", "■　　　■", "■　　　■", "■■■■　", "■　■　　", "■　　■　", "■　　　■"],
    "U": ["■　　　■", "■　　　■", "■　　　■", "■　　　■", "■　　　■", "■　　　■", "　■■■　"],
}


def banner(word):
    # Every dot of a letter is two characters wide, so that it looks square.
    rows = []
    for r in range(7):
        rows.append(GAP.join("".join(ch * 2 for ch in LETTERS[c][r]) for c in word))
    frame = "＝" * len(rows[0])
    return [frame] + rows + [frame]


BIG_BANNER = banner("MOZARU")  # large: over 500 characters

MOUNTAINS = [  # large as well
    "　　　　　　　　　　　　　　　　　　 ＿＿",
    "　　　　　　　 ∧　　　　　　　　　　（　　）",
    "　　　　　　 ／　＼　　　　　　　　　 ￣￣",
    "　　　　　 ／　　　＼　　　∧",
    "　　　　 ／　 ＊ 　　＼　／　＼",
    "　　　 ／　＊　　＊ 　 ＼　　　＼　　　　∧",
    "　　 ／　　　　　　　　 ＼　　　 ＼　　／　＼",
    "　 ／　　　　　　　　　　　＼　　　 ＼／　　　＼",
    "　／　　　　　　　　　　　　 ＼　　　 ＼　　　　＼",
    "／＿＿＿＿＿＿＿＿＿＿＿＿＿＿＼＿＿＿＿＼＿＿＿＿＼",
    "～～～～～～～～～～～～～～～～～～～～～～～～～",
    "　～～　　　～～～　　　～～　　　～～～　　　～～",
    "～～～～～～～～～～～～～～～～～～～～～～～～～",
]

URL_LIST = [  # plain links without anchors: Latin letters, a false positive
    "ttp://www.example.com/cats/tora.html",
    "ttp://www.example.com/cats/mike.html",
    "ttp://www.example.com/cats/kuro.html",
    "ttp://www.example.org/neko/shiro.html",
]

# --- The thread ---------------------------------------------------------------

POSTS = [
    ["猫のAAを貼っていくスレです。", "自作でも転載でも歓迎します。", "荒らしはスルーでお願いします。", "",
     "前スレ", link("http://example.com/test/read.cgi/x/1759999999/")],
    ["スレ立て乙です"],
    CHICK,
    [reply(3), "ひよこかわいい"],
    CAT,
    [reply(5), "目が怖いｗ", "でも好き"],
    ["最近寒くなってきましたね。", "うちの猫はずっとこたつの中にいます。"],
    HOUSE,
    [reply(8), "猫が住んでる家かな？"],
    TREE,
    ["クリスマスにはまだ早いだろ"],
    FISH_THREE_LINES,
    [reply(12), "魚かな？　小さくてかわいい"],
    FOREST,
    [reply(14), "漢字だけで描くのは斬新"],
    ["画像まとめ", link("http://example.org/matome/neko.html")],
    URL_LIST,
    [reply(17), "URLを貼るだけなら一行にまとめてくれ"],
    SUN,
    [reply(19), "顔の部分が化けてる？", "ブラウザによっては表示されないね"],
    BUG,
    [reply(21), "ロシア語の文字を使うとは"],
    ["今日は雨なので家でのんびり。", "猫も窓の外を眺めています。", "雨の日は眠くなりますね。",
     "明日は晴れるといいな。", "週末は動物病院に行く予定です。", "予防接種の時期なので。"],
    BANNER_NEKO,
    [reply(24), "アルファベットだけでも読める"],
    BIG_BANNER,
    [reply(26), "でかい", "スレタイに合ってないけど許す"],
    [reply(5), "この猫もう一回貼って"],
    # The cat again, as a reply: the spaces around the removed anchor stay in
    # the merge key, so merging keeps this one too.
    [reply(28)] + CAT,
    [reply(29), "二回目きた"],
    MOUNTAINS,
    [reply(31), "富士山？", "湖もあって綺麗"],
    ["保守"],
    ["ここのスレ住人って何匹飼ってるの？", "うちは二匹"],
    [reply(34), "三匹", "全員茶トラ"],
    [reply(34), "一匹だけど十五歳の長老"],
    [reply(36), "長生きだなあ", "大事にしてあげて"],
    CHICK,  # the chick again, not a reply: same body
    [reply(38), "ひよこ再び"],
    ["次スレは&gt;&gt;980が立ててください"],
    ["そろそろ寝る", "おやすみ猫たち"],
    TREE,
]

NAMES = ["名無しの猫好き", "名無しの猫好き", "名無しの猫好き", "三毛", "名無しの猫好き"]


def meta(number):
    """The poster's name, the date and the ID of a post, for every format's samples."""
    when = datetime.datetime(2026, 11, 3, 21, 4, 11) + datetime.timedelta(minutes=17 * number)
    weekday = "月火水木金土日"[when.weekday()]
    ident = "".join("AbCdEfGh12345678XyZq"[(number * k + 3) % 20] for k in range(1, 9))
    name = NAMES[number % len(NAMES)]
    stamp = when.strftime("%Y/%m/%d") + f"({weekday}) " + when.strftime("%H:%M:%S")
    return name, stamp, ident


def header(number):
    name, stamp, ident = meta(number)
    return f"<DT>{number} ：<B>{name}</B>：{stamp} ID:{ident}<DD>"


def body(lines):
    # The saved page's own habit: spaces around the tags and an empty line
    # (two <BR>) after every post.
    return " " + " <BR> ".join(lines) + " <BR><BR>"


TITLE = "猫のAAを貼るスレ Part3"


def page():
    parts = [
        '<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">',
        f"<TITLE>{TITLE}</TITLE></HEAD>",
        '<BODY bgcolor="#efefef" text="black" link="blue" vlink="#660099">',
        f'<FONT size="+1" color="red">{TITLE}</FONT>',
        "<DL>",
    ]
    for number, lines in enumerate(POSTS, start=1):
        parts.append(header(number) + body(lines))
    parts.append("</DL>")
    parts.append("<HR><FONT size=-1>保存日時 2026/11/04</FONT></BODY></HTML>")
    return "\r\n".join(parts) + "\r\n"


# --- The extraction rules, written out again to check the program against --

PROTECT = [("ё", "<SP0>"), ("Ё", "<SP1>"), ("й", "<SP2>"), ("Й", "<SP3>")]


def find_nocase(text, needle, start=0):
    return text.upper().find(needle.upper(), start)


def units(text):
    data = text.encode("utf-16-le")
    return [data[i] | (data[i + 1] << 8) for i in range(0, len(data), 2)]


def classify(unit):
    if 0x41 <= unit <= 0x5A or 0x61 <= unit <= 0x7A:
        return "latin"
    if 0x4E00 <= unit <= 0x9FA5 or 0xFA0E <= unit <= 0xFA2D:
        return "ideograph"
    for lo, hi in [(0x3041, 0x3094), (0x30A1, 0x30FA), (0xFF66, 0xFF9F), (0xFF21, 0xFF3A),
                   (0xFF41, 0xFF5A)]:
        if lo <= unit <= hi:
            return "neutral"
    return "symbol"


def remove_anchors(line):
    while True:
        a = find_nocase(line, "<A HREF")
        if a < 0:
            break
        b = find_nocase(line, "</A>", a)
        if b < 0:
            break
        line = line[:a] + line[b + 4:]
    while True:
        a = find_nocase(line, "<A NAME")
        if a < 0:
            break
        b = line.find(">", a)
        if b < 0:
            break
        line = line[:a] + line[b + 1:]
    return line


def is_aa(body_text, level):
    lines = [] if body_text == "" else re.split("(?i)<BR>", body_text)
    key = ""
    total = symbols = ideographs = latin = 0
    for line in lines:
        line = remove_anchors(line)
        key += line
        counted = units(line.strip(" "))
        total += len(counted)
        for u in counted:
            kind = classify(u)
            symbols += kind == "symbol"
            ideographs += kind == "ideograph"
            latin += kind == "latin"
    minimum = {0: 0, 1: 60, 2: 500}.get(level, 0)
    stats = dict(lines=len(lines), total=total, symbols=symbols, ideographs=ideographs,
                 latin=latin)
    if total <= minimum or len(lines) <= 5:
        return False, key, stats
    aa = symbols / total >= 0.5 or ideographs / total >= 0.8 or latin / total >= 0.5
    return aa, key, stats


def extract(text, level, merge):
    text = text.replace("\r", "").replace("\n", "")
    for letter, token in PROTECT:
        text = text.replace(letter, token)
    pieces = re.split("(?i)<DD", text)
    kept, keys = [], []
    for i in range(1, len(pieces)):
        piece = pieces[i]
        g = piece.find(">")
        if g < 0:
            break
        e = find_nocase(piece, "</DL", g)
        end_of_list = e >= 0
        if not end_of_list:
            e = find_nocase(piece, "<DT", g)
            if e < 0:
                break
        aa, key, _ = is_aa(piece[g + 1:e], level)
        if aa and not (merge and key in keys):
            keys.append(key)
            kept.append(i)
        if end_of_list:
            break
    return kept


def main():
    text = page()
    (HERE / "thread.html").write_bytes(text.encode("cp932"))
    if "--table" in sys.argv:
        for level in (0, 1, 2):
            for merge in (False, True):
                kept = extract(text, level, merge)
                print(f"level {level} merge {int(merge)}: {len(kept)} kept: {kept}")
        flat = text.replace("\r", "").replace("\n", "")
        for letter, token in PROTECT:
            flat = flat.replace(letter, token)
        for i, piece in enumerate(re.split("(?i)<DD", flat)[1:], start=1):
            g = piece.find(">")
            e = find_nocase(piece, "</DL", g)
            e = e if e >= 0 else find_nocase(piece, "<DT", g)
            aa, _, stats = is_aa(piece[g + 1:e], 0)
            print(i, stats, "AA" if aa else "")

if __name__ == "__main__":
    main()
