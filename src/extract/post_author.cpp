// The author's posts: a choice read, auto resolved, posts matched.
#include "extract/post_author.h"

#include <algorithm>
#include <array>

#include "text/text.h"

namespace mozaru {

namespace {

struct Prefix {
    std::u16string_view text;
    AuthorKey key;
};

constexpr std::array<Prefix, 3> kPrefixes{{
    {u"id:", AuthorKey::Id},
    {u"trip:", AuthorKey::Trip},
    {u"name:", AuthorKey::Name},
}};

// The name less the trip it carries: "やる夫 ◆Abc" is "やる夫".
std::u16string_view nameWithoutTrip(std::u16string_view name) {
    return trimSpaces(name.substr(0, name.find(kTripMark)));
}

}  // namespace

bool parseAuthorChoice(std::u16string_view text, AuthorChoice& choice) {
    if (text == u"auto") {
        choice = {AuthorKey::Auto, {}};
        return true;
    }
    for (const Prefix& prefix : kPrefixes) {
        if (text.substr(0, prefix.text.size()) != prefix.text) continue;
        std::u16string_view value = text.substr(prefix.text.size());
        if (prefix.key == AuthorKey::Trip && value.substr(0, kTripMark.size()) == kTripMark) {
            value.remove_prefix(kTripMark.size());
        }
        if (value.empty()) return false;
        choice = {prefix.key, std::u16string(value)};
        return true;
    }
    return false;
}

bool isDefaultName(std::u16string_view name) {
    return name.find(u"名無し") != npos;
}

ResolvedAuthor resolveAuthor(std::u16string_view page, const AuthorChoice& choice) {
    ResolvedAuthor resolved;
    if (choice.key != AuthorKey::Auto) {
        resolved.author = choice;
        return resolved;
    }
    if (!firstPostHeader(page, resolved.header)) {
        resolved.problem = AuthorProblem::NoHeader;
        return resolved;
    }
    const PostHeader& h = resolved.header;
    resolved.post = h.number;
    // "ID:???" is a board hiding IDs: it names nobody.
    if (!h.id.empty() && h.id.find(u'?') == npos) {
        resolved.author = {AuthorKey::Id, h.id};
    } else if (!h.trip.empty()) {
        resolved.author = {AuthorKey::Trip, h.trip};
    } else if (!h.name.empty() && !isDefaultName(h.name)) {
        resolved.author = {AuthorKey::Name, h.name};
    } else {
        resolved.problem = AuthorProblem::DefaultName;
    }
    return resolved;
}

bool isAuthorsPost(std::u16string_view header, const AuthorChoice& author) {
    PostHeader h;
    if (!parsePostHeader(header, h)) return false;
    switch (author.key) {
        case AuthorKey::Id:
            return h.id == author.value;
        case AuthorKey::Trip:
            return !h.trip.empty() && h.trip == author.value;
        case AuthorKey::Name:
            return h.name == author.value || nameWithoutTrip(h.name) == author.value;
        case AuthorKey::Off:
        case AuthorKey::Auto:
            break;
    }
    return true;
}

void keepAuthorsPosts(std::vector<KeptPost>& posts, const AuthorChoice& author) {
    if (author.key == AuthorKey::Off) return;
    std::erase_if(posts,
                  [&author](const KeptPost& post) { return !isAuthorsPost(post.header, author); });
}

}  // namespace mozaru
