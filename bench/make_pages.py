#!/usr/bin/env python3
"""Writes thread pages shaped like the ones users save, for the benchmarks.

make_pages.py OUT_DIR [--big MIB] writes, in CP932:
  big-lf.html, big-crlf.html      about 75 MiB each (--big changes it), the same posts
  big-wide.html                   about 75 MiB, LF, every character of every post double-byte
                                  (the markup alone ASCII): the decoders' hardest page
  small-lf.html, small-crlf.html  about 1 MiB each
  mid-lf.html, page19-lf.html     about 13 and 19 MB, LF
  page32-lf.html                  about 32 MB, LF: every command of the window (window_bench)
  batch/page-NNN.html             200 pages of about 1 MiB, LF
make_pages.py OUT_DIR --formats [MIB] writes instead formats/<name> of about 64 MiB each
(MIB changes it): the same kind of posts in every format of samples/make_formats.py
(5ch read.cgi ver 06 to 08, bbspink, 2ch/machi .dat in CP932, Shitaraba .dat in EUC-JP;
open2ch pages and the summary blogs in UTF-8, the smartphone API's JSON escaped to ASCII).
The shape of a page served today: LF line breaks, one post per line as read.cgi writes it,
about 38 % of the characters outside ASCII (kana and kanji prose, box-drawing pictures,
full-width spaces, half-width katakana, characters CP932 lacks written as &#N;), reply
anchors, and about one post in seven a picture. The pictures are ours (samples/make_thread.py);
the posts are drawn from them and a few sentences at random, with a fixed seed, so every
run writes the same bytes.
"""
import pathlib
import random
import sys
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "samples"))
import make_formats  # noqa: E402  (the formats' markup)
import make_thread  # noqa: E402  (our pictures)

PICTURES = [make_thread.CAT, make_thread.HOUSE, make_thread.TREE, make_thread.MOUNTAINS,
            make_thread.SUN, make_thread.BUG, make_thread.FOREST, make_thread.CHICK,
            make_thread.BANNER_NEKO, make_thread.BIG_BANNER]

SENTENCES = [
    "今日は朝から雨が降っていたので、傘を持って駅まで歩きました",
    "このスレッドの絵はどれもよく描けていると思います",
    "昨日の夜に見た番組の話なんだけど、誰か覚えてる？",
    "それは違うと思うよ、前にも同じ話が出ていたはず",
    "ﾜﾛﾀ ﾜﾛﾀ ｗｗｗ",
    "ありがとうございます！保存しました",
    "猫がキーボードの上で寝てしまって何も打てない",
    "新しいパソコンを買ったので設定をしているところです",
    "駅前のラーメン屋が閉店してしまって悲しい",
    "ｷﾀ━━━━(ﾟ∀ﾟ)━━━━!!",
    "見てるよ～　がんばれ",
    "絵文字は &#128512; とか &#9829; とか書くと出るらしい",
    "ＡＡ職人さんいつも乙です",
    "それな",
    "そろそろ次のスレッドを立てる準備をしておいたほうがいいかもしれませんね",
    "この前のオフ会の写真、まだ誰も上げていないみたいだけど持っている人いる？",
    "まとめサイトに転載されてた",
]

NAMES = ["名無しさん", "名無しさん", "名無しさん", "風吹けば名無し", "名無しの猫好き"]


def reply(board_key, n):
    return (f'<a href="../test/read.cgi/board/{board_key}/{n}" rel="noopener noreferrer" '
            f'target="_blank">&gt;&gt;{n}</a>')


def header(rng, number):
    name = rng.choice(NAMES)
    day = 1 + number % 28
    stamp = f"2026/11/{day:02d}(月) {number % 24:02d}:{number % 60:02d}:{(number * 7) % 60:02d}.{number % 100:02d}"
    uid = "".join(rng.choice("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+/")
                  for _ in range(8))
    if rng.random() < 0.5:
        name_part = f'<a href="mailto:sage"><b>{name}</b></a>'
    else:
        name_part = f'<font color=green><b>{name}</b></font>'
    return f"<dt>{number} ：{name_part}：{stamp} ID:{uid}<dd>"


def prose(rng, number):
    lines = []
    if number > 1 and rng.random() < 0.4:
        lines.append(reply(1762171200, rng.randint(1, number - 1)))
    for _ in range(rng.randint(2, 7)):
        lines.append(rng.choice(SENTENCES))
    return lines


def post_lines(rng, number):
    return list(rng.choice(PICTURES)) if rng.random() < 0.15 else prose(rng, number)


def post(rng, number):
    lines = post_lines(rng, number)
    # read.cgi's spaces around every <br>, and the empty line it ends each post with.
    return header(rng, number) + " " + " <br> ".join(lines) + " <br><br>"


def widened(text):
    """text in double-byte characters only: full-width ASCII, full-width katakana."""
    out = []
    for c in text:
        if c == " ":
            out.append("\u3000")
        elif "!" <= c <= "~":
            out.append(chr(ord(c) + 0xFEE0))
        elif "\uff61" <= c <= "\uff9f":
            # The sound marks alone, not as the combining marks NFKC gives.
            out.append({"\uff9e": "\u309b", "\uff9f": "\u309c"}.get(c, unicodedata.normalize("NFKC", c)))
        else:
            out.append(c)
    return "".join(out)


def wide_post(rng, number):
    lines = list(rng.choice(PICTURES)) if rng.random() < 0.15 else prose(rng, number)
    lines = [widened(line) for line in lines if not line.startswith("<a ")]
    name = widened(rng.choice(NAMES))
    return f"<dt>{widened(str(number))}：{name}<dd>" + "<br>".join(lines) + "<br><br>"


