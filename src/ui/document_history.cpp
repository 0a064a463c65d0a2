// The whole-document steps the edit area can undo and redo, kept compressed.
#include "ui/document_history.h"

#include <zstd.h>

#include <new>

namespace mozaru {

namespace {

// zstd's fastest regular level: hundreds of MB/s, and documents of repeated
// pictures and markup shrink several times.
constexpr int kLevel = 1;

}  // namespace

DocumentHistory::DocumentHistory(std::size_t minSteps, std::size_t budgetBytes)
    : m_minSteps(minSteps), m_budget(budgetBytes) {}

DocumentHistory::Packed DocumentHistory::pack(std::u16string_view text) {
    Packed packed;
    packed.units = text.size();
    const std::size_t size = text.size() * sizeof(char16_t);
    packed.bytes.resize(ZSTD_compressBound(size));
    const std::size_t n =
        ZSTD_compress(packed.bytes.data(), packed.bytes.size(), text.data(), size, kLevel);
    if (ZSTD_isError(n)) throw std::bad_alloc();  // zstd fails only for want of memory here
    packed.bytes.resize(n);
    packed.bytes.shrink_to_fit();
    return packed;
}

std::u16string DocumentHistory::unpack(const Packed& packed) {
    std::u16string text(packed.units, u'\0');
    const std::size_t n = ZSTD_decompress(text.data(), text.size() * sizeof(char16_t),
                                          packed.bytes.data(), packed.bytes.size());
    if (ZSTD_isError(n)) throw std::bad_alloc();
    return text;
}

void DocumentHistory::account(const Step& step, bool adding) {
    std::size_t size = step.before.bytes.size();
    if (step.after) size += step.after->bytes.size();
    m_bytes = adding ? m_bytes + size : m_bytes - size;
}

// What can fail for want of memory (packing, unpacking, the map's node) is
// done before anything is counted or changed: a failure leaves the steps
// and their count as they were.
int DocumentHistory::push(Packed before) {
    dropUndone();
    Step step{std::move(before), std::nullopt};
    const int token = m_nextToken;
    const auto added = m_steps.emplace(token, std::move(step)).first;
    ++m_nextToken;
    account(added->second, true);
    keepWithinBudget();
    return token;
}

void DocumentHistory::dropUndone() {
    for (auto it = m_steps.begin(); it != m_steps.end();) {
        if (it->second.after) {
            account(it->second, false);
            it = m_steps.erase(it);
        } else {
            ++it;
        }
    }
}

std::optional<std::u16string> DocumentHistory::undo(int token, std::u16string_view after) {
    const Packed* back = before(token);
    if (back == nullptr) return std::nullopt;
    Packed packed = pack(after);
    std::u16string text = unpack(*back);
    undone(token, std::move(packed));
    return text;
}

std::optional<std::u16string> DocumentHistory::redo(int token) {
    const Packed* again = after(token);
    if (again == nullptr) return std::nullopt;
    std::u16string text = unpack(*again);
    redone(token);
    return text;
}

const DocumentHistory::Packed* DocumentHistory::before(int token) const {
    const auto it = m_steps.find(token);
    return it == m_steps.end() ? nullptr : &it->second.before;
}

void DocumentHistory::undone(int token, Packed after) {
    const auto it = m_steps.find(token);
    if (it == m_steps.end()) return;
    account(it->second, false);
    it->second.after = std::move(after);
    account(it->second, true);
}

const DocumentHistory::Packed* DocumentHistory::after(int token) const {
    const auto it = m_steps.find(token);
    return it == m_steps.end() || !it->second.after ? nullptr : &*it->second.after;
}

void DocumentHistory::redone(int token) {
    // Done again: the document after it is the one now shown.
    const auto it = m_steps.find(token);
    if (it == m_steps.end()) return;
    account(it->second, false);
    it->second.after.reset();
    account(it->second, true);
}

void DocumentHistory::clear() {
    m_steps.clear();
    m_bytes = 0;
}

void DocumentHistory::keepWithinBudget() {
    while (m_steps.size() > m_minSteps && m_bytes > m_budget) {
        const auto oldest = m_steps.begin();
        account(oldest->second, false);
        m_steps.erase(oldest);
    }
}

}  // namespace mozaru
