// The set of merge keys kept in one extraction run.
#include "extract/kept_keys.h"

#include <algorithm>
#include <functional>

namespace mozaru {

bool KeptKeys::add(std::u16string_view key) {
    // At most half full, so probe runs stay short.
    if ((m_keys.size() + 1) * 2 > m_slots.size()) grow();
    const std::size_t hash = std::hash<std::u16string_view>{}(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.key == 0) {
            m_keys.emplace_back(key);
            slot = {hash, m_keys.size()};
            return true;
        }
        if (slot.hash == hash && m_keys[slot.key - 1] == key) return false;
    }
}

void KeptKeys::grow() {
    std::vector<Slot> old(std::max<std::size_t>(64, m_slots.size() * 2));
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.key == 0) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].key != 0) i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

}  // namespace mozaru
