// The table of files a collection is read from.
#include "library/library_forms.h"

#include <array>

#include "text/text.h"

namespace mozaru {

namespace {

constexpr std::array<LibraryForm, 4> kForms{{
    {LibraryFormId::Mlt, "mlt", u".mlt", readMlt},
    {LibraryFormId::Ast, "ast", u".ast", readAst},
    {LibraryFormId::PlainText, "txt", u".txt", readPlainText},
    {LibraryFormId::Thread, "thread", u".html.htm.dat", readThread},
}};

}  // namespace

std::span<const LibraryForm> libraryForms() {
    return kForms;
}

const LibraryForm* libraryFormFor(std::u16string_view fileName) {
    const std::size_t dot = fileName.rfind(u'.');
    if (dot == npos || fileName.find(u'/', dot) != npos) return nullptr;
    const std::u16string_view extension = fileName.substr(dot);
    for (const LibraryForm& form : kForms) {
        for (std::size_t at = 0; (at = findNoCase(form.extensions, extension, at)) != npos; ++at) {
            const std::size_t end = at + extension.size();
            if (end == form.extensions.size() || form.extensions[end] == u'.') return &form;
        }
    }
    return nullptr;
}

}  // namespace mozaru
