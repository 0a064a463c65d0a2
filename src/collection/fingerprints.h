// The hashes and shingles of a collection's pictures, read for the duplicate
// search and for keeping only new pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "collection/database.h"
#include "library/duplicates.h"

namespace mozaru {

// Every picture of the collection (in id order, ids[i] the one of row i);
// with mirrored, the shingles of its mirror image too, made from its text.
void loadFingerprints(Database& db, FingerprintTable& table, std::vector<std::int64_t>& ids,
                      bool mirrored = false);

}  // namespace mozaru
