// Writes encoding_tables.cpp from ICU's converters: make_encoding_tables FILE.
#include <cstdio>
#include <exception>
#include <fstream>

#include "encoding/icu_reference.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_encoding_tables FILE\n");
        return 2;
    }
    try {
        const std::string source = mozaru::icu::tablesSource(mozaru::icu::tablesFromIcu());
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file << source;
        file.close();
        if (!file) {
            std::fprintf(stderr, "make_encoding_tables: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_encoding_tables: %s\n", e.what());
        return 1;
    }
    return 0;
}
