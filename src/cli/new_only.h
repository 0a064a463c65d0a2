// extract --new-only: the pictures of the user's collection, against which
// each kept post is looked up and left out when it is there already.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "extract/kept_posts.h"
#include "library/duplicates.h"

namespace mozaru {

class KnownPictures {
public:
    // Reads the collection's fingerprints; throws CollectionError.
    KnownPictures(const std::string& database, double threshold);
    // Whether the collection holds this post body: the same text, or a
    // picture similar by at least the threshold.
    bool holds(std::u16string_view body) const;

private:
    FingerprintTable m_table;
    std::unique_ptr<NearIndex> m_index;
};

// Leaves out of kept the posts known holds, and rebuilds its document from
// the others; returns how many went.
std::size_t keepNewOnly(const KnownPictures& known, Extraction& kept);

}  // namespace mozaru
