#!/usr/bin/env python3
"""Draws samples/yaruo/: a small thread told in pictures by its author, as やる夫スレ
are, with readers' replies and readers' own pictures among the author's. Every
character and picture is our own drawing. Two forms of the same thread: the saved
classic page (thread.html) and the 2ch .dat log a board reader keeps (2ch.dat).

Run from anywhere: python3 samples/make_yaruo.py [--table]
--table prints which posts mozaru-cli extract keeps with each --author choice,
worked out here from the posts themselves, for samples/README.md and the test.
"""
import datetime
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import make_formats  # noqa: E402  (the classic page and the .dat writers)
import make_thread  # noqa: E402  (the extraction rules, written out again)

OUT = HERE / "yaruo"
TITLE = "まる夫は猫の世話をするようです"

# The author: a name with a trip, the same ID on every post of the day.
AUTHOR = ("まる夫 </b>◆MaRuO.neko <b>", "Mr0Auth7")
# A reader who signs with the author's name but has neither the trip nor the ID.
NAMESAKE = ("まる夫", "Fk3Nm9Zz")
READER = "名無しのまる夫だお"

# --- Pictures (drawn for this sample) ---------------------------------------

MARUO = [
    "　　　　 ,――――、",
    "　　　／　 ＿　　＿ ＼",
    "　　 /　　（ｏ）（ｏ）　ヽ",
    "　　|　　　　 ｜　　　　|　　　猫を預かることになったお",
    "　　ヽ　　 ＼＿＿／　　ノ",
    "　　　＼＿＿＿＿＿＿／",
]

MARUO_AND_CAT = [
    "　　　　 ,――――、",
    "　　　／　 ＿　　＿ ＼　　　　　　　／＼＿＿／＼",
    "　　 /　　（－）（－）　ヽ　　　　（　＝・ｘ・＝）",
    "　　|　　　　 ｜　　　　|　　　　　（　 つ　 つ",
    "　　ヽ　　　 ＿＿　　　ノ　　　　　 ｕ－ｕ",
    "　　　＼＿＿＿＿＿＿／　　　　ごはんの時間だお",
]

TEA = [  # a reader's reply picture
    "　　 )　)　)",
    "　┌───┐",
    "　│　茶　│┐",
    "　│　　　│┘　　まる夫がんばれ",
    "　└───┘",
]

CAT_SLEEPING = [
    "　　　　　　　　　　ｚｚｚ…",
    "　　　／＼＿＿／＼",
    "　　（　＝－ｘ－＝）",
    "　～（＿＿ｕ＿＿ｕ）",
    "",
    "　　 猫は寝たお。まる夫も寝るお",
]

FISH_GIFT = [  # another reader's picture, a reply to the author
    "　　　 ＿＿＿＿",
    "　　＞＜＿＿＿・）　　差し入れ",
    "　　　 ￣￣￣￣",
    "　 ┌──────┐",
    "　 └──────┘",
]

FAKE = [  # the namesake's picture: signed まる夫, yet not the author
    "　　 ,――、",
    "　 （ ﾟ ∀ ﾟ ）　本物のまる夫だお",
    "　 （　　　 ）",
    "　　 ｕ　ｕ",
]

MARUO_END = [
    "　　　　 ,――――、",
    "　　　／　 ＿　　＿ ＼",
    "　　 /　　（＾）（＾）　ヽ",
    "　　|　　　　 ｜　　　　|　　　おしまい",
    "　　ヽ　　 ＼＿＿／　　ノ　　　読んでくれてありがとうだお",
    "　　　＼＿＿＿＿＿＿／",
]

# Who wrote each post (None: a reader), and its lines.
POSTS = [
    (AUTHOR, MARUO),
    (None, ["期待", "猫スレと聞いて"]),
    (AUTHOR, MARUO_AND_CAT),
    (None, [make_thread.reply(3)] + TEA),
    (AUTHOR, CAT_SLEEPING),
    (None, ["寝顔かわいい"]),
    (AUTHOR, ["今日はここまでだお", "明日も続けるお"]),
    (None, [make_thread.reply(5)] + FISH_GIFT),
    (NAMESAKE, FAKE),
    (AUTHOR, MARUO_END),
    (None, ["乙でした"]),
]


class Post(make_formats.Post):
    def __init__(self, number, who, lines):
        super().__init__(number, lines)
        when = datetime.datetime(2026, 11, 7, 20, 0, 0) + datetime.timedelta(minutes=3 * number)
        weekday = "月火水木金土日"[when.weekday()]
        self.date = when.strftime("%Y/%m/%d") + f"({weekday}) " + when.strftime("%H:%M:%S")
        if who is None:
            self.name = READER
            self.ident = "".join("AbCdEfGh12345678XyZq"[(number * k + 5) % 20] for k in range(1, 9))
        else:
            self.name, self.ident = who
        self.mail = "sage" if who is None and number % 2 == 0 else ""
        self.picture = len(lines) > 3


def thread_posts():
    return [Post(n, who, lines) for n, (who, lines) in enumerate(POSTS, start=1)]


def classic_page(posts):
    # The saved page: <B> around the name field, which carries the trip's own bold tags.
    return make_formats.classic(TITLE, posts, Post.body, make_formats.with_id) + "\r\n"


def kept(page, author):
    """The posts extract --level 0 keeps, then those of the author (a test on the post)."""
    numbers = make_formats.kept_posts(page, 0, False)
    posts = {p.number: p for p in thread_posts()}
    return [n for n in numbers if author(posts[n])]


CHOICES = [  # --author, and which posts are the author's
    ("", lambda p: True),
    ("auto", lambda p: p.ident == AUTHOR[1]),
    ("trip:◆MaRuO.neko", lambda p: "◆MaRuO.neko" in p.name),
    ("name:まる夫", lambda p: p.name.split(" </b>")[0] == "まる夫"),
    (f"id:{thread_posts()[3].ident}", lambda p: p.number == 4),
]


def main():
    OUT.mkdir(exist_ok=True)
    posts = thread_posts()
    page = classic_page(posts)
    (OUT / "thread.html").write_bytes(page.encode("cp932"))
    (OUT / "2ch.dat").write_bytes(make_formats.dat_2ch(TITLE, posts).encode("cp932"))
    if "--table" in sys.argv:
        for choice, author in CHOICES:
            print(f"--author {choice or '(none)'}: {kept(page, author)}")


if __name__ == "__main__":
    main()
