// Any text as a board page: recognised and converted under every choice,
// without a crash, a leak, undefined behaviour or a quadratic scan (libFuzzer's
// timeout); a page recognised gives the classic page's frame.
#include <cstdint>

#include "boards/board_forms.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    const std::u16string page = fuzz::unitsOf(fuzz::bytesOf(data, size));
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
