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
    const std::string post = "post " + std::to_string(resolved.post);
    switch (resolved.problem) {
        case AuthorProblem::None:
            return true;
        case AuthorProblem::NoHeader:
            messages.push_back(cliMessage(
                displayName(input) +
                ": --author auto: the first post has no header (<DT>N ：NAME：DATE ID:X) to take "
                "the author from"));
            return false;
        case AuthorProblem::DefaultName:
            messages.push_back(cliMessage(
                displayName(input) + ": --author auto: " + post +
                "'s header shows no ID, no trip, and the board's default name " +
                utf8(resolved.header.name) + "; name the author with id:X, trip:X or name:X"));
            return false;
    }
    return false;
}

std::string authorChosen(const ResolvedAuthor& resolved) {
    const AuthorChoice& a = resolved.author;
    std::string why = "as given";
    if (resolved.post != 0) {
        const std::string post = "post " + std::to_string(resolved.post) + "'s header";
        switch (a.key) {
            case AuthorKey::Id:
                why = "the ID in " + post;
                break;
            case AuthorKey::Trip:
                why = post + " shows no ID; its trip";
                break;
            default:
                why = post + " shows no ID and no trip; its name";
                break;
        }
    }
    return keyName(a.key) + ":" + utf8(a.value) + " (" + why + ")";
}

}  // namespace mozaru
