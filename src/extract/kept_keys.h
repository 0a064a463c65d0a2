// The set of merge keys kept in one extraction run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// Membership only: each key is stored once, found by its hash with open
// addressing, so a repeat costs one hash and one comparison.
class KeptKeys {
public:
    // Adds key unless an equal key is already kept; true when added.
    bool add(std::u16string_view key);
    std::size_t size() const { return m_keys.size(); }

private:
    struct Slot {
        std::size_t hash = 0;
        std::size_t key = 0;  // index into m_keys plus one; 0 for an empty slot
    };
    void grow();

    std::vector<Slot> m_slots;
    std::vector<std::u16string> m_keys;
};

}  // namespace mozaru
