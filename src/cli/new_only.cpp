// extract --new-only.
#include "cli/new_only.h"

#include "collection/database.h"
#include "collection/fingerprints.h"
#include "library/fingerprint.h"
#include "library/picture_text.h"

namespace mozaru {

KnownPictures::KnownPictures(const std::string& database, double threshold) {
    Database db(database, Access::Read);
    std::vector<std::int64_t> ids;
    loadFingerprints(db, m_table, ids);
    m_index = std::make_unique<NearIndex>(m_table, threshold);
}

bool KnownPictures::holds(std::u16string_view body) const {
    const std::u16string normalised = normalisedText(body, ItemText::Markup);
    return m_index->holds(textHash(normalised), lineShingles(normalised));
}

std::size_t keepNewOnly(const KnownPictures& known, Extraction& kept) {
    std::vector<KeptPost> posts;
    std::u16string document;
    for (KeptPost& post : kept.posts) {
        if (known.holds(post.body)) continue;
        // As the extraction writes its result: each body after a rule, one rule at the end.
        document += u"\r\n<HR>\r\n" + post.body;
        posts.push_back(std::move(post));
    }
    if (!document.empty()) document += u"<HR>";
    const std::size_t removed = kept.posts.size() - posts.size();
    kept.posts = std::move(posts);
    kept.document = std::move(document);
    return removed;
}

}  // namespace mozaru
