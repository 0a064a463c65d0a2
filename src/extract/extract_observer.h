// Progress notifications of the extraction; every hook defaults to nothing.
// A caller without an observer calls the overloads that take none.
#pragma once

#include <cstdint>
#include <string_view>

namespace mozaru {

struct AAResult;

class ExtractObserver {
public:
    virtual ~ExtractObserver() = default;
    // Given once, only when the page holds at least one "<DD" (n >= 1).
    virtual void start(std::int32_t /*n*/) {}
    // After piece i (1-based) has been examined.
    virtual void postDone(std::int32_t /*i*/) {}
    // Once after the result has been assembled (only when start was given).
    virtual void finished(std::int32_t /*n*/) {}
    // The yield after each line that IsAA has counted.
    virtual void lineDone() {}
    // The verdict on piece i's body, before postDone(i); for diagnostics
    // (mozaru-cli explain). Not called by IsAA itself. body is the text as
    // judged: without CR and LF, the four protected letters as their tokens.
    virtual void judged(std::int32_t /*i*/, std::u16string_view /*body*/,
                        const AAResult& /*result*/) {}
    // Piece i's body has gone into the result, as written there (the
    // letters restored); header is the page's text from the end of the body
    // before (the page's start for the first) to the "<DD" of this one. For
    // writers that need the kept bodies one by one (AA libraries).
    virtual void kept(std::int32_t /*i*/, std::u16string_view /*header*/,
                      std::u16string_view /*body*/) {}
};

}  // namespace mozaru
