// Pieces of text handed from the thread that reads a file to the one that
// writes the result, their buffers going back to be filled again; the
// line-break commands on them.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "linebreaks/line_breaks.h"

namespace mozaru {

class TextPipe {
public:
    // What put throws once the taking side has given up.
    struct Cancelled : std::runtime_error {
        Cancelled() : std::runtime_error("cancelled") {}
    };

    explicit TextPipe(std::size_t depth = 3) : m_depth(depth) {}

    // Hands piece over and leaves in it an empty buffer of an earlier
    // piece's room; waits while depth pieces wait to be taken.
    void put(std::u16string& piece);
    // No more pieces.
    void close();
    // The next piece into piece, whose old buffer goes back; false at the end.
    bool take(std::u16string& piece);
    // The taking side gives up: put throws from now on.
    void cancel();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::u16string> m_full;
    std::vector<std::u16string> m_spare;
    const std::size_t m_depth;
    bool m_closed = false;
    bool m_cancelled = false;
};

// Rewrites the text that comes out of pipe with AddLineBreaks (add) or
// RemoveLineBreaks into sink, as addLineBreaksInto does on a text in pieces:
// the rest of each piece is rewritten where it lies.
void rewriteLineBreaks(bool add, TextPipe& pipe, const TextSink& sink);

}  // namespace mozaru
