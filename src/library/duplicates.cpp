// Exact and near duplicates: union of exact groups and of the pairs that
// MinHash bands bring together and whose sets are similar enough.
#include "library/duplicates.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

#include "library/fingerprint.h"

namespace mozaru {

namespace {

class UnionFind {
public:
    explicit UnionFind(std::size_t n) : m_parent(n) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    std::size_t find(std::size_t i) {
        while (m_parent[i] != i) {
            m_parent[i] = m_parent[m_parent[i]];
            i = m_parent[i];
        }
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = find(a);
        b = find(b);
        if (a != b) m_parent[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<std::size_t> m_parent;
};

constexpr int kMostHashes = 128;

// The hash functions a·x + b (the high half of the product), one per row of
// every band.
struct HashFunctions {
    std::uint64_t a[kMostHashes];
    std::uint64_t b[kMostHashes];
};

constexpr HashFunctions hashFunctions() {
    HashFunctions f{};
    for (int i = 0; i < kMostHashes; ++i) {
        f.a[i] = mix64(static_cast<std::uint64_t>(i) + 1) | 1;
        f.b[i] = mix64(static_cast<std::uint64_t>(i) + 0xA5A5A5A5u);
    }
    return f;
}

constexpr HashFunctions kHashes = hashFunctions();

// One band's key of a set: the minimum of each of its rows' functions over
// the set's mixed shingles, hashed together.
std::uint64_t bandKey(std::span<const std::uint32_t> set, int band, int rows) {
    std::uint32_t mins[kMostHashes];
    std::fill(mins, mins + rows, UINT32_MAX);
    const std::uint64_t* a = kHashes.a + band * rows;
    const std::uint64_t* b = kHashes.b + band * rows;
    for (const std::uint32_t s : set) {
        const std::uint64_t x = mix64(s);
        for (int q = 0; q < rows; ++q) {
            mins[q] = std::min(mins[q], static_cast<std::uint32_t>((a[q] * x + b[q]) >> 32));
        }
    }
    std::uint64_t key = mix64(static_cast<std::uint64_t>(band) + 0x51ED27u);
    for (int q = 0; q < rows; ++q) key = mix64(key ^ mins[q]);
    return key;
}

struct Entry {
    std::uint64_t key;
    std::uint32_t picture;  // the high bit: the picture's mirror image
};

constexpr std::uint32_t kMirrorBit = 0x80000000u;
// Pictures in one bucket beyond this are paired with their neighbours only:
// a shingle that very many pictures share would otherwise ask for millions of
// pairs that are no duplicates.
constexpr std::size_t kAllPairs = 48;

}  // namespace

void FingerprintTable::add(std::uint64_t exact, std::span<const std::uint32_t> plain,
                           std::span<const std::uint32_t> mirrored) {
    m_exact.push_back(exact);
    m_plainStart.push_back(m_shingles.size());
    m_shingles.insert(m_shingles.end(), plain.begin(), plain.end());
    m_mirroredStart.push_back(m_shingles.size());
    m_shingles.insert(m_shingles.end(), mirrored.begin(), mirrored.end());
}

std::span<const std::uint32_t> FingerprintTable::plain(std::size_t i) const {
    return std::span(m_shingles).subspan(m_plainStart[i], m_mirroredStart[i] - m_plainStart[i]);
}

std::span<const std::uint32_t> FingerprintTable::mirrored(std::size_t i) const {
    const std::size_t end = i + 1 < m_plainStart.size() ? m_plainStart[i + 1] : m_shingles.size();
    return std::span(m_shingles).subspan(m_mirroredStart[i], end - m_mirroredStart[i]);
}

Banding bandingFor(double threshold) {
    for (int rows = 8; rows > 1; --rows) {
        const int bands = kMostHashes / rows;
        const double miss = std::pow(1.0 - std::pow(threshold, rows), bands);
        if (miss <= 0.0005) return {bands, rows};
    }
    return {kMostHashes, 1};
}

double similarity(const FingerprintTable& table, std::size_t a, std::size_t b, bool mirror,
                  bool& mirrored) {
    const auto pa = table.plain(a);
    const auto pb = table.plain(b);
    double best = jaccard(pa.data(), pa.size(), pb.data(), pb.size());
    mirrored = false;
    if (mirror && best < 1.0) {
        const auto mb = table.mirrored(b);
        const double m = jaccard(pa.data(), pa.size(), mb.data(), mb.size());
        if (m > best) {
            best = m;
            mirrored = true;
        }
    }
    return best;
}

std::vector<Cluster> findDuplicates(const FingerprintTable& table,
                                    const DuplicateOptions& options) {
    const std::size_t n = table.size();
    UnionFind groups(n);
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return table.exact(a) < table.exact(b);
    });
    // One picture of each text takes part in the near search.
    std::vector<std::uint32_t> distinct;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && table.exact(order[k]) == table.exact(order[k - 1])) {
            groups.join(order[k], order[k - 1]);
        } else if (!table.plain(order[k]).empty()) {
            distinct.push_back(order[k]);
        }
    }
    const Banding banding = bandingFor(options.threshold);
    const double least = options.threshold - 1e-9;
    std::unordered_set<std::uint64_t> measured;
    const auto pair = [&](std::uint32_t x, std::uint32_t y) {
        const bool mirrorPair = ((x ^ y) & kMirrorBit) != 0;
        if (!mirrorPair && (x & kMirrorBit)) return;  // both mirrored: the plain pair again
        const std::uint32_t a = std::min(x & ~kMirrorBit, y & ~kMirrorBit);
        const std::uint32_t b = std::max(x & ~kMirrorBit, y & ~kMirrorBit);
        if (a == b) return;
        const std::uint64_t id = (std::uint64_t{a} << 32 | b) ^ (mirrorPair ? 1ull << 63 : 0);
        if (!measured.insert(id).second) return;
        const auto pa = table.plain(a);
        const auto pb = mirrorPair ? table.mirrored(b) : table.plain(b);
        if (jaccard(pa.data(), pa.size(), pb.data(), pb.size()) >= least) groups.join(a, b);
    };
    std::vector<Entry> entries;
    for (int band = 0; band < banding.bands; ++band) {
        entries.clear();
        for (const std::uint32_t p : distinct) {
            entries.push_back({bandKey(table.plain(p), band, banding.rows), p});
            if (options.mirror) {
                entries.push_back({bandKey(table.mirrored(p), band, banding.rows), p | kMirrorBit});
            }
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
            return x.key < y.key || (x.key == y.key && x.picture < y.picture);
        });
        for (std::size_t s = 0; s < entries.size();) {
            std::size_t e = s + 1;
            while (e < entries.size() && entries[e].key == entries[s].key) ++e;
            if (e - s <= kAllPairs) {
                for (std::size_t i = s; i < e; ++i) {
                    for (std::size_t j = i + 1; j < e; ++j)
                        pair(entries[i].picture, entries[j].picture);
                }
            } else {
                for (std::size_t i = s + 1; i < e; ++i) {
                    pair(entries[s].picture, entries[i].picture);
                    pair(entries[i - 1].picture, entries[i].picture);
                }
            }
            s = e;
        }
    }
    // The members of each group, in table order: the first is its root.
    std::vector<std::vector<std::size_t>> members(n);
    for (std::size_t i = 0; i < n; ++i) members[groups.find(i)].push_back(i);
    std::vector<Cluster> clusters;
    for (std::size_t root = 0; root < n; ++root) {
        if (members[root].size() < 2) continue;
        Cluster cluster;
        for (const std::size_t m : members[root]) {
            ClusterMember member;
            member.picture = m;
            member.exact = table.exact(m) == table.exact(root);
            if (m != root) {
                member.similarity =
                    member.exact ? 1.0
                                 : similarity(table, root, m, options.mirror, member.mirrored);
            }
            cluster.push_back(member);
        }
        clusters.push_back(std::move(cluster));
    }
    return clusters;
}

