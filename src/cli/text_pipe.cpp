// Pieces of text from one thread to another, with their buffers reused, and
// the thread that reads a file into them.
#include "cli/text_pipe.h"

#include <algorithm>

namespace mozaru {

void TextPipe::put(std::u16string& piece) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_full.size() < m_depth; });
    if (m_cancelled) throw Cancelled();
    if (!m_roomMade) piece.insert(0, m_room, u'\0');
    m_full.push_back(std::move(piece));
    piece = std::u16string();
    if (!m_spare.empty()) {
        piece.swap(m_spare.back());
        m_spare.pop_back();
    }
    piece.resize(m_room);
    m_roomMade = true;
    m_changed.notify_all();
}

void TextPipe::close() {
    const std::lock_guard lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

bool TextPipe::take(std::u16string& piece) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_closed || !m_full.empty(); });
    m_spare.push_back(std::move(piece));
    if (m_full.empty()) return false;
    piece = std::move(m_full.front());
    m_full.pop_front();
    m_changed.notify_all();
    return true;
}

void TextPipe::cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_changed.notify_all();
}

PipedRead::PipedRead(const QString& path, const ReadOptions& options)
    : m_thread([this, path, options] {
          try {
              m_read = readTextFileInPieces(
                  path, options, [this](std::u16string& text, bool /*last*/) { m_pipe.put(text); });
          } catch (const TextPipe::Cancelled&) {
          } catch (...) {
              m_failure = std::current_exception();
          }
          m_pipe.close();
      }) {}

PipedRead::~PipedRead() {
    if (m_thread.joinable()) {
        m_pipe.cancel();
        m_thread.join();
    }
}

TextFileRead PipedRead::finish() {
    m_thread.join();
    if (m_failure) std::rethrow_exception(m_failure);
    return std::move(m_read);
}

void takePieces(TextPipe& pipe, const std::function<std::size_t(std::u16string_view, bool)>& take) {
    const std::size_t room = pipe.room();
    std::u16string rest;  // the text not used yet
    std::u16string piece;
    while (pipe.take(piece)) {
        if (rest.size() <= room) {
            // Joined in the piece's room: only the rest is copied.
            std::copy(rest.begin(), rest.end(), piece.begin() + (room - rest.size()));
            const std::u16string_view text = std::u16string_view(piece).substr(room - rest.size());
            rest.assign(text.substr(take(text, false)));
        } else {
            if (rest.capacity() < rest.size() + piece.size()) {
                // A taker that waits for much (extract, for the units that
                // recognise the page) gets room for it at once, in huge
                // pages: not a row of fresh blocks, each faulted in page by page.
                constexpr std::size_t kFirstRoom = std::size_t{4} << 20;
                reserveOutput(rest, std::max(2 * (rest.size() + piece.size()), kFirstRoom));
            }
            rest.append(piece, room);
            rest.erase(0, take(rest, false));
        }
    }
    take(rest, true);
}

}  // namespace mozaru
