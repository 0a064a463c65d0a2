// The author's posts only: a thread's author picked by ID, trip or name, or
// found on its first post, and the kept posts that are theirs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "extract/kept_posts.h"
#include "extract/post_header.h"

namespace mozaru {

enum class AuthorKey { Off, Auto, Id, Trip, Name };

struct AuthorChoice {
    AuthorKey key = AuthorKey::Off;
    std::u16string value;  // for Id, Trip and Name; a trip without its "◆"
};

// "auto", "id:X", "trip:X" (with or without "◆"), "name:X"; false for
// anything else, or an empty X.
bool parseAuthorChoice(std::u16string_view text, AuthorChoice& choice);

// Why auto could not pick an author.
enum class AuthorProblem {
    None,
    NoHeader,     // the page's first post has no header of the classic form
    DefaultName,  // it has no ID, no trip, and the board's default name
};

struct ResolvedAuthor {
    AuthorChoice author;  // Id, Trip or Name (Off when not asked for)
    // For auto: the post read, and the problem when it gave no author.
    std::uint64_t post = 0;
    AuthorProblem problem = AuthorProblem::None;
    PostHeader header;  // the post's header, as read
};

// A name boards give every poster who types none ("名無しさん",
// "名無しのやる夫だお", "風吹けば名無し"): it names nobody.
bool isDefaultName(std::u16string_view name);

// The choice with auto resolved on the page's first post: its ID, else its
// trip, else its name unless that is the board's default.
ResolvedAuthor resolveAuthor(std::u16string_view page, const AuthorChoice& choice);

// Whether the post whose header is text is the author's; a post without a
// header is nobody's.
bool isAuthorsPost(std::u16string_view header, const AuthorChoice& author);

// Removes the posts that are not the author's (nothing when the choice is Off).
void keepAuthorsPosts(std::vector<KeptPost>& posts, const AuthorChoice& author);

}  // namespace mozaru
