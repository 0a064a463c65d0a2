// Every file a collection is read from, one row each in libraryForms(): the AA
// editors' libraries (MLT, AST), a plain text of one picture, and every thread
// form Mozaru reads, through the extraction (pure).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// How an item's text is written: a library's lines ('\n' between them,
// references as the file holds them), or a post body as the extraction kept
// it (one line of markup).
enum class ItemText { Lines, Markup };

struct LibraryItem {
    std::uint64_t number = 0;  // the item's place in its file (from 1), or the post's number
    std::u16string header;     // the AST item's name, or the post's header; else empty
    std::u16string text;
    ItemText kind = ItemText::Lines;
};

enum class LibraryFormId { Mlt, Ast, PlainText, Thread };

struct LibraryReading {
    std::int16_t level = 0;  // the extraction's precision level, for threads
};

struct LibraryForm {
    LibraryFormId id;
    std::string_view name;
    // The file name extensions read as this form, lower case, each after a '.'.
    std::u16string_view extensions;
    std::vector<LibraryItem> (*read)(std::u16string_view text, const LibraryReading& reading);
};

std::span<const LibraryForm> libraryForms();

// The row that reads a file of this name (by its extension, any case);
// nullptr for a file no row reads.
const LibraryForm* libraryFormFor(std::u16string_view fileName);

// The rows' readers (library_readers.cpp).
// MLT: items between lines that start with [SPLIT] (any case; the rest of
// that line is ignored); empty items dropped.
std::vector<LibraryItem> readMlt(std::u16string_view text, const LibraryReading& reading = {});
// AST: each item after a line [AA][name] (any case); text before the first
// such line is an item without a name; empty items dropped.
std::vector<LibraryItem> readAst(std::u16string_view text, const LibraryReading& reading = {});
// A plain text is one picture, unless it is a saved thread (a page the board
// forms recognise, or one holding <DD>), which is read as Thread.
std::vector<LibraryItem> readPlainText(std::u16string_view text,
                                       const LibraryReading& reading = {});
// A thread in any form Mozaru reads: the posts the extraction keeps.
std::vector<LibraryItem> readThread(std::u16string_view text, const LibraryReading& reading = {});

}  // namespace mozaru
