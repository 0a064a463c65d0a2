#!/usr/bin/env python3
"""The collection benchmark: mozaru-cli index, search and dedup on the generated pack.

collection_bench.py CLI FOLDER
FOLDER holds pack/ and truth.tsv (make_collection.py). Prints, each beside its goal:
index of the whole pack (wall and processor time, peak memory, database size against the
pack), index again with nothing changed, search (median of 60 texts taken from the pack),
dedup of the whole pack with --mirror (wall and processor time, the planted copies and variants
found, the reported pairs that were not planted), and --merge of two halves indexed apart.
The anchor, measured in the same run: reading every file of the pack once (cat).
"""
import os
import pathlib
import random
import resource
import sqlite3
import statistics
import subprocess
import sys
import time


def run(command, **kwargs):
    """Runs command; returns (wall seconds, processor seconds, peak KB, completed process)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(command, **kwargs)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu, after.ru_maxrss, done


def size_of(folder):
    return sum(p.stat().st_size for p in pathlib.Path(folder).rglob("*") if p.is_file())


def index_figures(cli, pack, db):
    db.unlink(missing_ok=True)
    wall, cpu, peak, done = run(["nice", "-n", "10", cli, "index", "-q", "--db", str(db), str(pack)],
                                stderr=subprocess.PIPE)
    if done.returncode != 0:
        sys.exit(f"index failed: {done.stderr.decode(errors='replace')}")
    return wall, cpu, peak


def texts_to_search(pack, count):
    # Lines and pieces of lines of pictures picked at random, spaces and all.
    rng = random.Random(5)
    files = sorted(pack.rglob("*.mlt"))
    texts = []
    while len(texts) < count:
        lines = [line for line in rng.choice(files).read_bytes().decode("cp932", "replace").split("\r\n")
                 if line.strip(" 　") and not line.startswith("[SPLIT]") and "&" not in line]
        line = rng.choice(lines).strip(" 　")
        if len(texts) % 2 == 0 and len(line) > 12:
            start = rng.randrange(len(line) - 8)
            line = line[start:start + rng.randint(4, 8)]
        texts.append(line)
    return texts


def read_clusters(output):
    clusters = []
    for line in output.decode("utf-8", "replace").splitlines():
        if line.startswith("cluster "):
            clusters.append([])
        elif line.startswith("\t"):
            name = line.split("\t")[1]
            clusters[-1].append(name)
    return clusters


def dedup_figures(clusters, pack, truth):
    families = {}
    kinds = {}
    prefix = str(pack.resolve()) + "/"
    for line in truth.read_text(encoding="utf-8").splitlines():
        path, item, family, kind = line.split("\t")
        name = f"{prefix}{path}:{item}"
        families[name] = family
        kinds[name] = kind
    cluster_of = {}
    for k, members in enumerate(clusters):
        for name in members:
            cluster_of[name] = k
    planted = [name for name, kind in kinds.items() if kind != "original"]
    originals = {families[name]: name for name, kind in kinds.items() if kind == "original"}
    found = {}
    for name in planted:
        original = originals[families[name]]
        hit = name in cluster_of and cluster_of.get(original) == cluster_of[name]
        total, got = found.get(kinds[name], (0, 0))
        found[kinds[name]] = (total + 1, got + hit)
    pairs = 0
    strangers = 0
    for members in clusters:
        first = members[0]
        for name in members[1:]:
            pairs += 1
            if families.get(name) is None or families.get(name) != families.get(first):
                strangers += 1
    return found, pairs, strangers


def main():
    cli, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    pack, truth = folder / "pack", folder / "truth.tsv"
    db = folder / "pack.db"
    pack_bytes = size_of(pack)
    files = sum(1 for _ in pack.rglob("*.mlt"))
    print(f"pack: {files} files, {pack_bytes / 1e9:.2f} GB (GB = 10^9 bytes); "
          f"load average before: {os.getloadavg()[0]:.1f}, cores: {os.cpu_count()}")
    wall, cpu, _, _ = run(f"find '{pack}' -type f -exec cat {{}} + > /dev/null", shell=True)
    anchor = wall
    print(f"anchor: reading the pack once (cat) {wall:.1f} s, processor {cpu:.1f} s")

    wall, cpu, peak = index_figures(cli, pack, db)
    db_bytes = db.stat().st_size
    print(f"index: {wall:.0f} s (goal <= 180 s; {wall / anchor:.1f} x the anchor), processor "
          f"{cpu:.0f} s, peak {peak / 1e6:.2f} GB (goal <= 2), database {db_bytes / 1e9:.2f} GB = "
          f"{db_bytes / pack_bytes:.2f} x the pack (goal <= 1.5)")
    wall, cpu, _, _ = run(["nice", "-n", "10", cli, "index", "-q", "--db", str(db), str(pack)])
    print(f"index again, nothing changed: {wall:.1f} s, processor {cpu:.1f} s")

    starts = [run([cli, "extract", "--help"], stdout=subprocess.DEVNULL)[0] for _ in range(9)]
    times = []
    cpus = []
    hits = 0
    for text in texts_to_search(pack, 60):
        wall, cpu, _, done = run([cli, "search", "--db", str(db), "--limit", "20", text],
                                 stdout=subprocess.PIPE)
        times.append(wall)
        cpus.append(cpu)
        hits += bool(done.stdout)
    print(f"search: median {statistics.median(times) * 1000:.0f} ms (goal <= 50 ms), processor "
          f"median {statistics.median(cpus) * 1000:.0f} ms, slowest {max(times) * 1000:.0f} ms, "
          f"{hits} of {len(times)} texts found (each is in the pack); the program's start alone "
          f"(extract --help) {statistics.median(starts) * 1000:.0f} ms")

    wall, cpu, peak, done = run(["nice", "-n", "10", cli, "dedup", "--mirror", "--db", str(db)],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    clusters = read_clusters(done.stdout)
    found, pairs, strangers = dedup_figures(clusters, pack, truth)
    total = sum(t for t, _ in found.values())
    got = sum(g for _, g in found.values())
    print(f"dedup --mirror: {wall:.0f} s (goal <= 300 s), processor {cpu:.0f} s, peak "
          f"{peak / 1e6:.2f} GB; {len(clusters)} clusters")
    print("  planted found: " + ", ".join(f"{kind} {g}/{t}" for kind, (t, g) in sorted(found.items())) +
          f"; all {100 * got / max(1, total):.2f} % (goal >= 99 %)")
    print(f"  reported pairs not planted: {strangers} of {pairs} = "
          f"{100 * strangers / max(1, pairs):.3f} % (goal <= 0.1 %)")

    # Two halves, indexed apart and merged.
    tops = sorted(p for p in pack.iterdir() if p.is_dir())
    halves = [tops[: len(tops) // 2], tops[len(tops) // 2:]]
    parts = []
    for k, half in enumerate(halves):
        part = folder / f"half{k}.db"
        part.unlink(missing_ok=True)
        run(["nice", "-n", "10", cli, "index", "-q", "--db", str(part)] + [str(p) for p in half])
        parts.append(part)
    merged = folder / "merged.db"
    merged.unlink(missing_ok=True)
    wall, cpu, _, done = run(["nice", "-n", "10", cli, "index", "--db", str(merged), "--merge"] +
                             [str(p) for p in parts], stderr=subprocess.PIPE)
    print(f"merge of two halves indexed apart: {wall:.0f} s, processor {cpu:.0f} s; "
          f"{done.stderr.decode(errors='replace').strip()}")
    same = [sqlite3.connect(str(d)).execute(
        "SELECT count(*), sum(exact % 1000003) FROM pictures").fetchone() for d in (merged, db)]
    print(f"  merged and whole hold the same pictures: {'yes' if same[0] == same[1] else 'NO'}")
    for part in parts + [merged]:
        part.unlink(missing_ok=True)


if __name__ == "__main__":
    main()
