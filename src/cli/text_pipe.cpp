// Pieces of text from one thread to another, with their buffers reused, and
// the thread that reads a file into them.
#include "cli/text_pipe.h"

#include <algorithm>

namespace mozaru {

void TextPipe::put(std::u16string& piece) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_full.size() < m_depth; });
    if (m_cancelled) throw Cancelled();
    m_full.push_back(std::move(piece));
    piece = std::u16string();
    if (!m_spare.empty()) {
        piece.swap(m_spare.back());
        m_spare.pop_back();
    }
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
    piece.clear();
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

void rewriteLineBreaks(LineBreakRewrite rewriteInto, TextPipe& pipe, const TextSink& sink) {
    const auto rewrite = [&](std::u16string_view text, bool last) {
        return rewriteInto(text, sink, last);
    };
    std::u16string pending;  // the last few units, where a tag may go on
    std::u16string piece;
    while (pipe.take(piece)) {
        std::u16string_view rest = piece;
        if (!pending.empty()) {
            // Where two pieces meet: what waited and the next units, so
            // that the rest of the piece is rewritten where it lies.
            const std::size_t head = std::min<std::size_t>(rest.size(), 64);
            pending.append(rest.substr(0, head));
            const std::size_t used = rewrite(pending, false);
            const std::size_t left = pending.size() - used;
            pending.erase(0, used);
            if (head == rest.size()) continue;
            if (left > head) {
                pending.append(rest.substr(head));
                pending.erase(0, rewrite(pending, false));
                continue;
            }
            rest = rest.substr(head - left);
        }
        pending.assign(rest.substr(rewrite(rest, false)));
    }
    rewrite(pending, true);
}

}  // namespace mozaru
