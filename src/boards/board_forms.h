// Thread pages and logs in the forms boards and readers write today,
// recognised and rewritten as the classic saved page (<DT> header, <DD> body,
// </DL>) that the extraction reads.
#pragma once

#include <cstddef>
#include <span>
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
    Open2ch,       // open2ch read.cgi: dt[res], dd.mesg, one <dl> a post
    JsonThread,    // the smartphone API's JSON: {"thread":[…],"comments":[[N,…],…]}
    SummaryBlog,   // summary blogs: "N ： NAME ： DATE" lines, each before its body
};

// What a page is read as: recognised among every family of forms (Auto),
// taken as it stands (Classic), or read as one family only: each of the
// others is one row of boardForms().
enum class InputFormat { Auto, Classic, Dat, FiveCh, Open2ch, Json, Blog };

// A .dat line that is no post, left out of the page.
struct MalformedLine {
    std::size_t line = 0;    // 1-based
    std::size_t fields = 0;  // fields between "<>", or the right count with no number
};

struct ClassicPage {
    PageFormat format = PageFormat::Classic;  // Classic: nothing converted
    std::u16string text;                      // the classic page, CR LF between lines
    std::vector<MalformedLine> malformed;
    // <DD> entries of a classic page in a page read as another form: not read.
    std::size_t classicEntries = 0;
    bool recognised() const { return format != PageFormat::Classic; }
};

// Recognition looks at no more than this of an HTML page (and of a .dat log's
// first line), so that a classic page costs little.
inline constexpr std::size_t kRecognitionUnits = std::size_t{1} << 20;

// One family of forms, read by a file of its own.
struct BoardForm {
    InputFormat id;
    std::string_view name;       // mozaru-cli's --input-format NAME
    std::string_view noneFound;  // why a page named as this family is not: "no line of a .dat log"
    // The form of page in this family, by its signature; Classic when none.
    // whole: look through all of the page (it was named as this family);
    // otherwise only within its first kRecognitionUnits.
    PageFormat (*recognise)(std::u16string_view page, bool whole);
    // The page rewritten as the classic page; form is what recognise said.
    ClassicPage (*toClassic)(std::u16string_view page, PageFormat form);
};

// Every family, in the order recognition tries them.
std::span<const BoardForm> boardForms();
// The row of id; nullptr for Auto and Classic.
const BoardForm* boardForm(InputFormat id);

// The format of page by its signature; Classic when it has none.
PageFormat recognizePageFormat(std::u16string_view page);

// Recognises page (Auto) or looks only for the family asked for, and
// converts it. Not recognised, or Classic asked for: format Classic and no
// text, and the caller uses the page exactly as it stands.
ClassicPage toClassicPage(std::u16string_view page, InputFormat choice = InputFormat::Auto);

// The rows' own functions, one file each.
PageFormat recognizeDat(std::u16string_view page, bool whole);
ClassicPage datToClassic(std::u16string_view page, PageFormat kind);
PageFormat recognizeReadCgi(std::u16string_view page, bool whole);
ClassicPage readCgiToClassic(std::u16string_view page, PageFormat layout);
PageFormat recognizeOpen2ch(std::u16string_view page, bool whole);
ClassicPage open2chToClassic(std::u16string_view page, PageFormat format);
PageFormat recognizeJsonThread(std::u16string_view page, bool whole);
ClassicPage jsonThreadToClassic(std::u16string_view page, PageFormat format);
PageFormat recognizeBlog(std::u16string_view page, bool whole);
ClassicPage blogToClassic(std::u16string_view page, PageFormat format);

// The number of fields a line of a .dat kind holds: whether count is one of
// them, and as messages name them ("5", "7", "6 or 7").
bool datFieldCountFits(PageFormat kind, std::size_t count);
std::string_view datFieldCounts(PageFormat kind);

}  // namespace mozaru
