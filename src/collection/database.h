// The collection's SQLite file: opened, created from schema.sql or checked
// and upgraded, statements and transactions, errors as exceptions.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace mozaru {

// What went wrong with a collection, in a sentence that names the file.
class CollectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, std::int64_t value);
    Statement& bind(int i, std::string_view text);  // as TEXT
    Statement& bindBlob(int i, std::span<const char> bytes);
    Statement& bindNull(int i);
    // One step: true while a row is there. Throws on errors.
    bool step();
    // Steps once and resets, for statements that return nothing.
    void run();
    void reset();

    std::int64_t integer(int column) const;
    std::string_view text(int column) const;
    std::span<const char> blob(int column) const;
    bool isNull(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

enum class Access { Read, Write };

class Database {
public:
    // Opens path: Write creates it when missing and takes the right to write
    // (a database another run is writing is refused); Read waits a few
    // seconds for a writer's commit. A file that is no collection, or of a
    // version this program cannot read, is refused; an older one is upgraded
    // (Write) or refused (Read).
    Database(const std::string& path, Access access);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return m_db; }
    const std::string& path() const { return m_path; }
    bool created() const { return m_created; }
    void exec(std::string_view sql);
    // Ends the transaction the constructor began (Write): commit makes every
    // change of this run lasting at once; without it, none is.
    void commit();

private:
    void checkSchema(Access access);

    sqlite3* m_db = nullptr;
    std::string m_path;
    bool m_created = false;
    bool m_inTransaction = false;
};

// The version of the schema this program writes.
inline constexpr int kSchemaVersion = 1;

}  // namespace mozaru
