#!/usr/bin/env python3
"""Writes large CP932 thread pages for the end-to-end benchmarks of mozaru-cli.

make_pages.py OUT_DIR: OUT_DIR/big.html (64 MiB) and OUT_DIR/batch/page-NNN.html
(200 pages of 1 MiB), built by repeating the posts of samples/thread.html with
fresh numbers.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def posts():
    page = (ROOT / "samples" / "thread.html").read_bytes()
    lines = page.split(b"\r\n")
    head = [l for l in lines if not l.startswith(b"<DT>")]
    head = head[: head.index(b"<DL>") + 1]
    body = [l for l in lines if l.startswith(b"<DT>")]
    return b"\r\n".join(head) + b"\r\n", body


def page_of(size, head, body):
    parts = [head]
    total = len(head)
    number = 0
    while total < size:
        number += 1
        post = body[(number - 1) % len(body)]
        post = re.sub(rb"^<DT>\d+", b"<DT>%d" % number, post) + b"\r\n"
        parts.append(post)
        total += len(post)
    parts.append(b"</DL></BODY></HTML>\r\n")
    return b"".join(parts)


def main():
    out = pathlib.Path(sys.argv[1])
    (out / "batch").mkdir(parents=True, exist_ok=True)
    head, body = posts()
    (out / "big.html").write_bytes(page_of(64 << 20, head, body))
    small = page_of(1 << 20, head, body)
    for i in range(200):
        (out / "batch" / f"page-{i:03d}.html").write_bytes(small)


if __name__ == "__main__":
    main()
