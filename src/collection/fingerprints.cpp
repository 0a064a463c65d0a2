// Fingerprints read from a collection.
#include "collection/fingerprints.h"

#include "collection/picture_blobs.h"
#include "library/fingerprint.h"

namespace mozaru {

void loadFingerprints(Database& db, FingerprintTable& table, std::vector<std::int64_t>& ids,
                      bool mirrored) {
    Statement all(db.handle(), mirrored
                                   ? "SELECT id, exact, shingles, text FROM pictures ORDER BY id"
                                   : "SELECT id, exact, shingles FROM pictures ORDER BY id");
    std::vector<std::uint32_t> plain;
    std::vector<std::uint32_t> turned;
    while (all.step()) {
        ids.push_back(all.integer(0));
        unpackShingles(all.blob(2), plain);
        if (mirrored) turned = mirroredShingles(unpackText(all.blob(3)));
        table.add(static_cast<std::uint64_t>(all.integer(1)), plain, turned);
    }
}

}  // namespace mozaru
