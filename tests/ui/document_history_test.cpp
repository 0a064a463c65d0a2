// The whole-document history out of memory: a push, undo or redo that fails
// at any of its allocations leaves the steps and their byte count as they were.
#include "ui/document_history.h"

#include <gtest/gtest.h>

#include "support/allocation_limit.h"

namespace mozaru {
namespace {

using test::AllocationLimit;
using test::NthAllocation;

enum class Operation { Push, Undo, Redo };

class HistoryOutOfMemory : public ::testing::TestWithParam<Operation> {};

INSTANTIATE_TEST_SUITE_P(Operations, HistoryOutOfMemory,
                         ::testing::Values(Operation::Push, Operation::Undo, Operation::Redo));

// One step, undone for a redo.
int prepare(DocumentHistory& history, Operation operation) {
    const int token = history.push(u"the document before");
    if (operation == Operation::Redo) static_cast<void>(history.undo(token, u"after"));
    return token;
}

void run(DocumentHistory& history, Operation operation, int token) {
    switch (operation) {
        case Operation::Push:
            history.push(u"the next document");
            break;
        case Operation::Undo:
            static_cast<void>(history.undo(token, u"after"));
            break;
        case Operation::Redo:
            static_cast<void>(history.redo(token));
            break;
    }
}

TEST_P(HistoryOutOfMemory, LeavesTheStepsAndTheirCountAsTheyWere) {
    DocumentHistory fresh;
    run(fresh, GetParam(), prepare(fresh, GetParam()));
    for (std::size_t n = 1;; ++n) {
        DocumentHistory history;
        const int token = prepare(history, GetParam());
        const std::size_t steps = history.steps();
        const std::size_t bytes = history.bytes();
        bool failed = false;
        bool reached = false;
        {
            const AllocationLimit limit(NthAllocation{n});
            try {
                run(history, GetParam(), token);
            } catch (const std::bad_alloc&) {
                failed = true;
            }
            reached = AllocationLimit::reached();
        }
        if (!reached) break;  // the operation makes fewer than n allocations
        if (failed) {
            EXPECT_EQ(history.steps(), steps) << "allocation " << n;
            EXPECT_EQ(history.bytes(), bytes) << "allocation " << n;
            run(history, GetParam(), token);  // again, with memory
        }
        // Done, it counts what a history that never failed counts.
        EXPECT_EQ(history.steps(), fresh.steps()) << "allocation " << n;
        EXPECT_EQ(history.bytes(), fresh.bytes()) << "allocation " << n;
    }
}

}  // namespace
}  // namespace mozaru
