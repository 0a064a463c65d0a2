#!/usr/bin/env python3
"""Draws samples/formats/: the thread of samples/thread.html in the forms boards and
board readers write today, one file a form, with our own pictures (make_thread.py).

Run from anywhere: python3 samples/make_formats.py [--table]
--table prints which posts the extraction keeps in each file per level and merge
choice, worked out here on the classic page each file stands for (written by this
script from the posts, not read back from the files), for samples/README.md and the test.

The markup writers below are also used by bench/make_pages.py.
"""
import datetime
import json
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import make_thread  # noqa: E402  (the thread and its pictures)

OUT = HERE / "formats"
PICTURES = [make_thread.CHICK, make_thread.FISH_THREE_LINES, make_thread.CAT, make_thread.HOUSE,
            make_thread.TREE, make_thread.FOREST, make_thread.SUN, make_thread.BUG,
            make_thread.BANNER_NEKO, make_thread.BIG_BANNER, make_thread.MOUNTAINS,
            make_thread.URL_LIST]


def today(line):
    """A line of the old page as today's boards write it: tags in small letters."""
    line = re.sub(r'<A HREF="([^"]*)" TARGET="_blank">',
                  r'<a href="\1" rel="noopener noreferrer" target="_blank">', line)
    return line.replace("</A>", "</a>")


class Post:
    def __init__(self, number, lines):
        self.number = number
        self.name, self.date, self.ident = make_thread.meta(number)
        self.mail = "sage" if number % 4 == 0 else ""
        self.lines = [today(line) for line in lines]
        self.picture = any(lines is p for p in PICTURES)

    def body(self):
        # read.cgi's spaces: one at the start and end, one on each side of <br>.
        return " " + " <br> ".join(self.lines) + " "


def thread_posts():
    return [Post(n, lines) for n, lines in enumerate(make_thread.POSTS, start=1)]


# --- The forms ------------------------------------------------------------------

def masked(mail, key=0x5A):
    """Cloudflare's masked mail link: the key byte, then every byte XORed with it."""
    return f"{key:02x}" + "".join(f"{ord(c) ^ key:02x}" for c in mail)


def name_html(post, mask=False):
    if not post.mail:
        return f"<b>{post.name}</b>"
    href = f"/cdn-cgi/l/email-protection#{masked(post.mail)}" if mask else f"mailto:{post.mail}"
    return f'<b><a href="{href}">{post.name}</a></b>'


def attrs(post):
    return (f'id="{post.number}" data-date="NG" data-userid="ID:{post.ident}" '
            f'data-id="{post.number}"')


def post_06(post):
    return (f'<div class="post" {attrs(post)}><div class="number">{post.number} : </div>'
            f'<div class="name">{name_html(post)}</div>'
            f'<div class="date">{post.date} ID:{post.ident}</div>'
            f'<div class="message">{post.body()}</div></div><br>')


def post_07(post):
    return (f'<div class="post" {attrs(post)}><div class="meta">'
            f'<span class="number">{post.number}</span>'
            f'<span class="name">{name_html(post)}</span><span class="date">{post.date}</span>'
            f'<span class="uid">ID:{post.ident}</span></div>'
            f'<div class="message"><span class="escaped">{post.body()}</span></div></div><br>')


def aa_wrapped(post):
    return f'<span class="AA">{post.body()}</span>' if post.picture else post.body()


def post_076(post):
    return (f'<div class="post" {attrs(post)}><div class="post-header"><div>'
            f'<span class="postid">{post.number}</span>'
            f'<span class="postusername">{name_html(post)}</span></div>'
            f'<span style="min-width: fit-content;"><span class="date">{post.date}</span>'
            f'<span class="uid">ID:{post.ident}</span></span></div>'
            f'<div class="post-content">{aa_wrapped(post)}</div></div>')


def post_08(post):
    return (f'<article {attrs(post)} class="clear post"><details open class="post-header">'
            f'<summary><span class="postid">{post.number:04d}</span>'
            f'<span class="postusername">{name_html(post, mask=True)}</span></summary>'
            f'<span class="date">{post.date}</span><span class="uid">ID:{post.ident}</span>'
            f'</details><section class="post-content">{aa_wrapped(post)}</section></article>')


def post_pink(post):
    return (f'<dl class="post" {attrs(post)}><dt class="">'
            f'<span class="number">{post.number} : </span>'
            f'<span class="name">{name_html(post)}</span>'
            f'<span class="date">{post.date} ID:{post.ident}</span></dt>'
            f'<dd class="thread_in">{post.body()}</dd></dl>')


