// mozaru-cli's texts: every message on standard error, the usage and the help,
// in one table, each in English and in Japanese; the one "mozaru-cli: "
// prefix; and the messages that several jobs write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_forms.h"
#include "cli/texts.h"
#include "encoding/text_codec.h"

namespace mozaru {

enum class CliLanguage { English, Japanese };

// Japanese under a ja locale (LC_ALL, LC_MESSAGES, LANG, the first set;
// on Windows, when none is, the user's language), English otherwise; read once.
CliLanguage cliLanguage();
// For tests, and for a caller that knows better.
void setCliLanguage(CliLanguage language);

// The row's text in the language, {1}, {2}... replaced by args.
std::string cliText(CliTextId id, std::initializer_list<std::string_view> args = {});
// The same in a given language: what programs read (JSON) is always English.
std::string cliTextIn(CliLanguage language, CliTextId id,
                      std::initializer_list<std::string_view> args = {});
// A text another part of the program wrote in English (a board form's or an
// output's description, a collection's error, CLI11's words): in Japanese
// when a row has it as its English, its blanks filled from the text; a
// "NAME: text" whose text has a row keeps its NAME. Else as given.
std::string cliText(std::string_view english);
// "1 file read" or "2 files read": the row for one, or for many with {1}.
std::string cliCount(std::size_t n, CliTextId one, CliTextId many);

// "mozaru-cli: " and the text; a warning has "warning: " after the prefix.
std::string cliMessage(CliTextId id, std::initializer_list<std::string_view> args = {});
std::string cliWarning(CliTextId id, std::initializer_list<std::string_view> args = {});
// The same for a text of another part of the program (translated as cliText does).
std::string cliMessage(std::string_view text);
std::string cliWarning(std::string_view text);

// A path as messages show it: its bytes that are not UTF-8 (a Shift_JIS
// name), and control characters, written \xNN, so that no name can break
// or forge a line.
std::string shownPath(std::string_view path);
// The input's name in messages (shownPath): standard input has none of its own.
std::string displayName(const std::string& input);

// Inside a catch: the input's name and what was thrown; running out of
// memory is said plainly, as the window says it ("out of memory").
std::string exceptionMessage(const std::string& input);

// Undecodable bytes of an input replaced by U+FFFD: nothing when none were.
void warnUndecodable(const std::string& input, const DecodedText& decoded,
                     std::vector<std::string>& messages);
// Characters the output encoding cannot hold, written as references.
void warnReferences(std::string_view output, std::size_t references, bool cp932,
                    std::vector<std::string>& messages);
// The lines of a .dat log that are no post, named as input:line (the first
// few, then a count).
void warnMalformed(const std::string& name, const ClassicPage& page,
                   std::vector<std::string>& messages);

// An input in which no post is found, named.
std::string noPostsFound(const std::string& name);

}  // namespace mozaru