HEAD = ('<html><head><meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">'
        "<title>ＡＡを貼っていくスレ</title></head><body>\n<dl class=\"thread\">\n")
TAIL = "</dl></body></html>\n"


def page_of(size, seed, make_post=post):
    rng = random.Random(seed)
    parts = [HEAD]
    total = len(HEAD.encode("cp932"))
    number = 0
    while total < size:
        number += 1
        line = make_post(rng, number) + "\n"
        parts.append(line)
        total += len(line.encode("cp932"))
    parts.append(TAIL)
    return "".join(parts).encode("cp932"), number


# name, encoding, and how a list of posts becomes the file's text
FORMATS = [
    ("5ch-read-cgi-06.html", "cp932",
     lambda posts: make_formats.html_page("ＡＡ", posts, make_formats.post_06, "06")),
    ("5ch-read-cgi-07.html", "cp932",
     lambda posts: make_formats.html_page("ＡＡ", posts, make_formats.post_07, "07")),
    ("5ch-read-cgi-076.html", "cp932",
     lambda posts: make_formats.html_page("ＡＡ", posts, make_formats.post_076, "07.6")),
    ("5ch-read-cgi-08.html", "cp932",
     lambda posts: make_formats.html_page("ＡＡ", posts, make_formats.post_08, "08")),
    ("bbspink-06.html", "cp932",
     lambda posts: make_formats.html_page("ＡＡ", posts, make_formats.post_pink, "06")),
    ("open2ch.html", "utf_8", lambda posts: make_formats.open2ch_page("ＡＡ", posts)),
    ("itest.json", "ascii", lambda posts: make_formats.itest_json("ＡＡ", posts)),
    ("blog-br.html", "utf_8", lambda posts: make_formats.blog_br("ＡＡ", posts)),
    ("blog-divs.html", "utf_8", lambda posts: make_formats.blog_divs("ＡＡ", posts)),
    ("blog-text.html", "utf_8", lambda posts: make_formats.blog_text("ＡＡ", posts)),
    ("2ch.dat", "cp932", lambda posts: make_formats.dat_2ch("ＡＡ", posts)),
    ("shitaraba.dat", "euc_jp", lambda posts: make_formats.dat_shitaraba("ＡＡ", posts)),
    ("machi.dat", "cp932", lambda posts: make_formats.dat_machi("ＡＡ", posts)),
]


def format_page(write, encoding, size, seed):
    # The posts of about size bytes: estimated from a sample, written in one go.
    rng = random.Random(seed)
    posts = []
    number = 0
    sample = None
    while sample is None or len(posts) < count:
        number += 1
        posts.append(make_formats.Post(number, post_lines(rng, number)))
        if number == 2000:
            sample = len(make_formats.encoded(write(posts), encoding))
            count = int(number * size / sample)
    return make_formats.encoded(write(posts), encoding), len(posts)


def write_formats(out, mib):
    (out / "formats").mkdir(parents=True, exist_ok=True)
    for i, (name, encoding, write) in enumerate(FORMATS):
        data, posts = format_page(write, encoding, mib << 20, 500 + i)
        (out / "formats" / name).write_bytes(data)
        print(f"{out}/formats/{name}: {len(data) / 1e6:.1f} MB, {posts} posts")


def non_ascii_share(data):
    text = data.decode("cp932")
    return sum(1 for c in text if ord(c) > 0x7F) / len(text)


def double_byte_share(data):
    text = data.decode("cp932")
    return sum(len(c.encode("cp932")) for c in text if len(c.encode("cp932")) == 2) / len(data)


def main():
    args = sys.argv[1:]
    big_mib = 75
    if "--big" in args:
        big_mib = int(args[args.index("--big") + 1])
        del args[args.index("--big"):args.index("--big") + 2]
    out = pathlib.Path(args[0])
    if "--formats" in args:
        rest = args[args.index("--formats") + 1:]
        write_formats(out, int(rest[0]) if rest else 64)
        return
    (out / "batch").mkdir(parents=True, exist_ok=True)
    big, posts = page_of(big_mib << 20, 1)
    (out / "big-lf.html").write_bytes(big)
    (out / "big-crlf.html").write_bytes(big.replace(b"\n", b"\r\n"))
    wide, _ = page_of(big_mib << 20, 5, wide_post)
    (out / "big-wide.html").write_bytes(wide)
    mid, _ = page_of(13_000_000, 3)
    (out / "mid-lf.html").write_bytes(mid)
    page19, _ = page_of(19_000_000, 4)
    (out / "page19-lf.html").write_bytes(page19)
    page32, _ = page_of(32_000_000, 5)
    (out / "page32-lf.html").write_bytes(page32)
    small, _ = page_of(1 << 20, 2)
    (out / "small-lf.html").write_bytes(small)
    (out / "small-crlf.html").write_bytes(small.replace(b"\n", b"\r\n"))
    for i in range(200):
        page, _ = page_of(1 << 20, 100 + i)
        (out / "batch" / f"page-{i:03d}.html").write_bytes(page)
    print(f"{out}: big {len(big) / 1e6:.1f} MB, {posts} posts, "
          f"{100 * non_ascii_share(small):.0f} % of the characters non-ASCII; wide "
          f"{100 * double_byte_share(wide[:1 << 20]):.0f} % of its bytes double-byte")


if __name__ == "__main__":
    main()
