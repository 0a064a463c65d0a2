// mozaru-cli search: the pictures of a collection that hold a text, listed or
// written as an output of the exports table.
#include "collection/search.h"

#include <ostream>

#include "cli/cli.h"
#include "cli/collection_jobs.h"
#include "cli/messages.h"
#include "files/path_text.h"
#include "files/text_file.h"
#include "library/picture_text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

std::u16string firstLine(std::u16string_view text) {
    for (const std::u16string_view line : linesOfNormalised(text)) {
        if (!line.empty()) return std::u16string(line);
    }
    return {};
}

// The pictures as the posts an output is written from, and the document of
// the extraction's result made of them.
void writeOutput(const CliOptions& options, const std::vector<FoundPicture>& found,
                 const TextSink& sink) {
    std::vector<KeptPost> posts;
    std::u16string document;
    for (const FoundPicture& picture : found) {
        posts.push_back({picture.item, picture.header, bodyOfLines(picture.text)});
        document += u"\r\n<HR>\r\n" + posts.back().body;
    }
    if (!document.empty()) document += u"<HR>";
    exportFormat(options.to).write({document, posts}, sink);
}

}  // namespace

std::string pictureName(const FoundPicture& picture) {
    return picture.path + ":" + std::to_string(picture.item);
}

std::string firstLineUtf8(const FoundPicture& picture) {
    return toUtf8(firstLine(picture.text));
}

int runSearch(const CliOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<FoundPicture> found;
    try {
        Database db(options.database, Access::Read);
        found = searchCollection(
            db, {fromUtf8(options.inputs.front()), options.category, options.limit});
    } catch (const std::exception& e) {
        err << cliMessage(e.what()) << "\n";
        return kExitFileError;
    }
    if (!options.toGiven) {
        for (const FoundPicture& picture : found) {
            out << pictureName(picture) << ": " << firstLineUtf8(picture) << "\n";
        }
        out.flush();
        return out ? kExitOk : kExitFileError;
    }
    if (!options.output.empty()) {
        const TextFileWrite written = writeTextFile(
            toQPath(options.output),
            [&](const TextSink& sink) {
                writeOutput(options, found, sink);
                return true;
            },
            options.outputEncoding);
        if (!written.ok) {
            err << cliMessage("cannot-write"_text,
                              {options.output, cliText(written.reason.toStdString())})
                << "\n";
            return kExitFileError;
        }
        return kExitOk;
    }
    TextEncoder encoder(options.outputEncoding, [&out](std::string_view bytes) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
    writeOutput(options, found, [&encoder](std::u16string_view piece) { encoder.encode(piece); });
    encoder.finish();
    out.flush();
    return out ? kExitOk : kExitFileError;
}

}  // namespace mozaru
