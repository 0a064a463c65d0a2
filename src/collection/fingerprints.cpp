// Fingerprints read from a collection.
#include "collection/fingerprints.h"

#include "collection/picture_blobs.h"

namespace mozaru {

void loadFingerprints(Database& db, FingerprintTable& table, std::vector<std::int64_t>& ids) {
    Statement all(db.handle(), "SELECT id, exact, shingles, mirrored FROM pictures ORDER BY id");
    std::vector<std::uint32_t> plain;
    std::vector<std::uint32_t> mirrored;
    while (all.step()) {
        ids.push_back(all.integer(0));
        unpackShingles(all.blob(2), plain);
        if (all.isNull(3)) {
            mirrored = plain;
        } else {
            unpackShingles(all.blob(3), mirrored);
        }
        table.add(static_cast<std::uint64_t>(all.integer(1)), plain, mirrored);
    }
}

}  // namespace mozaru
