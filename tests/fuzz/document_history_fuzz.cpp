// Any sequence of pushes, undos, redos and typing on a small history: every
// document comes back as it was, a push keeps the bytes held within the
// budget (as the newest steps allow), and their count never wraps.
#include <cstdint>
#include <map>
#include <vector>

#include "fuzz_input.h"
#include "ui/document_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    DocumentHistory history(3, 600);
    struct Known {
        std::u16string before;
        std::u16string after;
    };
    std::map<int, Known> steps;  // what each token's step replaced, and by what
    std::u16string document;
    std::vector<int> done;
    std::vector<int> undone;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::u16string next(data[i + 1] % 64 + 1, static_cast<char16_t>(u'a' + data[i] % 7));
        switch (data[i] % 5) {
            case 0: {
                const int token = history.push(document);
                steps[token] = {document, next};
                document = next;
                done.push_back(token);
                undone.clear();
                fuzz::check(history.steps() <= 3 || history.bytes() <= 600, "the budget holds");
                break;
            }
            case 1:
                if (done.empty()) break;
                if (const auto back = history.undo(done.back(), document)) {
                    fuzz::check(*back == steps[done.back()].before, "undo gives the document back");
                    steps[done.back()].after = document;
                    document = *back;
                    undone.push_back(done.back());
                }
                done.pop_back();
                break;
            case 2:
                if (undone.empty()) break;
                if (const auto again = history.redo(undone.back())) {
                    fuzz::check(*again == steps[undone.back()].after, "redo gives it again");
                    document = *again;
                    done.push_back(undone.back());
                }
                undone.pop_back();
                break;
            case 3:
                history.dropUndone();
                undone.clear();
                document += next;  // typing
                break;
            default:
                history.clear();
                done.clear();
                undone.clear();
                break;
        }
        fuzz::check(history.bytes() < (std::size_t{1} << 32), "the byte count never wraps");
    }
    return 0;
}
