// What a classic page says of a post above its body, and of the thread:
// <DT>N ：<B>NAME</B>：DATE ID:X<DD> (the name with or without a mail link,
// a trip after it as <B>NAME </B>◆TRIP <B></B>), and the page's <TITLE>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mozaru {

// What stands before a trip in a post's name.
inline constexpr std::u16string_view kTripMark = u"◆";

struct PostHeader {
    std::uint64_t number = 0;
    std::u16string name;  // as shown: tags out, references decoded, the trip included
    std::u16string trip;  // after "◆", without it; empty when none
    std::u16string date;  // as shown after the name: date, time, ID and whatever follows
    std::u16string id;    // after "ID:"; empty when none
};

// Reads the header that starts at the last "<DT" of text (a KeptPost's
// header). False when there is none, or it gives no number or no name.
bool parsePostHeader(std::u16string_view text, PostHeader& header);

// The header as the page shows it: "12 ：名無し：2016/01/02 ID:Ab3".
std::u16string shownHeader(const PostHeader& header);

// The header of a classic page's first post: from the last "<DT" before its
// first "<DD". False when that body has none.
bool firstPostHeader(std::u16string_view page, PostHeader& header);

// The page's title (<TITLE> as shown, spaces at its ends removed); empty when none.
std::u16string pageTitle(std::u16string_view page);

}  // namespace mozaru
