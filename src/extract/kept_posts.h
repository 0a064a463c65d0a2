// The posts an extraction keeps, one by one, beside its result: what the
// outputs made of pictures (libraries, pages, images) are written from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extract_observer.h"
#include "extract/picture_stats.h"

namespace mozaru {

struct KeptPost {
    std::uint64_t number = 0;  // as its header gives it, else its place among the pieces
    std::u16string header;     // the page's text from the post's last "<DT" to its "<DD"
    std::u16string body;       // as the extraction kept it: one line, markup and all
};

struct Extraction {
    std::u16string document;      // ExtractAA's result
    std::vector<KeptPost> posts;  // filled only when asked for
};

// ExtractAA over page with the detector, and, when withPosts, the kept posts one by one.
Extraction extractPosts(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                        bool withPosts, Detector detector = Detector::Seed);
// The same, the extraction's progress told to observer too.
Extraction extractPosts(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                        bool withPosts, ExtractObserver& observer,
                        Detector detector = Detector::Seed);

// The bodies of an extraction's result (between its <HR> rules, line
// breaks out), numbered from 1 in order: the posts of a document that was
// extracted already. They have no headers.
std::vector<KeptPost> keptPostsOfResult(std::u16string_view document);

// The picture around offset in a document: from the rule or the "<DD>" before
// it to the rule, "<DT" or "</DL" after it (the whole text without any), line
// breaks out.
std::u16string pictureAt(std::u16string_view document, std::size_t offset);

// The number a post header gives after its last "<DT" (its tag, tags and
// spaces skipped); 0 when it gives none.
std::uint64_t postNumberOf(std::u16string_view header);

}  // namespace mozaru
