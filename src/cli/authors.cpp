// mozaru-cli --author: the author resolved for an input, and the words for it.
#include "cli/authors.h"

#include <QString>

#include "cli/messages.h"

namespace mozaru {

namespace {

std::string utf8(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

std::string keyName(AuthorKey key) {
    switch (key) {
        case AuthorKey::Id:
            return "id";
        case AuthorKey::Trip:
            return "trip";
        case AuthorKey::Name:
            return "name";
        case AuthorKey::Off:
        case AuthorKey::Auto:
            break;
    }
    return "auto";
}

}  // namespace

bool resolveAuthorOf(const CliOptions& options, const std::string& input, std::u16string_view page,
                     ResolvedAuthor& resolved, std::vector<std::string>& messages) {
    resolved = resolveAuthor(page, options.author);
    switch (resolved.problem) {
        case AuthorProblem::None:
            return true;
        case AuthorProblem::NoHeader:
            messages.push_back(cliMessage("author-no-header"_text, {displayName(input)}));
            return false;
        case AuthorProblem::DefaultName:
            messages.push_back(cliMessage(
                "author-default-name"_text,
                {displayName(input), std::to_string(resolved.post), utf8(resolved.header.name)}));
            return false;
    }
    return false;
}

std::string authorChosen(const ResolvedAuthor& resolved, CliLanguage language) {
    const AuthorChoice& a = resolved.author;
    std::string why = cliTextIn(language, "author-as-given"_text);
    if (resolved.post != 0) {
        const std::string post = std::to_string(resolved.post);
        switch (a.key) {
            case AuthorKey::Id:
                why = cliTextIn(language, "author-by-id"_text, {post});
                break;
            case AuthorKey::Trip:
                why = cliTextIn(language, "author-by-trip"_text, {post});
                break;
            default:
                why = cliTextIn(language, "author-by-name"_text, {post});
                break;
        }
    }
    return cliTextIn(language, "author-chosen"_text, {keyName(a.key) + ":" + utf8(a.value), why});
}

}  // namespace mozaru
