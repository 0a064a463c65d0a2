// Which form a page is in, and its conversion to the classic saved page:
// one row per family of forms, each read by a file of its own.
#include "boards/board_forms.h"

#include <array>

namespace mozaru {

namespace {

constexpr std::array<BoardForm, 5> kBoardForms{{
    {InputFormat::Dat, "dat", "no line of a .dat log", recognizeDat, datToClassic},
    {InputFormat::FiveCh, "5ch", "no post of a 5ch or bbspink page", recognizeReadCgi,
     readCgiToClassic},
    {InputFormat::Open2ch, "open2ch", "no post of an open2ch page", recognizeOpen2ch,
     open2chToClassic},
    {InputFormat::Json, "json", "no comment of the smartphone API's JSON", recognizeJsonThread,
     jsonThreadToClassic},
    // Last: its signature, header lines in the text, is the least marked.
    {InputFormat::Blog, "blog", "no post header of a summary blog (N : NAME : DATE)", recognizeBlog,
     blogToClassic},
}};

}  // namespace

std::span<const BoardForm> boardForms() {
    return kBoardForms;
}

const BoardForm* boardForm(InputFormat id) {
    for (const BoardForm& form : kBoardForms) {
        if (form.id == id) return &form;
    }
    return nullptr;
}

PageFormat recognizePageFormat(std::u16string_view page) {
    for (const BoardForm& form : kBoardForms) {
        const PageFormat format = form.recognise(page, false);
        if (format != PageFormat::Classic) return format;
    }
    return PageFormat::Classic;
}

ClassicPage toClassicPage(std::u16string_view page, InputFormat choice) {
    if (choice == InputFormat::Classic) return {};
    for (const BoardForm& form : kBoardForms) {
        if (choice != InputFormat::Auto && form.id != choice) continue;
        const PageFormat format = form.recognise(page, choice != InputFormat::Auto);
        if (format != PageFormat::Classic) return form.toClassic(page, format);
    }
    return {};
}

}  // namespace mozaru
