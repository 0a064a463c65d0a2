// Pieces of text handed from the thread that reads a file to the one that
// writes the result, their buffers going back to be filled again; the
// reading thread, and the line-break commands on its pieces.
#pragma once

#include <QString>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "files/text_file.h"

namespace mozaru {

// Each piece begins with room() units of room, where the taking side puts
// the end of the text it has not used yet, so that the two join without the
// piece being copied. The putting side appends each piece to what put left
// it (the first one to an empty buffer, which put makes room in).
class TextPipe {
public:
    // What put throws once the taking side has given up.
    struct Cancelled : std::runtime_error {
        Cancelled() : std::runtime_error("cancelled") {}
    };

    explicit TextPipe(std::size_t depth = 3, std::size_t room = std::size_t{1} << 16)
        : m_depth(depth), m_room(room) {}

    std::size_t room() const { return m_room; }
    // Hands piece over and leaves in it the room of an earlier piece's
    // buffer; waits while depth pieces wait to be taken.
    void put(std::u16string& piece);
    // No more pieces.
    void close();
    // The next piece into piece, room first; its old buffer goes back. False
    // at the end.
    bool take(std::u16string& piece);
    // The taking side gives up: put throws from now on.
    void cancel();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::u16string> m_full;
    std::vector<std::u16string> m_spare;
    const std::size_t m_depth;
    const std::size_t m_room;
    bool m_roomMade = false;  // the putting side's buffer came from put, room and all
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

// Hands the text that comes out of pipe to take, which returns how much of
// the front of what it is given it has used (the rest comes again, at the
// front of the next call); last: the text ends there. Where a taker uses
// nearly all, each piece is taken where it lies.
void takePieces(TextPipe& pipe, const std::function<std::size_t(std::u16string_view, bool)>& take);

}  // namespace mozaru