def post_open2ch(post):
    # open2ch: a <dl> a post, the year in two digits, <br> without spaces and
    # one ending every body, the reply counter after the body.
    n, ident = post.number, post.ident
    name = (f'<a href="mailto:{post.mail}"><b>{post.name}</b></a>' if post.mail
            else f"<b>{post.name}</b>")
    return (f'<dl val="{n}">\n<dt class="id{ident} mesg hd" res="{n}"><a class="num" '
            f'href="./{n}">{n} ：<font color="#228811" class="name">{name}</font></a>：'
            f'{post.date[2:]} <span class="_id"><a class="id" href="./?id={ident}">ID:{ident}'
            f'</a></span>\n<dd class="id{ident} mesg body" num="{n}">{"<br>".join(post.lines)}'
            f'<br>\n</dd>\n<ares num="{n}"></ares>\n</dt>\n</dl>')


def open2ch_page(title, posts):
    head = ('<!DOCTYPE html>\n<html lang="ja"><head><meta charset="UTF-8">'
            f"<title>{title}</title></head><body>\n<div class=\"thread\">\n")
    return head + "".join(post_open2ch(p) + "\n" for p in posts) + "</div>\n</body></html>\n"


def unix_time(post):
    """The post's date in seconds since 1970, the date being Japan's time (UTC+9)."""
    when = datetime.datetime.strptime(re.sub(r"\(.\)", "", post.date), "%Y/%m/%d %H:%M:%S")
    return int((when - datetime.datetime(1970, 1, 1, 9)).total_seconds())


def itest_json(title, posts):
    """The smartphone API's reply, as PHP's json_encode writes it: tags, '&', '/' and
    every character outside ASCII escaped; the date in seconds."""
    comments = [[p.number, p.name, p.mail, str(unix_time(p)), p.ident, "", p.body(), 0, 0, 0]
                for p in posts]
    thread = [unix_time(posts[-1]), len(posts), "egg", "cat/1762171200", "", title, "3"]
    text = json.dumps({"total_count": len(posts), "thread": thread, "comments": comments},
                      ensure_ascii=True, separators=(",", ":"))
    return (text.replace("/", "\\/").replace("<", "\\u003C").replace(">", "\\u003E")
            .replace("&", "\\u0026"))


# Summary blogs: the posts a blogger picked, each a header line "N ：NAME：DATE ID:X"
# and its body; mail fields are not shown.

BLOG_TITLE = " - 猫AAまとめ（our own drawing）"


def blog_page(title, entry):
    return ('<!DOCTYPE html>\n<html lang="ja"><head><meta charset="UTF-8">'
            f'<title>{title}{BLOG_TITLE}</title></head><body>\n'
            f'<h1 class="entry-title">{title}</h1>\n<div class="entry-body">\n{entry}</div>\n'
            '<div class="sidebar"><h2>最近の記事</h2><ul><li>猫のAAを貼るスレ Part2</li>'
            "<li>2026/11/01 更新</li></ul></div>\n</body></html>\n")


def blog_br(title, posts):
    """Lines ended by <br>, a coloured name, pictures in <span class="aa">, an
    empty line after every post."""
    parts = []
    for p in posts:
        body = "<br>\n".join(p.lines)
        if p.picture:
            body = f'<span class="aa">{body}</span>'
        parts.append(f'{p.number} ：<span style="color:green"><b>{p.name}</b></span>：'
                     f"{with_id(p)}<br>\n{body}<br><br>\n")
    return blog_page(title, "".join(parts))


def blog_divs(title, posts):
    """A div for the header and one for the body, indented; pictures in
    <div class="textar-aa">."""
    parts = []
    for p in posts:
        body = "<br>\n".join(p.lines)
        if p.picture:
            body = f'    <div class="textar-aa">\n{body}<br>\n    </div>'
        parts.append(f'  <div class="t_h">{p.number} ：<font color="green"><b>{p.name}</b></font>'
                     f'：{with_id(p)}</div>\n  <div class="t_b">\n{body}\n  </div>\n')
    return blog_page(title, "".join(parts))


def blog_text(title, posts):
    """Text kept as it is (white-space: pre): raw line breaks, spaces around the
    separators, pictures in <div class="aa">, posts separated by <hr>."""
    parts = []
    for p in posts:
        body = "\n".join(p.lines)
        if p.picture:
            body = f'<div class="aa">\n{body}\n</div>'
        parts.append(f"{p.number} ： {p.name} ： {with_id(p)}\n{body}\n")
    return blog_page(title, '<div class="log" style="white-space: pre">' + "<hr>\n".join(parts)
                     + "</div>\n")


def html_page(title, posts, write_post, version, title_element=""):
    head = ('<!DOCTYPE html>\n<html lang="ja"><head>'
            '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">'
            f"<title>{title}</title></head><body>\n{title_element}<div class=\"thread\">\n")
    tail = (f'</div>\n<div class="footer">read.cgi ver {version} (our own drawing)</div>\n'
            "</body></html>\n")
    return head + "".join(write_post(p) + "\n" for p in posts) + tail


def dat_2ch(title, posts):
    return "".join(f"{p.name}<>{p.mail}<>{p.date} ID:{p.ident}<>{p.body()}<>"
                   f"{title if i == 0 else ''}\n" for i, p in enumerate(posts))


