// The collection's SQLite file.
#include "collection/database.h"

#include <sqlite3.h>

#include <filesystem>

namespace mozaru {

extern const std::string_view kSchemaSql;  // schema.sql, compiled in

namespace {

// SQLite's name for a database that is never a file.
constexpr std::string_view kInMemory = ":memory:";

constexpr std::int64_t kApplicationId = 1297766979;  // 'MZRC', as schema.sql sets it

std::string errorOf(sqlite3* db, int code) {
    if (code == SQLITE_FULL) return "the disk is full";
    return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
}

std::int64_t pragma(sqlite3* db, const char* name) {
    Statement statement(db, std::string("PRAGMA ") + name);
    return statement.step() ? statement.integer(0) : 0;
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : m_db(db) {
    const int code = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK) throw CollectionError(errorOf(db, code));
}

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

Statement& Statement::bind(int i, std::int64_t value) {
    sqlite3_bind_int64(m_statement, i, value);
    return *this;
}

Statement& Statement::bind(int i, std::string_view text) {
    sqlite3_bind_text(m_statement, i, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    return *this;
}

Statement& Statement::bindBlob(int i, std::span<const char> bytes) {
    sqlite3_bind_blob(m_statement, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    return *this;
}

Statement& Statement::bindNull(int i) {
    sqlite3_bind_null(m_statement, i);
    return *this;
}

bool Statement::step() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    const std::string error = errorOf(m_db, code);
    sqlite3_reset(m_statement);
    throw CollectionError(error);
}

void Statement::run() {
    step();
    reset();
}

void Statement::reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

std::string_view Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return {bytes == nullptr ? "" : bytes,
            static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column))};
}

std::span<const char> Statement::blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column))};
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

Database::Database(const std::string& path, Access access) : m_path(path) {
    std::error_code error;
    const bool existed = path == kInMemory || std::filesystem::exists(path, error);
    if (!existed && access == Access::Read) throw CollectionError(path + ": no such collection");
    const int flags =
        access == Access::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    const int code = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = errorOf(m_db, code);
        sqlite3_close(m_db);
        throw CollectionError(path + ": " + reason);
    }
    m_created = !existed;
    try {
        sqlite3_extended_result_codes(m_db, 1);
        if (access == Access::Write) {
            // A writer does not wait: another run's indexing may last minutes.
            const int begin = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            if ((begin & 0xFF) == SQLITE_BUSY || (begin & 0xFF) == SQLITE_LOCKED) {
                throw CollectionError(path +
                                      ": another run is writing this collection; try again "
                                      "when it has finished");
            }
            if (begin != SQLITE_OK) throw CollectionError(path + ": " + errorOf(m_db, begin));
            m_inTransaction = true;
        } else {
            sqlite3_busy_timeout(m_db, 10000);
        }
        checkSchema(access);
    } catch (const CollectionError& e) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if (m_created) std::filesystem::remove(path, error);
        const std::string what = e.what();
        throw CollectionError(what.rfind(path, 0) == 0 ? what : path + ": " + what);
    }
}

Database::~Database() {
    if (m_db == nullptr) return;
    if (m_inTransaction) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(m_db);
    // A collection this run created and never committed is no collection.
    if (m_inTransaction && m_created) {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
}

void Database::exec(std::string_view sql) {
    char* message = nullptr;
    const int code = sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &message);
    if (code != SQLITE_OK) {
        const std::string reason =
            code == SQLITE_FULL || message == nullptr ? errorOf(m_db, code) : std::string(message);
        sqlite3_free(message);
        throw CollectionError(reason);
    }
}

void Database::commit() {
    exec("COMMIT");
    m_inTransaction = false;
}

void Database::checkSchema(Access access) {
    const std::int64_t application = pragma(m_db, "application_id");
    const std::int64_t version = pragma(m_db, "user_version");
    const bool empty =
        pragma(m_db, "page_count") == 0 || (application == 0 && version == 0 && [this] {
            Statement tables(m_db, "SELECT count(*) FROM sqlite_schema");
            return tables.step() && tables.integer(0) == 0;
        }());
    if (empty) {
        if (access == Access::Read) throw CollectionError("not a Mozaru collection (it is empty)");
        exec(kSchemaSql);
        return;
    }
    if (application != kApplicationId) {
        throw CollectionError("not a Mozaru collection (an SQLite database of another program)");
    }
    if (version > kSchemaVersion) {
        throw CollectionError("a collection of version " + std::to_string(version) +
                              ", made by a later Mozaru; this one reads version " +
                              std::to_string(kSchemaVersion) + " only");
    }
    if (version < kSchemaVersion) {
        // Each step takes a collection one version further; none yet.
        throw CollectionError("a collection of version " + std::to_string(version) +
                              ", which this Mozaru cannot upgrade; index its files again");
    }
}

}  // namespace mozaru
