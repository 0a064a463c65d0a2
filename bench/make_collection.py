#!/usr/bin/env python3
"""Writes an AA pack shaped like the standard one, for the collection benchmark.

make_collection.py OUT_DIR [--items N] [--files F] [--jobs J]
writes OUT_DIR/pack/ (F MLT files, default 15,000, in nested folders of Japanese names;
N items, default 1,400,000, about 1.7 KB each in CP932: about 2.4 GB) and OUT_DIR/truth.tsv.

Every picture is drawn here by program from strokes, boxes, captions and faces made of
strokes, from a seed of its own, so every run writes the same bytes. About one picture in
twenty holds character references in the forms packs hold (&#N; &#N &#xH; &#xH &hearts;).
Planted, one in about 46 items: exact copies of a picture in another file (about 15,000, as
the standard pack repeats), and near variants: other spaces (full-width spaces written as two
half-width ones and leading spaces changed on a few lines), one line edited (only in pictures
of at least ten lines: editing one of three lines makes another picture), and the left-right
mirror image (the mirror table of src/library/mirror.cpp, lines reversed by width).
truth.tsv lists each planted item and its original: path below pack/, item, family, kind.
"""
import multiprocessing
import os
import pathlib
import random
import sys

# The pairs of src/library/mirror.cpp, in the same order.
MIRROR_PAIRS = ["/\\", "／＼", "()", "（）", "<>", "＜＞", "[]", "［］", "{}", "｛｝", "〈〉", "《》",
                "≪≫", "«»", "‹›", "「」", "『』", "｢｣", "【】", "〔〕", "ノヽ", "db", "pq", "ｄｂ",
                "ｐｑ", "⊂⊃", "⊆⊇", "⊏⊐", "∈∋", "≺≻", "←→", "⇐⇒", "↖↗", "↙↘", "´｀", "‘’",
                "“”", "┌┐", "└┘", "├┤", "┏┓", "┗┛", "┣┫", "╭╮", "╰╯", "◤◥", "◣◢", "◀▶",
                "◁▷", "◄►", "☜☞", "≦≧", "≤≥", "ミ彡", "εз"]
MIRROR = {}
for a, b in MIRROR_PAIRS:
    MIRROR[a] = b
    MIRROR[b] = a

STROKES = "／＼｜＿￣－─│┃━ノヽ丶ヾ'`´｀,.:;・･ilI|!/\\()（）{}＜＞∧∨⌒⊂⊃∩∪ミ彡≡＝＋×※○●◇□△▽☆★〃ﾉﾊﾍﾐｿﾘﾚ"
RUNS = "＿￣─━:;.・'iｌ|／＼＝〃"
SYLLABLES = ("や る 夫 で き な い お 断 り し ま す ね こ ぬ ぎ こ ん に ち は ｷ ﾀ ━ ！ ？ "
             "あ い う え か さ た ま ら わ を ア イ ウ 猫 犬 空 海 山 川 森 木 花 雨 夢 光").split()
EYES = ["´", "・", "ﾟ", "＾", "●", "￣", "o", "⌒", "＞", "＜", "ｰ", "°", "Ｔ", "ｘ"]
MOUTHS = ["∀", "ω", "д", "ー", "▽", "o", "3", "Д", "∇", "_", "ε", "Å", "皿", "口"]
CHEEKS = [("（", "）"), ("(", ")"), ("｛", "｝"), ("[", "]"), ("|", "|")]
EARS = ["∧＿∧", "∧∧", "ﾊ,,ﾊ", "ﾊ_ﾊ", "∩＿∩", "／l、", "ヽ｀"]
REFERENCES = [("&#9829;", "♥"), ("&#9829", "♥"), ("&#x2665;", "♥"), ("&#x2665", "♥"),
              ("&hearts;", "♥"), ("&spades;", "♠"), ("&#9733;", "★"), ("&#x1F600;", "😀"),
              ("&clubs;", "♣"), ("&#12316", "〜")]


def _padding(rng, n):
    # Full-width spaces with a half-width one here and there, as AA pads.
    out = []
    while n > 0:
        if n >= 2 and rng.random() < 0.8:
            out.append("　")
            n -= 2
        else:
            out.append(" ")
            n -= 1
    return "".join(out)


# A few paddings of each width, drawn once: a picture takes one per gap.
_PADDINGS = [[_padding(random.Random(n * 8 + k), n) for k in range(8)] for n in range(64)]


def spaces(rng, n):
    return _PADDINGS[n][int(rng.random() * 8)]