NearIndex::NearIndex(const FingerprintTable& table, double threshold)
    : m_table(table), m_threshold(threshold) {
    const Banding banding = bandingFor(threshold);
    m_exact.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) m_exact.push_back(table.exact(i));
    std::sort(m_exact.begin(), m_exact.end());
    m_bands.reserve(table.size() * static_cast<std::size_t>(banding.bands));
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table.plain(i).empty()) continue;
        for (int band = 0; band < banding.bands; ++band) {
            m_bands.push_back(
                {bandKey(table.plain(i), band, banding.rows), static_cast<std::uint32_t>(i)});
        }
    }
    std::sort(m_bands.begin(), m_bands.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
}

bool NearIndex::holds(std::uint64_t exact, std::span<const std::uint32_t> plain) const {
    if (std::binary_search(m_exact.begin(), m_exact.end(), exact)) return true;
    if (plain.empty()) return false;
    const Banding banding = bandingFor(m_threshold);
    for (int band = 0; band < banding.bands; ++band) {
        const std::uint64_t key = bandKey(plain, band, banding.rows);
        auto it = std::lower_bound(m_bands.begin(), m_bands.end(), key,
                                   [](const Entry& e, std::uint64_t k) { return e.key < k; });
        // A crowded bucket is looked into only so far.
        for (std::size_t seen = 0; it != m_bands.end() && it->key == key && seen < kAllPairs;
             ++it, ++seen) {
            const auto other = m_table.plain(it->picture);
            if (jaccard(plain.data(), plain.size(), other.data(), other.size()) >=
                m_threshold - 1e-9) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace mozaru
