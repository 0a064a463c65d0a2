// Tests of the thread formats: what each is recognised by, the classic page
// it becomes, and that the classic pages of the bench stay as they stand.
#include "boards/board_forms.h"

#include <gtest/gtest.h>

#include <set>

namespace mozaru {
namespace {

const std::u16string kHead =
    u"<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
    u"charset=Shift_JIS\"><TITLE>";

// The classic page of a title and its post lines.
std::u16string classic(std::u16string_view title, std::u16string_view posts) {
    return kHead + std::u16string(title) + u"</TITLE></HEAD><BODY>\r\n<DL>\r\n" +
           std::u16string(posts) + u"</DL></BODY></HTML>";
}

struct FormatCase {
    const char* name;
    std::u16string input;
    InputFormat choice;
    PageFormat format;
    std::u16string page;  // the classic page expected; empty when not converted
    std::vector<std::size_t> malformed;
    std::size_t classicEntries = 0;
};

class ToClassicPage : public testing::TestWithParam<FormatCase> {};

TEST_P(ToClassicPage, WritesThePostsAsTheClassicPage) {
    const FormatCase& c = GetParam();
    const ClassicPage page = toClassicPage(c.input, c.choice);
    EXPECT_EQ(page.format, c.format);
    EXPECT_EQ(page.text, c.page);
    std::vector<std::size_t> lines;
    for (const MalformedLine& m : page.malformed) lines.push_back(m.line);
    EXPECT_EQ(lines, c.malformed);
    EXPECT_EQ(page.classicEntries, c.classicEntries);
}

const std::u16string kBody = u" \u2501\u2501 <br> \uFF08\u30FB\u0434\u30FB\uFF09 ";
const std::u16string kPost1 = u"<DT>1 \uFF1A<B>\u540D\u7121\u3057</B>\uFF1A2026/01/02 ID:Ab3<DD>";
const std::u16string kPost1Sage =
    u"<DT>1 \uFF1A<A HREF=\"mailto:sage\"><B>\u540D\u7121\u3057</B></A>\uFF1A2026/01/02 ID:Ab3<DD>";

INSTANTIATE_TEST_SUITE_P(
    Dat, ToClassicPage,
    testing::Values(
        FormatCase{
            "twoChannel",
            u"\u540D\u7121\u3057<>sage<>2026/01/02 ID:Ab3<>" + kBody + u"<>T\n" + u"x<><>d<>b<>\n",
            InputFormat::Auto,
            PageFormat::Dat2ch,
            classic(u"T", kPost1Sage + kBody + u"<BR><BR>\r\n<DT>2 \uFF1A<B>x</B>\uFF1Ad<DD>" +
                              u"b<BR><BR>\r\n"),
            {}},
        // A line of three fields is named and skipped; the numbers are the lines'.
        FormatCase{"twoChannelBrokenLine",
                   u"a<><>d<>b<>T\r\nbroken<>line<>\r\n\r\nc<><>e<>f<>\r\n",
                   InputFormat::Auto,
                   PageFormat::Dat2ch,
                   classic(u"T",
                           u"<DT>1 \uFF1A<B>a</B>\uFF1Ad<DD>b<BR><BR>\r\n"
                           u"<DT>4 \uFF1A<B>c</B>\uFF1Ae<DD>f<BR><BR>\r\n"),
                   {2, 3}},
        // Post 2 was deleted; the ID has a field of its own, empty on post 3.
        FormatCase{"shitarabaDeletedPost",
                   u"1<>\u540D\u7121\u3057<><>2026/01/02<>a<br>b<>T<>Ab3\n"
                   u"3<>n<>sage<>d<>c<><>\n",
                   InputFormat::Auto,
                   PageFormat::DatShitaraba,
                   classic(u"T",
                           u"<DT>1 \uFF1A<B>\u540D\u7121\u3057</B>\uFF1A2026/01/02 "
                           u"ID:Ab3<DD>a<br>b<BR><BR>\r\n<DT>3 \uFF1A<A HREF=\"mailto:"
                           u"sage\"><B>n</B></A>\uFF1Ad<DD>c<BR><BR>\r\n"),
                   {}},
        FormatCase{"machiWithHost",
                   u"1<>n<><>d ID:x<>a<>T\n2<>m<><>e ID:y<>b<><>p1.example.jp\nz<>m<><>e<>b<>\n",
                   InputFormat::Auto,
                   PageFormat::DatMachi,
                   classic(u"T",
                           u"<DT>1 \uFF1A<B>n</B>\uFF1Ad ID:x<DD>a<BR><BR>\r\n<DT>2 \uFF1A"
                           u"<B>m</B>\uFF1Ae ID:y [ p1.example.jp ]<DD>b<BR><BR>\r\n"),
                   {3}},
        // The first line decides: one that is no post leaves the text as it stands.
        FormatCase{"notFirstLine",
                   u"title\na<><>d<>b<>\n",
                   InputFormat::Auto,
                   PageFormat::Classic,
                   u"",
                   {}},
        FormatCase{"askedForFindsLaterLine",
                   u"title\na<><>d<>b<>\n",
                   InputFormat::Dat,
                   PageFormat::Dat2ch,
                   classic(u"", u"<DT>2 \uFF1A<B>a</B>\uFF1Ad<DD>b<BR><BR>\r\n"),
                   {1}},
        FormatCase{"classicAskedFor",
                   u"a<><>d<>b<>T\n",
                   InputFormat::Classic,
                   PageFormat::Classic,
                   u"",
                   {}},
        FormatCase{"pageWithListIsNoLog",
                   u"<DL><DT>1<>2<>3<>4<DD>x<>y</DL>",
                   InputFormat::Auto,
                   PageFormat::Classic,
                   u"",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

const std::u16string kTitle = u"<title>T</title>";
const std::u16string kHtmlPost = u"<DT>1 \uFF1A<B>N</B>\uFF1AD ID:Ab3<DD> a <br> b <BR><BR>\r\n";

INSTANTIATE_TEST_SUITE_P(
    ReadCgi, ToClassicPage,
    testing::Values(
        // Markup in a script or a comment is none.
        FormatCase{
            "ver06MailLink",
            kTitle +
                u"<script>s='<div class=\"post\"><dd>';</script><!-- <div "
                u"class=\"post\"> --><div class=\"post\" id=\"1\"><div class=\"number\">1 : </div>"
                u"<div class=\"name\"><b><a href=\"mailto:sage\">N</a></b></div>"
                u"<div class=\"date\">D ID:Ab3</div><div class=\"message\"> a <br> b "
                u"</div></div><br>",
            InputFormat::Auto,
            PageFormat::ReadCgi06,
            classic(u"T",
                    u"<DT>1 \uFF1A<A HREF=\"mailto:sage\"><B>N</B></A>\uFF1AD "
                    u"ID:Ab3<DD> a <br> b <BR><BR>\r\n"),
            {}},
        // Markers in capitals; the escaped span around the body is taken off.
        FormatCase{"ver07Capitals",
                   u"<TITLE>T</TITLE><DIV CLASS=\"post\"><DIV CLASS=meta><SPAN CLASS='number'>1"
                   u"</SPAN><SPAN CLASS=\"name\"><B>N</B></SPAN><SPAN CLASS=\"date\">D</SPAN>"
                   u"<SPAN CLASS=\"uid\">ID:Ab3</SPAN></DIV><DIV CLASS=\"message\"><SPAN "
                   u"CLASS=\"escaped\"> a <br> b </SPAN></DIV></DIV>",
                   InputFormat::Auto,
                   PageFormat::ReadCgi07,
                   classic(u"T", kHtmlPost),
                   {}},
        // Pretty-printed: the line breaks and indents between the elements go.
        FormatCase{"ver07PrettyPrinted",
                   u"<title>\n  T\n</title>\n<div class=\"post\">\n  <div class=\"meta\">\n    "
                   u"<span class=\"number\">1</span>\n    <span class=\"name\">\n      <b>\n"
                   u"        <a href=\"mailto:sage\">N</a>\n      </b>\n    </span>\n    <span "
                   u"class=\"date\">\n      D\n    </span>\n    <span class=\"uid\">ID:Ab3</span>"
                   u"\n  </div>\n  <div class=\"message\">\n    <span class=\"escaped\"> a <br> "
                   u"b </span>\n  </div>\n</div>\n",
                   InputFormat::Auto,
                   PageFormat::ReadCgi07,
                   classic(u"T",
                           u"<DT>1 \uFF1A<A HREF=\"mailto:sage\"><B>N</B></A>\uFF1AD "
                           u"ID:Ab3<DD> a <br> b <BR><BR>\r\n"),
                   {}},
        // The title of id threadtitle; the AA span; no uid, and a post cut off.
        FormatCase{"ver076",
                   kTitle + u"<h1 id=\"threadtitle\">Tt</h1><div class=\"post\"><div "
                            u"class=\"post-header\"><span class=\"postid\">1</span><span "
                            u"class=\"postusername\"><b>N</b></span><span class=\"date\">D ID:Ab3"
                            u"</span></div><div class=\"post-content\"><span class=\"AA\"> a <br> "
                            u"b </span></div></div><div class=\"post\"><span class=\"postid\">2",
                   InputFormat::Auto,
                   PageFormat::ReadCgi076,
                   classic(u"Tt", kHtmlPost),
                   {}},
        // A masked mail address; the number with zeros before it.
        FormatCase{"ver08Masked",
                   kTitle + u"<article id=\"1\" class=\"clear post\"><details open "
                            u"class=\"post-header\"><summary><span class=\"postid\">0003</span>"
                            u"<span class=\"postusername\"><b><a href=\"/cdn-cgi/l/email-"
                            u"protection#5a293b3d3f\">N</a></b></span></summary><span "
                            u"class=\"date\">D</span><span class=\"uid\">ID:Ab3</span></details>"
                            u"<section class=\"post-content\"> a <br> b </section></article>",
                   InputFormat::Auto,
                   PageFormat::ReadCgi08,
                   classic(u"T",
                           u"<DT>3 \uFF1A<A HREF=\"mailto:sage\"><B>N</B></A>\uFF1AD "
                           u"ID:Ab3<DD> a <br> b <BR><BR>\r\n"),
                   {}},
        // It holds "<dd", yet is no classic page; a span that does not wrap
        // the whole body stays; a missing name and number.
        FormatCase{"bbspink06",
                   kTitle + u"<dl class=\"post\"><dt class=\"\"><span class=\"date\">D</span>"
                            u"</dt><dd class=\"thread_in\"><span class=\"AA\">a</span> b</dd></dl>",
                   InputFormat::Auto,
                   PageFormat::Bbspink06,
                   classic(u"T",
                           u"<DT>1 \uFF1A<B></B>\uFF1AD<DD><span class=\"AA\">a</span> "
                           u"b<BR><BR>\r\n"),
                   {}},
        // A body that never closes runs to the next post, which is read as usual.
        FormatCase{"unclosedBody",
                   u"<div class=\"post\"><span class=\"number\">1</span><div class=\"message\">"
                   u"a<div>b</div><div class=\"post\"><span class=\"number\">2</span><div "
                   u"class=\"message\">c</div></div>",
                   InputFormat::Auto,
                   PageFormat::ReadCgi07,
                   classic(u"",
                           u"<DT>1 \uFF1A<B></B>\uFF1A<DD>a<div>b</div><BR><BR>\r\n<DT>2 "
                           u"\uFF1A<B></B>\uFF1A<DD>c<BR><BR>\r\n"),
                   {}},
        // A number that never closes runs to the next part: no post is lost;
        // wrappers nested around the body all come off; a title that never
        // closes is none.
        FormatCase{"ver08UnclosedNumbers",
                   u"<title>x <title>T</title><article class=\"clear post\"><summary><span "
                   u"class=\"postid\">1<span class=\"postusername\"><b>N</b></span></summary>"
                   u"<section class=\"post-content\"><span class=\"AA\"><span class=\"escaped\">"
                   u" a <br> b </span></span></section></article><article class=\"clear post\">"
                   u"<span class=\"postid\">2<section class=\"post-content\">c</section>"
                   u"</article>",
                   InputFormat::Auto,
                   PageFormat::ReadCgi08,
                   classic(u"T",
                           u"<DT>1 \uFF1A<B>N</B>\uFF1A<DD> a <br> b <BR><BR>\r\n<DT>2 "
                           u"\uFF1A<B></B>\uFF1A<DD>c<BR><BR>\r\n"),
                   {}},
        // Classic entries after the posts (or before them) are counted, not read.
        FormatCase{"ver08ThenClassic",
                   u"<article class=\"clear post\"><span class=\"postid\">1</span><section "
                   u"class=\"post-content\">a</section></article><DL><DT>2<DD> b <dd>c</DL>",
                   InputFormat::Auto,
                   PageFormat::ReadCgi08,
                   classic(u"", u"<DT>1 \uFF1A<B></B>\uFF1A<DD>a<BR><BR>\r\n"),
                   {},
                   2},
        FormatCase{"askedForButAbsent",
                   u"<DL><DT>1<DD>x</DL>",
                   InputFormat::FiveCh,
                   PageFormat::Classic,
                   u"",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A log whose first line is longer than recognition looks at is one all the
// same; a page of one such line without fields is not.
TEST(Recognition, LogWithAFirstLineLongerThanTheLook) {
    const std::u16string picture(kRecognitionUnits + 10, u'\u2501');
    const ClassicPage log = toClassicPage(u"n<>sage<>d<>" + picture + u"<>T\nm<><>e<>x<>\n");
    EXPECT_EQ(log.format, PageFormat::Dat2ch);
    EXPECT_TRUE(log.text.ends_with(u"<DD>x<BR><BR>\r\n</DL></BODY></HTML>"));
    EXPECT_FALSE(toClassicPage(u"<html><body>" + picture + u"<>1<>2<>3<>4\n").recognised());
}

INSTANTIATE_TEST_SUITE_P(
    Open2ch, ToClassicPage,
    testing::Values(
        // As served: line breaks between the elements, a <br> ending the body,
        // the reply counter after it, the ID in a link of class "id" and the
        // poster's mark after that.
        FormatCase{
            "asServed",
            u"<title>T</title>\n<div class=\"thread\">\n<dl val=\"1\">\n<dt class=\"idAb "
            u"mesg hd \" res=\"1\"><a class=\"num\" href=\"./1\">1 \uFF1A<font class=\"name\">"
            u"<b>N</b></font></a>\uFF1A23/10/01(\u65E5) 14:49:20 <span class=\"_id\"><a "
            u"class=\"id\" href=\"?id=Ab\">ID:Ab</a><a href=\"?q=x\"><font>\u4E3B</font></a>"
            u"</span>\n<dd class=\"idAb mesg body\" num=\"1\"> a <br> b <br>\n</dd>\n<ares "
            u"num=\"1\"></ares>\n</dt>\n</dl>\n",
            InputFormat::Auto,
            PageFormat::Open2ch,
            classic(u"T",
                    u"<DT>1 \uFF1A<B>N</B>\uFF1A23/10/01(\u65E5) 14:49:20 ID:Ab<DD> a <br> b "
                    u"<BR><BR>\r\n"),
            {}},
        // Capitals on one line; the counter inside the body; a mail link.
        FormatCase{"capitalsCounterInside",
                   u"<DL><DT RES=\"2\">2 \uFF1A<FONT CLASS=\"NAME\"><A HREF=\"mailto:sage\"><B>N"
                   u"</B></A></FONT>\uFF1A23/10/01 ID:Cd</DT><DD CLASS=\"MESG\"> c <ARES><A "
                   u"HREF=\"#3\">&gt;&gt;3</A></ARES></DD></DL>",
                   InputFormat::Auto,
                   PageFormat::Open2ch,
                   classic(u"",
                           u"<DT>2 \uFF1A<A HREF=\"mailto:sage\"><B>N</B></A>\uFF1A23/10/01 "
                           u"ID:Cd<DD> c <BR><BR>\r\n"),
                   {}},
        // Post 1 deleted (a header without a body), an entry without a
        // number ignored, post 3 without name and date.
        FormatCase{"deletedAndMissing",
                   u"<dl><dt res=\"1\">1 \uFF1A</dt></dl><dl><dt>?</dt><dd class=\"mesg\">x</dd>"
                   u"</dl><dl><dt res=\"3\"></dt><dd class=\"mesg\">y</dd></dl>",
                   InputFormat::Auto,
                   PageFormat::Open2ch,
                   classic(u"", u"<DT>3 \uFF1A<B></B>\uFF1A<DD>y<BR><BR>\r\n"),
                   {}},
        FormatCase{"askedForButAbsent",
                   u"<DL><DT>1<DD>x</DL>",
                   InputFormat::Open2ch,
                   PageFormat::Classic,
                   u"",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Json, ToClassicPage,
    testing::Values(
        // As the API writes it: on one line, tags and non-ASCII escaped; the
        // date in seconds, written as Japan's time.
        FormatCase{
            "asServed",
            uR"({"total_count":2,"thread":[1,2,"egg","b\/1","","T\u00e9","3"],"comments":)"
            uR"([[1,"N","sage","1517988732","Ab3",""," a \u003Cbr\u003e b ",3,1,7],)"
            uR"([2,"M","","0","","","c",0,0,0]]})",
            InputFormat::Auto,
            PageFormat::JsonThread,
            classic(u"T\u00E9",
                    u"<DT>1 \uFF1A<A HREF=\"mailto:sage\"><B>N</B></A>\uFF1A2018/02/07(\u6C34) "
                    u"16:32:12 ID:Ab3<DD> a <br> b <BR><BR>\r\n<DT>2 \uFF1A<B>M</B>\uFF1A"
                    u"1970/01/01(\u6728) 09:00:00<DD>c<BR><BR>\r\n"),
            {}},
        // Pretty-printed, the comments before the thread; a deleted comment
        // (no number), one cut short (no body), null fields, a date as text,
        // every escape.
        FormatCase{"prettyPrintedCommentsFirst",
                   uR"({
  "comments": [
    [null, "x", "", "1", "", "", "gone"],
    [3, "x", "", "1"],
    [ "4" , null , null , "D ID:y" , null , "" , "\"q\" \\ \/ \t\ud83d\ude00\u00E9" ]
  ],
  "thread": [1, 1, "s", "b", "", "T"]
})",
                   InputFormat::Auto,
                   PageFormat::JsonThread,
                   classic(u"T",
                           u"<DT>4 \uFF1A<B></B>\uFF1AD ID:y<DD>\"q\" \\ / "
                           u"\t\U0001F600\u00E9<BR><BR>\r\n"),
                   {}},
        FormatCase{"otherJson",
                   u"{\"result\":\"ng\",\"comments\":[\"a\"]}",
                   InputFormat::Auto,
                   PageFormat::Classic,
                   u"",
                   {}},
        FormatCase{"askedForButAbsent",
                   u"<DL><DT>1<DD>x</DL>",
                   InputFormat::Json,
                   PageFormat::Classic,
                   u"",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Blog, ToClassicPage,
    testing::Values(
        // Lines ended by <br>; the wrappers around a body go; a footer that
        // looks a little like a header, and the text after the list, are none.
        FormatCase{
            "brLines",
            u"<title>T</title><div>1 \uFF1A<b>N</b>\uFF1A2026/01/02 ID:Ab3<br> a <br> b "
            u"<br><br>2 \uFF1AM\uFF1A2026/01/03<br><span class=\"aa\">c</span><br>3 :<font "
            u"color=green><a href=\"mailto:sage\">O</a></font>:2026/01/04<br>d</div><p>4 "
            u"\uFF1Ax\uFF1A2026 x</p>",
            InputFormat::Auto,
            PageFormat::SummaryBlog,
            classic(u"T",
                    u"<DT>1 \uFF1A<B>N</B>\uFF1A2026/01/02 ID:Ab3<DD> a <br> b <BR><BR>\r\n"
                    u"<DT>2 \uFF1A<B>M</B>\uFF1A2026/01/03<DD>c<BR><BR>\r\n<DT>3 \uFF1A"
                    u"<A HREF=\"mailto:sage\"><B>O</B></A>\uFF1A2026/01/04<DD>d<BR><BR>\r\n"),
            {}},
        // Pretty-printed divs in capitals, an <hr> after a body, post 3 left
        // out of the summary, a body that is only its picture.
        FormatCase{"prettyDivsCapitals",
                   u"<DIV CLASS=\"t_h\">1 \uFF1AN\uFF1A26/01/02</DIV>\n  <DIV CLASS=\"t_b\">\n"
                   u"    <DIV CLASS=\"TEXTAR-AA\">\n x<BR>\n y<BR>\n    </DIV>\n  </DIV>\n<HR>\n"
                   u"<P>ad</P><DIV CLASS=\"t_h\">2 \uFF1AM\uFF1A26/01/02</DIV><DIV CLASS=\"t_b\">z"
                   u"</DIV>\n<DIV CLASS=\"t_h\">4 \uFF1AO\uFF1A26/01/03</DIV><DIV>w</DIV>",
                   InputFormat::Auto,
                   PageFormat::SummaryBlog,
                   classic(u"",
                           u"<DT>1 \uFF1A<B>N</B>\uFF1A26/01/02<DD> x<BR> y<BR><BR>\r\n<DT>2 "
                           u"\uFF1A<B>M</B>\uFF1A26/01/02<DD>z<BR><BR>\r\n<DT>4 \uFF1A<B>O</B>"
                           u"\uFF1A26/01/03<DD>w<BR><BR>\r\n"),
                   {}},
        // Raw line breaks become <BR>; the indent of a picture's first line stays.
        FormatCase{
            "rawLineBreaks",
            u"<pre>1 \uFF1A N \uFF1A 26/01/02 ID:x\r\n   /\\\r\n  (..)\r\n\r\n<hr>2 "
            u"\uFF1A M \uFF1A 26/01/02\r\n<div class=\"aa\">\r\n  a\r\n b\r\n</div>\r\n"
            u"3 \uFF1A O \uFF1A 26/01/03\r\nc</pre>",
            InputFormat::Auto,
            PageFormat::SummaryBlog,
            classic(u"",
                    u"<DT>1 \uFF1A<B>N</B>\uFF1A26/01/02 ID:x<DD>   /\\<BR>  (..)<BR><BR>\r\n"
                    u"<DT>2 \uFF1A<B>M</B>\uFF1A26/01/02<DD>  a<BR> b<BR><BR>\r\n<DT>3 "
                    u"\uFF1A<B>O</B>\uFF1A26/01/03<DD>c<BR><BR>\r\n"),
            {}},
        // The same headers in a definition list: the classic page's.
        FormatCase{"classicPageIsNoBlog",
                   u"<dl><dt>1 \uFF1A<b>N</b>\uFF1A2026/01/02<dd>a<br>b<dt>2 \uFF1AN\uFF1A2026/01/"
                   u"02\n<dd>c<dt>3 \uFF1AN\uFF1A2026/01/02<dd>d</dl>",
                   InputFormat::Auto,
                   PageFormat::Classic,
                   u"",
                   {}},
        FormatCase{"numbersOutOfOrder",
                   u"3 \uFF1AN\uFF1A26/01/02<br>a<br>2 \uFF1AN\uFF1A26/01/02<br>b<br>1 \uFF1AN"
                   u"\uFF1A26/01/02<br>c",
                   InputFormat::Auto,
                   PageFormat::Classic,
                   u"",
                   {}},
        // Named, one header is enough.
        FormatCase{"askedForOneHeader",
                   u"9 \uFF1AN\uFF1A26/01/02<br>a",
                   InputFormat::Blog,
                   PageFormat::SummaryBlog,
                   classic(u"", u"<DT>9 \uFF1A<B>N</B>\uFF1A26/01/02<DD>a<BR><BR>\r\n"),
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

class NeverFires : public testing::TestWithParam<std::u16string> {};

// Classic pages stay as they stand: what bench/make_pages.py writes, a page
// as read.cgi served it, in small letters, with a class on its list; and one
// whose posts quote other posts' headers, as a summary blog lists them.
INSTANTIATE_TEST_SUITE_P(
    Recognition, NeverFires,
    testing::Values(
        u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
        u"<title>\uFF21\uFF21</title></head><body>\n<dl class=\"thread\">\n<dt>1 \uFF1A<a "
        u"href=\"mailto:sage\"><b>\u540D\u7121\u3057</b></a>\uFF1A2026/11/02(\u6708) "
        u"01:01:07.01 ID:ab+/Cd12<dd> \u4ECA\u65E5 <br> <a href=\"../test/read.cgi/board/"
        u"1762171200/1\" rel=\"noopener noreferrer\" target=\"_blank\">&gt;&gt;1</a> <br><br>\n"
        u"<dt>2 \uFF1A<font color=green><b>x</b></font>\uFF1A2026 ID:x<dd> y <br><br>\n"
        u"</dl></body></html>\n",
        u"<DL>\r\n<DT>1 \uFF1A<B>N</B>\uFF1A2026/01/02 ID:a<DD> 1 \uFF1AN\uFF1A2016/01/02 ID:x "
        u"<BR> "
        u"a <BR> 2 \uFF1AN\uFF1A2016/01/02 <BR> b <BR>\r\n3 \uFF1AN\uFF1A2016/01/03<BR>c<BR><BR>"
        u"\r\n<DT>2 \uFF1A<B>N</B>\uFF1A2026/01/02 ID:b<DD> d <BR><BR>\r\n</DL>"));

TEST_P(NeverFires, OnClassicPages) {
    EXPECT_EQ(recognizePageFormat(GetParam()), PageFormat::Classic);
    EXPECT_FALSE(toClassicPage(GetParam()).recognised());
}

TEST(BoardForms, EveryRowReachableWithUniqueNames) {
    std::set<std::string_view> names;
    for (const BoardForm& form : boardForms()) {
        EXPECT_EQ(boardForm(form.id), &form);
        EXPECT_TRUE(names.insert(form.name).second);
        EXPECT_FALSE(form.noneFound.empty());
    }
    EXPECT_EQ(names, (std::set<std::string_view>{"dat", "5ch", "open2ch", "json", "blog"}));
    EXPECT_EQ(boardForm(InputFormat::Auto), nullptr);
    EXPECT_EQ(boardForm(InputFormat::Classic), nullptr);
    EXPECT_TRUE(datFieldCountFits(PageFormat::DatMachi, 6));
    EXPECT_FALSE(datFieldCountFits(PageFormat::Dat2ch, 6));
    EXPECT_EQ(datFieldCounts(PageFormat::DatMachi), "6 or 7");
}

}  // namespace
}  // namespace mozaru