def segment(r):
    # Strokes stand apart, as in drawn outlines; runs draw edges and shading.
    # (r: the picture's random(); randint and choice cost more than the drawing.)
    x = r()
    if x < 0.45:
        return RUNS[int(r() * len(RUNS))] * (2 + int(r() * 7))
    if x < 0.92:
        return "".join(STROKES[int(r() * len(STROKES))] for _ in range(1 + int(r() * 3)))
    return "".join(SYLLABLES[int(r() * len(SYLLABLES))] for _ in range(2 + int(r() * 4)))


def stroke_line(rng, width):
    r = rng.random
    parts = [_PADDINGS[int(r() * (width + 1))][int(r() * 8)]]
    for _ in range(1 + int(r() * 7)):
        parts.append(segment(r))
        parts.append(_PADDINGS[2 + int(r() * 10)][int(r() * 8)])
    return "".join(parts).rstrip()


def face(rng, indent):
    left, right = rng.choice(CHEEKS)
    eye = rng.choice(EYES)
    pad = spaces(rng, indent)
    return [pad + "　" + rng.choice(EARS),
            pad + left + rng.choice(["", " ", "　"]) + eye + rng.choice(MOUTHS) + eye + right +
            rng.choice(["", "　" + "".join(rng.choice(SYLLABLES) for _ in range(4))]),
            pad + left + "　" + rng.choice(["つ", "O", "ｕ", "⊃", "∪"]) + rng.choice(["旦", "", "　"]) +
            rng.choice(["O", "つ", "ｕ", "⊂"]) + right]


def box(rng, indent):
    inner = rng.randint(2, 12)
    pad = spaces(rng, indent)
    text = "".join(rng.choice(SYLLABLES) for _ in range(inner))
    return [pad + "┌" + "─" * inner * 2 + "┐", pad + "│" + text + "　" * inner + "│",
            pad + "└" + "─" * inner * 2 + "┘"]


def draw(g):
    """Picture g, drawn from its own seed: a list of lines."""
    rng = random.Random(g * 7919 + 17)
    height = max(3, min(90, int(rng.lognormvariate(3.3, 0.5))))
    width = rng.randint(10, 48)
    lines = [stroke_line(rng, width) for _ in range(height)]
    for block in (face, box):
        if rng.random() < 0.6:
            at = rng.randrange(len(lines))
            lines[at:at + 3] = block(rng, rng.randint(0, width))
    if rng.random() < 0.05:
        for _ in range(rng.randint(1, 3)):
            k = rng.randrange(len(lines))
            lines[k] = lines[k] + rng.choice(REFERENCES)[0] + rng.choice(["", "　", " "])
    return lines


def width_of(text):
    return sum(1 if ord(c) < 0x80 or 0xFF61 <= ord(c) <= 0xFF9F else 2 for c in text)


def decoded(line):
    for ref, char in REFERENCES:
        line = line.replace(ref, char)
    return line


