// Pieces of text handed from the thread that reads a file to the one that
// writes the result, their buffers going back to be filled again; the
// reading thread, and the line-break commands on its pieces.
#pragma once

#include <QString>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "files/text_file.h"
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

// Reads a file in pieces on a thread of its own, into a pipe.
class PipedRead {
public:
    PipedRead(const QString& path, const ReadOptions& options);
    // However the taking side ends, the reading stops at its next piece.
    ~PipedRead();
    PipedRead(const PipedRead&) = delete;
    PipedRead& operator=(const PipedRead&) = delete;

    TextPipe& pipe() { return m_pipe; }
    // Once all was taken: what the read gave.
    TextFileRead finish();

private:
    TextPipe m_pipe;
    TextFileRead m_read;
    std::exception_ptr m_failure;
    std::thread m_thread;  // last: it starts once the rest is there
};

// Rewrites the text that comes out of pipe with rewrite (addLineBreaksInto
// or removeLineBreaksInto) into sink: the rest of each piece is rewritten
// where it lies.
void rewriteLineBreaks(LineBreakRewrite rewrite, TextPipe& pipe, const TextSink& sink);

}  // namespace mozaru
