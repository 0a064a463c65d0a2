// Tests for long-name expansion over a temporary folder.
#include "files/expand_long_path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace mozaru {
namespace {

class ExpandLongPathTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        root = m_dir.path().toStdU16String();
        QDir dir(m_dir.path());
        ASSERT_TRUE(dir.mkpath(QStringLiteral("Program Files/logs")));
        ASSERT_TRUE(dir.mkpath(QStringLiteral(".secret")));
        for (const char* name :
             {"Program Files/logs/Thread Log.html", "Program Files/logs/b.txt",
              "Program Files/logs/.a.txt", "a[1].txt", "a1.txt", "A.txt", "a.txt", ".secret/in.txt",
              "スレッド.html", "what1.html", "what?.html", "what*"}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    std::u16string under(std::u16string_view rest) const {
        return root + u"/" + std::u16string(rest);
    }

    QTemporaryDir m_dir;
    std::u16string root;
};

struct Case {
    const char16_t* given;     // relative to the temporary folder
    const char16_t* expanded;  // nullptr: the given path comes back unchanged
};

class ExpandCases : public ExpandLongPathTest, public testing::WithParamInterface<Case> {};

TEST_P(ExpandCases, SpellsComponentsAsStored) {
    const Case& c = GetParam();
    const std::u16string given = under(c.given);
    EXPECT_EQ(ExpandLongPath(given), c.expanded ? under(c.expanded) : given);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, ExpandCases,
    testing::Values(
        Case{u"Program Files/logs/Thread Log.html", u"Program Files/logs/Thread Log.html"},
        Case{u"Prog*/logs/Thread*", u"Program Files/logs/Thread Log.html"},
        Case{u"Program?Files/l?gs/*.html", u"Program Files/logs/Thread Log.html"},
        // The first match in name order; hidden entries never match.
        Case{u"Program Files/logs/*", u"Program Files/logs/Thread Log.html"},
        Case{u"Program Files/logs/*.txt", u"Program Files/logs/b.txt"},
        Case{u"Program Files/logs/.a.txt", nullptr}, Case{u".secret/in.txt", nullptr},
        // Letter case counts on this file system.
        Case{u"a.txt", u"a.txt"}, Case{u"A.txt", u"A.txt"},
        Case{u"program files/logs/b.txt", nullptr},
        // Brackets are plain characters, not a character class.
        Case{u"a[1].txt", u"a[1].txt"}, Case{u"スレ*", u"スレッド.html"},
        // An entry named exactly as the component wins over the pattern.
        Case{u"what?.html", u"what?.html"}, Case{u"what*", u"what*"},
        Case{u"wha??.html", u"what1.html"}, Case{u"Program Files/missing/b.txt", nullptr},
        Case{u"Program Files/logs/missing.txt", nullptr},
        Case{u"Program Files//logs/b.txt", nullptr}, Case{u"Program Files/logs/", nullptr},
        Case{u"Program Files/./logs/../logs/b.txt", u"Program Files/./logs/../logs/b.txt"},
        Case{u"a.txt/x", nullptr}));

TEST_F(ExpandLongPathTest, EmptyStaysEmpty) {
    EXPECT_EQ(ExpandLongPath(u""), u"");
}

TEST_F(ExpandLongPathTest, RelativePathStartsAtCurrentFolder) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    // The temporary folder may itself lie below a symbolic link; compare with
    // the spelling the lookups see.
    const std::u16string here = QDir::currentPath().toStdU16String();
    EXPECT_EQ(ExpandLongPath(u"Prog*/logs/b.txt"), here + u"/Program Files/logs/b.txt");
    EXPECT_EQ(ExpandLongPath(u"nothing/here.txt"), u"nothing/here.txt");
    QDir::setCurrent(before);
}

}  // namespace
}  // namespace mozaru