def mirrored(lines):
    # Each line read back to front, each stroke turned, and the spaces put where the mirror
    # puts them: the widest line's right edge becomes every line's left edge.
    plain = [decoded(line).rstrip(" 　") for line in lines]
    widest = max(width_of(line) for line in plain)
    out = []
    for line in plain:
        turned = "".join(MIRROR.get(c, c) for c in reversed(line))
        pad = widest - width_of(line)
        out.append(("　" * (pad // 2) + " " * (pad % 2) + turned).rstrip(" 　"))
    return ["".join(map(cp932_safe, line)) for line in out]


def cp932_safe(c):
    # What CP932 does not give back as it was (a reference decoded for the mirror image,
    # such as U+301C, which the codec writes as U+FF5E) as &#N;.
    try:
        if c.encode("cp932").decode("cp932") == c:
            return c
    except UnicodeEncodeError:
        pass
    return f"&#{ord(c)};"


def key(line):
    return "".join(c for c in decoded(line) if c not in " 　\t")


def variant(lines, kind, rng):
    if kind == "exact":
        return list(lines)
    if kind == "mirror":
        return mirrored(lines)
    if kind == "spaces":
        out = list(lines)
        changed = 0
        for k in rng.sample(range(len(out)), len(out)):
            before = out[k]
            if "　" in out[k]:
                out[k] = out[k].replace("　", "  ", rng.randint(1, 3))
            elif key(out[k]):
                out[k] = "　" + out[k]
            changed += out[k].rstrip() != before.rstrip()
            if changed >= 3:
                break
        return out
    # edit: one line gets strokes of its own
    out = list(lines)
    keyed = [k for k, line in enumerate(out) if key(line)]
    k = rng.choice(keyed)
    out[k] = stroke_line(rng, 20) + "※" + str(rng.randint(0, 10**6))
    return out


def editable(lines):
    keys = [key(line) for line in lines if key(line)]
    return len(set(keys)) >= 10 and len(keys) == len(set(keys))


FOLDERS = ["やる夫", "やらない夫", "できる夫", "ギコ", "モナー", "しぃ", "ショボーン", "ドクオ",
           "ブーン", "ツン", "クー", "ヒート", "ハルヒ", "長門", "みくる", "キョン", "翠星石", "蒼星石",
           "真紅", "水銀燈", "オプーナ", "ひろゆき", "背景", "文字", "記号"]
SUBFOLDERS = ["基本", "アクション", "大型", "複数", "別衣装", "ミニ", "背景付き", "その他",
              "感情", "戦闘", "日常", "食べ物", "季節", "乗り物", "動物", "建物", "小物", "顔",
              "全身", "後ろ姿"]


def layout(files, items):
    """Each file's path below pack/ and its number of items, and the first item's index."""
    rng = random.Random(2024)
    paths = []
    per_sub = max(1, files // (len(FOLDERS) * len(SUBFOLDERS)))
    for f in range(files):
        top = FOLDERS[f % len(FOLDERS)]
        sub = SUBFOLDERS[(f // len(FOLDERS)) % len(SUBFOLDERS)]
        paths.append(f"{top}/{sub}/{top}{sub}{f // (len(FOLDERS) * len(SUBFOLDERS)) % per_sub + 1:02d}-{f:05d}.mlt")
    weights = [rng.lognormvariate(0, 0.9) for _ in range(files)]
    total = sum(weights)
    counts = [max(1, int(items * w / total)) for w in weights]
    counts[0] += items - sum(counts)
    firsts = []
    g = 0
    for c in counts:
        firsts.append(g)
        g += c
    return paths, counts, firsts


def plan(items):
    """Planted items: target index -> (source index, kind)."""
    rng = random.Random(99)
    planted = {}
    # As many as the standard pack's 1.4 million items hold, in proportion.
    share = items / 1_400_000
    kinds = (["exact"] * round(15000 * share) + ["spaces"] * round(5000 * share) +
             ["edit"] * round(5000 * share) + ["mirror"] * round(5000 * share))
    used = set()
    for kind in kinds:
        while True:
            source = rng.randrange(items)
            target = rng.randrange(items)
            if source in used or target in used or abs(source - target) < min(5000, items // 20):
                continue
            if kind == "edit" and not editable(draw(source)):
                continue
            break
        used.update((source, target))
        planted[target] = (source, kind)
    return planted


def write_file(args):
    out, path, count, first, planted = args
    lines = []
    for g in range(first, first + count):
        if g > first:
            lines.append("[SPLIT]")
        if g in planted:
            source, kind = planted[g]
            lines.extend(variant(draw(source), kind, random.Random(g)))
        else:
            lines.extend(draw(g))
    data = ("\r\n".join(lines) + "\r\n").encode("cp932", "xmlcharrefreplace")
    target = out / "pack" / path
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(data)
    return len(data)


def main():
    args = sys.argv[1:]

    def option(name, default):
        if name in args:
            value = int(args[args.index(name) + 1])
            del args[args.index(name):args.index(name) + 2]
            return value
        return default

    items = option("--items", 1_400_000)
    files = option("--files", 15_000)
    jobs = option("--jobs", os.cpu_count() or 1)
    out = pathlib.Path(args[0])
    paths, counts, firsts = layout(files, items)
    planted = plan(items)
    # Where each index lands: file and item number.
    place = {}
    wanted = set(planted) | {source for source, _ in planted.values()}
    for f in range(files):
        for g in range(firsts[f], firsts[f] + counts[f]):
            if g in wanted:
                place[g] = (paths[f], g - firsts[f] + 1)
    with multiprocessing.Pool(jobs) as pool:
        total = sum(pool.imap_unordered(
            write_file, [(out, paths[f], counts[f], firsts[f], planted) for f in range(files)],
            chunksize=16))
    with open(out / "truth.tsv", "w", encoding="utf-8") as truth:
        for family, (target, (source, kind)) in enumerate(sorted(planted.items())):
            truth.write(f"{place[source][0]}\t{place[source][1]}\t{family}\toriginal\n")
            truth.write(f"{place[target][0]}\t{place[target][1]}\t{family}\t{kind}\n")
    print(f"{out}/pack: {files} files, {items} items, {total / 1e9:.2f} GB; "
          f"{len(planted)} planted")


if __name__ == "__main__":
    main()
