// The rows' writers, one file each; exports.cpp puts them in the table.
#pragma once

#include "exports/exports.h"

namespace mozaru::writers {

void saveHtml(const ExportInput& input, const TextSink& sink);    // document_exports.cpp
void saveText(const ExportInput& input, const TextSink& sink);    // document_exports.cpp
void keptBodies(const ExportInput& input, const TextSink& sink);  // document_exports.cpp
void mlt(const ExportInput& input, const TextSink& sink);         // aa_library.cpp
void ast(const ExportInput& input, const TextSink& sink);         // aa_library.cpp
void page(const ExportInput& input, const TextSink& sink);        // web_page.cpp

}  // namespace mozaru::writers
