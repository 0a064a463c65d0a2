// mozaru-cli dedup: the clusters of exact and near duplicates of a collection,
// or of inputs read for the purpose.
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/collection_jobs.h"
#include "cli/messages.h"
#include "collection/fingerprints.h"
#include "collection/indexer.h"
#include "collection/search.h"

namespace mozaru {

namespace {

const char* kindOf(const ClusterMember& member, bool first) {
    if (first) return "first";
    if (member.exact) return "exact";
    return member.mirrored ? "mirror" : "near";
}

void writeClusters(Database& db, const std::vector<Cluster>& clusters,
                   const std::vector<std::int64_t>& ids, std::ostream& out) {
    std::size_t number = 0;
    for (const Cluster& cluster : clusters) {
        out << "cluster " << ++number << "\t" << cluster.size() << " pictures\n";
        for (std::size_t k = 0; k < cluster.size(); ++k) {
            const FoundPicture picture = pictureById(db, ids[cluster[k].picture]);
            char similarity[16];
            std::snprintf(similarity, sizeof similarity, "%.2f", cluster[k].similarity);
            out << "\t" << pictureName(picture) << "\t" << similarity << "\t"
                << kindOf(cluster[k], k == 0) << "\t" << firstLineUtf8(picture) << "\n";
        }
    }
}

}  // namespace

int runDedup(const CliOptions& options, std::ostream& out, std::ostream& err) {
    try {
        // Inputs are read into a collection in memory, as index would read them.
        const bool inMemory = options.database.empty();
        Database db(inMemory ? ":memory:" : options.database,
                    inMemory ? Access::Write : Access::Read);
        if (inMemory) {
            const IndexReport report = indexInto(db, indexOptionsOf(options));
            for (const std::string& problem : report.problems) err << cliWarning(problem) << "\n";
        }
        FingerprintTable table;
        std::vector<std::int64_t> ids;
        loadFingerprints(db, table, ids, options.mirror);
        const std::vector<Cluster> clusters =
            findDuplicates(table, {options.threshold, options.mirror});
        writeClusters(db, clusters, ids, out);
        std::size_t exact = 0;
        std::size_t near = 0;
        for (const Cluster& cluster : clusters) {
            for (std::size_t k = 1; k < cluster.size(); ++k) ++(cluster[k].exact ? exact : near);
        }
        err << cliMessage("dedup-summary"_text,
                          {cliCount(table.size(), "pictures-one"_text, "pictures"_text),
                           cliCount(clusters.size(), "clusters-one"_text, "clusters"_text),
                           std::to_string(exact), std::to_string(near)})
            << "\n";
    } catch (const std::exception& e) {
        err << cliMessage(e.what()) << "\n";
        return kExitFileError;
    }
    out.flush();
    return out ? kExitOk : kExitFileError;
}

}  // namespace mozaru
