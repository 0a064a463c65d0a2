// Exact and near duplicates among many pictures: exact by the hash of the
// normalised text, near by MinHash with locality-sensitive hashing over the
// line shingles, every candidate pair then measured exactly (pure).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mozaru {

// The pictures' hashes and shingle sets, side by side in flat arrays: a
// collection of a million pictures holds tens of millions of shingles.
class FingerprintTable {
public:
    void add(std::uint64_t exact, std::span<const std::uint32_t> plain,
             std::span<const std::uint32_t> mirrored);
    std::size_t size() const { return m_exact.size(); }
    std::uint64_t exact(std::size_t i) const { return m_exact[i]; }
    std::span<const std::uint32_t> plain(std::size_t i) const;
    std::span<const std::uint32_t> mirrored(std::size_t i) const;

private:
    std::vector<std::uint64_t> m_exact;
    std::vector<std::uint32_t> m_shingles;
    std::vector<std::size_t> m_plainStart;  // each picture's plain, then mirrored set
    std::vector<std::size_t> m_mirroredStart;
};

struct DuplicateOptions {
    double threshold = 0.8;  // the least Jaccard similarity of two near duplicates
    bool mirror = false;     // also match each picture with the other's mirror image
};

struct ClusterMember {
    std::size_t picture = 0;  // index in the table
    double similarity = 1.0;  // to the cluster's first member
    bool exact = false;       // the same normalised text as the first member
    bool mirrored = false;    // the similarity is to the first member's mirror image
};

// Pictures joined by exact equality or by a similarity of at least the
// threshold (and all that are joined to those); the first member, the
// earliest picture, has similarity 1. Clusters in the order of their first
// members, members in table order.
using Cluster = std::vector<ClusterMember>;
std::vector<Cluster> findDuplicates(const FingerprintTable& table, const DuplicateOptions& options);

// The similarity of two pictures: their sets' Jaccard, or with mirror that of
// one with the other's mirror image when that is higher (mirrored set).
double similarity(const FingerprintTable& table, std::size_t a, std::size_t b, bool mirror,
                  bool& mirrored);

// The pictures of a table, looked up by a picture from elsewhere: whether
// one has the same text or a similarity of at least the threshold.
class NearIndex {
public:
    NearIndex(const FingerprintTable& table, double threshold);
    bool holds(std::uint64_t exact, std::span<const std::uint32_t> plain) const;

private:
    struct Entry {
        std::uint64_t key;
        std::uint32_t picture;
    };
    const FingerprintTable& m_table;
    double m_threshold;
    std::vector<std::uint64_t> m_exact;  // sorted
    std::vector<Entry> m_bands;          // every band's keys, sorted
};

// The bands and rows of the locality-sensitive hashing for a threshold: as
// few bands as keep a pair at the threshold a candidate with probability
// 0.9995 or more, with at most 128 hashes.
struct Banding {
    int bands = 0;
    int rows = 0;
};
Banding bandingFor(double threshold);

}  // namespace mozaru
