// What the decoders of EUC-JP, UTF-8 and UTF-16 share: pieces decoded a
// slice at a time, a sequence cut at the end of a piece completed by the
// next, and the line breaks made CR LF when asked.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "encoding/text_codec.h"
#include "text/text.h"

namespace mozaru {

// Derived::run(bytes, last, out) decodes the whole sequences at the start of
// bytes into out (room for one unit a byte), counting undecodable bytes in
// m_out.undecodable, and returns {bytes used, units written}; when last, a
// sequence cut off at the end is decoded (as undecodable) too. No sequence
// is longer than four bytes.
template <class Derived>
class SequenceDecoder {
public:
    SequenceDecoder(LineBreaks lineBreaks, DecodedText& out)
        : m_out(out), m_crLf(lineBreaks == LineBreaks::CrLf) {}

    // A sequence cut at the end of a piece waits for the next piece.
    void decode(std::string_view piece) {
        if (!m_pending.empty()) {
            // The cut sequence, completed from this piece.
            const std::size_t held = m_pending.size();
            m_pending.append(piece.substr(0, kLongest - 1));
            const std::size_t used = runSlice(m_pending, false);
            if (used < held) {
                m_pending.erase(0, used);  // still cut: the piece was shorter than its rest
                return;
            }
            piece.remove_prefix(used - held);
            m_pending.clear();
        }
        // A slice at a time, so that the decoded slice stays in the cache.
        while (piece.size() > kSlice) piece.remove_prefix(runSlice(piece.substr(0, kSlice), false));
        m_pending.assign(piece.substr(runSlice(piece, false)));
    }

    // The end of the text: a sequence still waiting is undecodable.
    void finish() {
        if (!m_pending.empty()) runSlice(m_pending, true);
        m_pending.clear();
    }

protected:
    struct Ran {
        std::size_t used = 0;
        std::size_t units = 0;
    };

    DecodedText& m_out;

private:
    static constexpr std::size_t kLongest = 4;
    static constexpr std::size_t kSlice = std::size_t{1} << 16;

    std::size_t runSlice(std::string_view bytes, bool last) {
        if (m_slice.size() < bytes.size()) m_slice.resize(std::max(bytes.size(), kLongest));
        const Ran ran = static_cast<Derived*>(this)->run(bytes, last, m_slice.data());
        const std::u16string_view units(m_slice.data(), ran.units);
        if (m_crLf) {
            appendWithCrLf(m_out.text, units, m_afterCr);
        } else {
            m_out.text.append(units);
        }
        return ran.used;
    }

    const bool m_crLf;
    bool m_afterCr = false;
    std::string m_pending;  // the start of a sequence cut at the end of a piece
    std::u16string m_slice;
};

}  // namespace mozaru
