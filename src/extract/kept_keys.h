// The set of merge keys kept in one extraction run.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// Membership only. A key is not stored: its body's place in a text is (the
// extraction's result, which may grow meanwhile), and a repeat, found by the
// key's hash, is confirmed by comparing the two bodies' text (a picture
// pasted again) or else by rebuilding the earlier body's key. The set so
// costs a few words per kept body.
class KeptKeys {
public:
    struct Body {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    explicit KeptKeys(const std::u16string& text) : m_text(text) {}

    // Adds body, whose merge key is key, unless a body with an equal key was
    // kept before; true when added. keyOf(Body) gives an earlier body's key.
    template <class KeyOf>
    bool add(Body body, std::u16string_view key, KeyOf keyOf) {
        // At most half full, so probe runs stay short.
        if ((m_count + 1) * 2 > m_slots.size()) grow();
        const std::size_t hash = hashOf(key);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (!slot.used) {
                slot = {hash, body, true};
                ++m_count;
                return true;
            }
            if (slot.hash == hash &&
                (same(textOf(slot.body), textOf(body)) || same(keyOf(slot.body), key))) {
                return false;
            }
        }
    }

    std::size_t size() const { return m_count; }

    static std::size_t hashOf(std::u16string_view key);

private:
    struct Slot {
        std::size_t hash = 0;
        Body body;
        bool used = false;
    };

    // Equal texts, compared a block at a time.
    static bool same(std::u16string_view a, std::u16string_view b) {
        return a.size() == b.size() &&
               std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
    }
    std::u16string_view textOf(Body b) const {
        return std::u16string_view(m_text).substr(b.begin, b.end - b.begin);
    }
    void grow();

    const std::u16string& m_text;
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

}  // namespace mozaru