def dat_shitaraba(title, posts):
    # rawmode: the ID in a field of its own, <br> without spaces.
    return "".join(f"{p.number}<>{p.name}<>{p.mail}<>{p.date}<>{'<br>'.join(p.lines)}<>"
                   f"{title if i == 0 else ''}<>{p.ident}\n" for i, p in enumerate(posts))


def host(post):
    return f"<>host{post.number}.example.jp" if post.number % 5 == 0 else ""


def dat_machi(title, posts):
    return "".join(f"{p.number}<>{p.name}<>{p.mail}<>{p.date} ID:{p.ident}<>{p.body()}<>"
                   f"{title if i == 0 else ''}{host(p)}\n" for i, p in enumerate(posts))


# --- What each file stands for: the classic page, written from the posts -----------

def classic(title, posts, body, date, mail=True):
    lines = ['<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">'
             f"<TITLE>{title}</TITLE></HEAD><BODY>", "<DL>"]
    for p in posts:
        name = (f'<A HREF="mailto:{p.mail}"><B>{p.name}</B></A>' if p.mail and mail
                else f"<B>{p.name}</B>")
        lines.append(f"<DT>{p.number} ：{name}：{date(p)}<DD>{body(p)}<BR><BR>")
    lines.append("</DL></BODY></HTML>")
    return "\r\n".join(lines)


def with_id(p):
    return f"{p.date} ID:{p.ident}"


def open2ch_date(p):
    return f"{p.date[2:]} ID:{p.ident}"


def machi_date(p):
    extra = f" [ host{p.number}.example.jp ]" if p.number % 5 == 0 else ""
    return with_id(p) + extra



# name, encoding, the file's text, and the classic page it stands for
def samples():
    title = make_thread.TITLE
    posts = thread_posts()
    kept = [p for p in posts if p.number != 38]  # deleted on Shitaraba
    picked = [p for p in posts if p.number not in (33, 34)]  # left out of a summary
    body = Post.body
    blog_title = title + BLOG_TITLE
    return [
        ("5ch-read-cgi-06.html", "cp932", html_page(title, posts, post_06, "06.0.3"),
         classic(title, posts, body, with_id)),
        ("5ch-read-cgi-07.html", "cp932", html_page(title, posts, post_07, "07.1.5"),
         classic(title, posts, body, with_id)),
        ("5ch-read-cgi-076.html", "cp932",
         html_page(title + " - 5ちゃんねる", posts, post_076, "07.6.2",
                   f'<h1 id="threadtitle">{title}</h1>\n'),
         classic(title, posts, body, with_id)),
        ("5ch-read-cgi-08.html", "cp932",
         html_page(title, posts, post_08, "08.1", f'<h1 id="threadtitle">{title}</h1>\n'),
         classic(title, posts, body, with_id)),
        ("bbspink-06.html", "cp932", html_page(title, posts, post_pink, "06.0.3"),
         classic(title, posts, body, with_id)),
        ("open2ch.html", "utf_8", open2ch_page(title, posts),
         classic(title, posts, lambda p: "<br>".join(p.lines), open2ch_date)),
        ("itest.json", "ascii", itest_json(title, posts), classic(title, posts, body, with_id)),
        ("blog-br.html", "utf_8", blog_br(title, posts),
         classic(blog_title, posts, lambda p: "<br>".join(p.lines), with_id, mail=False)),
        ("blog-divs.html", "utf_8", blog_divs(title, picked),
         classic(blog_title, picked, lambda p: "<br>".join(p.lines), with_id, mail=False)),
        ("blog-text.html", "utf_8", blog_text(title, posts),
         classic(blog_title, posts, lambda p: "<BR>".join(p.lines), with_id, mail=False)),
        ("2ch.dat", "cp932", dat_2ch(title, posts), classic(title, posts, body, with_id)),
        ("shitaraba.dat", "euc_jp", dat_shitaraba(title, kept),
         classic(title, kept, lambda p: "<br>".join(p.lines), with_id)),
        ("machi.dat", "cp932", dat_machi(title, posts), classic(title, posts, body, machi_date)),
    ]


def encoded(text, encoding):
    if encoding == "euc_jp":
        # EUC-JP has the wave dash and the minus sign where CP932 has the
        # full-width tilde and hyphen-minus.
        text = text.replace("～", "〜").replace("－", "−")
    return text.encode(encoding)


def kept_posts(page, level, merge):
    numbers = [int(m) for m in re.findall(r"<DT>(\d+) ：", page)]
    return [numbers[i - 1] for i in make_thread.extract(page, level, merge)]


def main():
    OUT.mkdir(exist_ok=True)
    for name, encoding, text, page in samples():
        (OUT / name).write_bytes(encoded(text, encoding))
        if "--table" in sys.argv:
            for level in (0, 1, 2):
                for merge in (False, True):
                    print(f"{name} level {level} merge {int(merge)}: "
                          f"{kept_posts(page, level, merge)}")


if __name__ == "__main__":
    main()
