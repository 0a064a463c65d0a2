// Merging: the files and pictures of other collections copied into one, as
// the shares of an archive indexed apart come together.
#pragma once

#include <string>

#include "collection/collection_writer.h"

namespace mozaru {

// Copies every file of the collection at path, with its pictures, into
// writer's. A file both hold is taken from the one that read it later.
void mergeCollection(const std::string& path, CollectionWriter& writer, IndexReport& report);

}  // namespace mozaru
