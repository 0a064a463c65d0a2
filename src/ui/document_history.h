// The whole-document steps the edit area can undo and redo, kept compressed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mozaru {

// A step is one replacement of the whole document (an extraction, a
// line-break command, a load). It keeps the document as it was before, and
// once undone also as it was after, each compressed (zstd): documents run to
// tens of megabytes and mostly repeat themselves.
//
// Budget: the newest kMinSteps steps are always kept; older ones only while
// all steps together hold at most kBudgetBytes of compressed text. Undoing a
// step that was dropped for the budget finds nothing, and the caller ends the
// history there.
class DocumentHistory {
public:
    static constexpr std::size_t kMinSteps = 20;
    static constexpr std::size_t kBudgetBytes = std::size_t{256} << 20;

    // A document compressed (zstd).
    struct Packed {
        std::string bytes;      // zstd frame
        std::size_t units = 0;  // the text's length
    };
    // Compression both ways, on any thread: a long document is packed and
    // unpacked beside the window while it answers.
    static Packed pack(std::u16string_view text);
    static std::u16string unpack(const Packed& packed);

    explicit DocumentHistory(std::size_t minSteps = kMinSteps,
                             std::size_t budgetBytes = kBudgetBytes);

    // A new step replacing before; returns its token. Undone steps are
    // dropped first: a new step ends what could be redone.
    int push(std::u16string_view before) { return push(pack(before)); }
    int push(Packed before);
    // Typing also ends what could be redone.
    void dropUndone();
    // Step token undone while the document is after: the document to go back
    // to, or nothing when the step is gone (dropped for the budget).
    std::optional<std::u16string> undo(int token, std::u16string_view after);
    // Step token redone: the document as it was after the step; nothing when gone.
    std::optional<std::u16string> redo(int token);
    // The same in halves, so that the packing can run on another thread
    // while nothing else touches the history: the document step token goes
    // back to (nullptr when gone), and then the step marked undone with the
    // document it leaves, packed.
    const Packed* before(int token) const;
    void undone(int token, Packed after);
    // The document step token brings again (nullptr when gone or not
    // undone), and then the step marked done again.
    const Packed* after(int token) const;
    void redone(int token);
    void clear();

    std::size_t steps() const { return m_steps.size(); }
    // Compressed bytes held.
    std::size_t bytes() const { return m_bytes; }

private:
    struct Step {
        Packed before;
        std::optional<Packed> after;  // while undone
    };

    void account(const Step& step, bool adding);
    void keepWithinBudget();

    std::size_t m_minSteps;
    std::size_t m_budget;
    std::map<int, Step> m_steps;  // by token, oldest first
    int m_nextToken = 1;
    std::size_t m_bytes = 0;
};

}  // namespace mozaru
