// The picture detector on posts drawn for it, of every class it must tell
// apart, with the seed's verdict beside for contrast.
#include "extract/picture_detector.h"

#include <gtest/gtest.h>

#include <string>

namespace mozaru {
namespace {

struct PictureCase {
    const char* name;
    std::u16string lines;  // separated by '\n'
    PictureRule rule;
    std::int32_t graphicLines;
    std::int32_t textLines;
    std::int32_t longestRun;
    bool seedIsAA;
};

class PictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, JudgesByTheLines) {
    const PictureCase& c = GetParam();
    // As read.cgi writes a body: a space around every "<BR>", two at the end.
    std::u16string body = u" ";
    for (const char16_t unit : c.lines) body += unit == u'\n' ? u" <BR> " : std::u16string(1, unit);
    body += u" <BR><BR>";
    const AAResult r = isPicture(body, 0);
    EXPECT_EQ(pictureRuleName(r.picture.rule), pictureRuleName(c.rule));
    EXPECT_EQ(r.isAA, c.rule == PictureRule::Picture || c.rule == PictureRule::SmallPicture);
    EXPECT_EQ(r.picture.graphicLines, c.graphicLines);
    EXPECT_EQ(r.picture.textLines, c.textLines);
    EXPECT_EQ(r.picture.longestRun, c.longestRun);
    EXPECT_EQ(IsAA(body, 0).isAA, c.seedIsAA);
    EXPECT_EQ(r.mergeKey, IsAA(body, 0).mergeKey);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTest,
    testing::Values(
        // Dialogue beside a picture leaves its lines graphic.
        PictureCase{"robotBesideDialogue",
                    u"　　　 ┌─┐\n　　 ┌┴─┴┐　　　起動しました\n　　 │◎　◎│　　　ご用件をどうぞ\n"
                    u"　　 │　▽　│\n　　 └┬─┬┘　　　充電が足りません\n　　 　┘　└",
                    PictureRule::Picture, 5, 0, 6, true},
        PictureCase{"faceBesideLongDialogue",
                    u" ,-―-、\n/・ ・ヽ　今日の晩ごはんは何にしようかなと考えている\n"
                    u"｜ ω |　冷蔵庫には卵と牛乳しかないけれど、それで足りるかな\n"
                    u"ヽ＿＿_ノ　買い物に行くのも面倒だしなあ、雨も降っているし",
                    PictureRule::Picture, 4, 0, 4, false},
        // A cap, its rim and a stem of two strokes; two lines alone.
        PictureCase{"shortMushroom", u"　　 ,.-─-.、\n　　(＿＿＿＿)\n　　　 |　 |",
                    PictureRule::Picture, 2, 0, 3, false},
        PictureCase{"twoLineCapsule", u"　／￣￣￣￣￣￣￣＼\n　＼＿＿＿＿＿＿＿／",
                    PictureRule::SmallPicture, 2, 0, 2, false},
        // Shading with one kanji; letters that draw in runs of their own.
        PictureCase{"kanjiShadedSlope",
                    u"圭圭圭圭＼　　　　ここは森の奥です\n圭圭圭圭圭＼　　　誰もいません\n"
                    u"圭圭圭圭圭圭＼\n圭圭圭圭圭圭圭＼　静かです",
                    PictureRule::Picture, 4, 0, 4, false},
        PictureCase{"letterBanner", u"H   H  III\nH   H   I\nHHHHH   I\nH   H   I\nH   H  III",
                    PictureRule::Picture, 3, 0, 3, true},
        // A speech bubble: its middle line is framed by strokes.
        PictureCase{"bubble", u"　／￣￣￣￣￣￣＼\n　|　おはよう！　|\n　＼＿＿＿＿＿＿／",
                    PictureRule::Picture, 3, 0, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Prose, PictureTest,
    testing::Values(
        PictureCase{"addresses",
                    u"ttp://www.example.com/neko/index.html\nttp://www.example.org/aa/1.html\n"
                    u"http://x.jp/a/b\nhttps://example.net/?q=neko&amp;page=2",
                    PictureRule::NoPicture, 0, 4, 0, true},
        PictureCase{"modelNames",
                    u"CPU: Ryzen 7 7800X3D\nGPU: RTX 4070 Ti SUPER 16GB\nMEM: DDR5-6000 32GB x2\n"
                    u"PSU: 850W Gold",
                    PictureRule::NoPicture, 0, 4, 0, true},
        // Scene breaks and a title between dividers: marks alone on their lines.
        PictureCase{"sceneBreakDots",
                    u"　　　　　　　　　　●\n\n\n　　　　　　　　　　●\n\n\n　　　　　　　　　　●",
                    PictureRule::NoPicture, 0, 0, 0, true},
        PictureCase{"titleBetweenDividers",
                    u"━━━━━━━━━━━━━━\n　　　　第三話　はじまりの朝\n━━━━━━━━━━━━━━\n\n"
                    u"　　　　　　　　　　　　　　　　　　◆",
                    PictureRule::NoPicture, 0, 1, 2, true},
        // Laid out with full-width spaces, and with markup, it stays text piece by piece.
        PictureCase{"castList",
                    u"【登場人物】\n　主人公　　　　　　　<b>ねこ太郎</b>　　（三毛）\n"
                    u"　ヒロイン　　　　　　みけ子　　　（白）\n　先生　　　　　　　　　くろ　　　"
                    u"　（黒）\n"
                    u"　　　　　　　　　　　　　　　　　　以上",
                    PictureRule::NoPicture, 0, 5, 0, true},
        PictureCase{"replyReferences",
                    u"<A HREF=\"../test/read.cgi/x/1/12\" TARGET=\"_blank\">&gt;&gt;12</A>\n"
                    u"&gt;&gt;15\n&gt;&gt;20-22\n＞＞30\nみんなありがとう",
                    PictureRule::NoPicture, 0, 4, 0, true},
        // Kaomoji: one alone, or in dialogue, is no picture; three stacked are.
        PictureCase{"kaomojiAlone", u"(´・ω・｀)", PictureRule::NoPicture, 1, 0, 1, false},
        PictureCase{"kaomojiInDialogue",
                    u"おはよう(・∀・)\n今日も寒いね(´・ω・`)\n風邪ひかないようにね",
                    PictureRule::NoPicture, 0, 3, 0, false},
        PictureCase{"kaomojiStacked", u"(´・ω・｀)\n(｀・ω・´)\n(・∀・)", PictureRule::Picture, 3,
                    0, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mozaru
