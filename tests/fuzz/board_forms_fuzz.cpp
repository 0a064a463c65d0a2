// Any text as a board page: recognised and converted under every choice,
// without a crash, a leak, undefined behaviour or a quadratic scan (libFuzzer's
// timeout); a page recognised gives the classic page's frame. The closes the
// readers look up (html::CloseFinder) are the ones findClose finds.
#include <cstdint>

#include "boards/board_forms.h"
#include "fuzz_input.h"
#include "text/html_tags.h"

namespace {

void checkCloses(std::u16string_view page, bool indexed) {
    mozaru::html::CloseFinder closes(page);
    mozaru::html::Tag open;
    for (std::size_t p = 0; mozaru::html::nextTag(page, p, open); p = open.end) {
        if (open.closing) continue;
        mozaru::html::Tag expected;
        mozaru::html::Tag found;
        const bool exists = mozaru::html::findClose(page, open, expected);
        const bool looked = indexed ? closes.indexed(open, found) : closes.find(open, found);
        // A tag the pairing pass reads as part of another's attribute has none.
        mozaru::fuzz::check(looked ? exists && found.begin == expected.begin : true,
                            "the close looked up is findClose's");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    const std::u16string page = fuzz::unitsOf(fuzz::bytesOf(data, size));
    checkCloses(page, size % 2 == 1);
    for (const InputFormat choice :
         {InputFormat::Auto, InputFormat::Classic, InputFormat::Dat, InputFormat::FiveCh}) {
        const ClassicPage classic = toClassicPage(page, choice);
        if (!classic.recognised()) {
            fuzz::check(classic.text.empty(), "a page not recognised gives no text");
            continue;
        }
        fuzz::check(classic.text.starts_with(u"<HTML><HEAD>") &&
                        classic.text.ends_with(u"</DL></BODY></HTML>"),
                    "a recognised page becomes a whole classic page");
    }
    return 0;
}
