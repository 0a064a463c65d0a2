// Thread pages and logs in the forms boards and readers write today,
// recognised and rewritten as the classic saved page (<DT> header, <DD> body,
// </DL>) that the extraction reads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

enum class PageFormat {
    Classic,       // not recognised: the page is read as it stands
    Dat2ch,        // 2ch/5ch .dat: NAME<>MAIL<>DATE ID<>BODY<>TITLE
    DatShitaraba,  // Shitaraba rawmode: N<>NAME<>MAIL<>DATE<>BODY<>TITLE<>ID
    DatMachi,      // machi offlaw: N<>NAME<>MAIL<>DATE<>BODY<>TITLE[<>HOST]
    ReadCgi06,     // 5ch read.cgi ver 06: div.post, div.number, div.message
    ReadCgi07,     // ver 07: div.meta, span.number, div.message
    ReadCgi076,    // ver 07.6 and later: span.postid, div.post-content
    ReadCgi08,     // ver 08 and 09: article.post, section.post-content
    Bbspink06,     // bbspink ver 06: dl.post, dd.thread_in
};

// What the user asks for (mozaru-cli --input-format): recognise, take the
// page as it stands, or read it as a .dat log or a 5ch/bbspink page.
enum class InputFormat { Auto, Classic, Dat, FiveCh };

// A .dat line that is no post, left out of the page.
struct MalformedLine {
    std::size_t line = 0;    // 1-based
    std::size_t fields = 0;  // fields between "<>", or the right count with no number
};

struct ClassicPage {
    PageFormat format = PageFormat::Classic;  // Classic: nothing converted
    std::u16string text;                      // the classic page, CR LF between lines
    std::vector<MalformedLine> malformed;
    bool recognised() const { return format != PageFormat::Classic; }
};

// The format of page by its signature; Classic when it has none. Looks at
// the first line (.dat) and at the first post of an HTML page within its
// first kRecognitionUnits code units, so that a classic page costs little.
PageFormat recognizePageFormat(std::u16string_view page);
inline constexpr std::size_t kRecognitionUnits = std::size_t{1} << 20;

// The kind of .dat log of the first line that is a post of one (only the
// first line, of at most kRecognitionUnits, when firstLineOnly); Classic when
// none is.
PageFormat datFormatOf(std::u16string_view page, bool firstLineOnly = false);
// The read.cgi layout of the page's first post within limit units; Classic
// when there is none.
PageFormat readCgiLayoutOf(std::u16string_view page, std::size_t limit = std::u16string_view::npos);

// One function per family: kind is one of the Dat formats, layout one of
// the read.cgi and bbspink ones.
ClassicPage datToClassic(std::u16string_view page, PageFormat kind);
ClassicPage readCgiToClassic(std::u16string_view page, PageFormat layout);

// Recognises page (Auto) or looks only for the family asked for, and
// converts it. Not recognised, or Classic asked for: format Classic and no
// text, and the caller uses the page exactly as it stands.
ClassicPage toClassicPage(std::u16string_view page, InputFormat choice = InputFormat::Auto);

// How many fields a line of the kind holds, for messages: "5", "7", "6 or 7".
std::string_view datFieldCounts(PageFormat kind);

}  // namespace mozaru
