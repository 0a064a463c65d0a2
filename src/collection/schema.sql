-- A Mozaru collection: every picture of the files indexed, as one SQLite
-- file. Its version is PRAGMA user_version; a database of another version is
-- upgraded by the steps in database.cpp or refused.
PRAGMA application_id = 1297766979;  -- 'MZRC'
PRAGMA user_version = 1;

-- Every file read: where it is, what it was when read, how it was read.
CREATE TABLE files (
    id INTEGER PRIMARY KEY,
    path TEXT NOT NULL UNIQUE,  -- absolute, '/' between folders
    category TEXT NOT NULL,     -- its folder below the folder indexed; '' for a file named alone
    form TEXT NOT NULL,         -- the reader: mlt, ast, txt, thread
    size INTEGER NOT NULL,      -- bytes
    mtime INTEGER NOT NULL      -- milliseconds since 1970; with size, whether to read it again
);

-- Every picture: texts are UTF-8 compressed by zstd, shingles 32-bit
-- little-endian values, sorted.
CREATE TABLE pictures (
    id INTEGER PRIMARY KEY,
    file INTEGER NOT NULL REFERENCES files (id),
    item INTEGER NOT NULL,  -- its place in its file (from 1), or the post's number
    header TEXT NOT NULL,   -- the AST item's name, or the post's header
    lines INTEGER NOT NULL,
    exact INTEGER NOT NULL, -- the hash of the normalised text
    text BLOB NOT NULL,     -- the normalised text
    source BLOB,            -- the text as the file holds it, compressed against the
                            -- normalised text; NULL: the normalised text itself
    shingles BLOB NOT NULL  -- the line shingles (the mirror image's are made when asked for)
);
CREATE INDEX pictures_by_file ON pictures (file);
CREATE INDEX pictures_by_exact ON pictures (exact);

-- Substring search: the normalised text with each run of spaces as one,
-- cut into trigrams. Contentless and without positions, it holds only which
-- pictures hold each trigram; a match is confirmed on the text itself.
CREATE VIRTUAL TABLE search USING fts5 (
    key, content = '', detail = none, tokenize = 'trigram case_sensitive 1'
);
-- Leaves of a page's size, and pending trigrams kept in memory up to 256 MB
-- before they are written as a segment: fewer, larger segments, far fewer
-- merges while a large pack is indexed.
INSERT INTO search (search, rank) VALUES ('pgsz', 4050);
INSERT INTO search (search, rank) VALUES ('hashsize', 268435456);
