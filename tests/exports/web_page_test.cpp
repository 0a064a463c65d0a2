// The web page in a real browser: headless Chromium draws the sample threads'
// pictures, and every line is as wide as the image renderer draws it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <map>

#include "exports/aa_library.h"
#include "exports/exports.h"
#include "exports/picture_renderer.h"
#include "extract/kept_posts.h"
#include "files/text_file.h"

namespace mozaru {
namespace {

// Writes every picture's line widths into the page, where --dump-dom shows them.
constexpr char kMeasure[] = R"(<pre id="widths"></pre><script>
const rows = [];
for (const div of document.querySelectorAll('div.aa')) {
  const text = div.firstChild;
  const widths = [];
  let at = 0;
  for (const line of (text ? text.data : '').split('\n')) {
    const range = document.createRange();
    range.setStart(text, at);
    range.setEnd(text, at + line.length);
    widths.push(range.getBoundingClientRect().width);
    at += line.length + 1;
  }
  rows.push(div.id + ':' + widths.join(','));
}
document.getElementById('widths').textContent = rows.join(';');
</script>)";

// The page's pictures measured by Chromium, by the div's id; empty when it could not run.
std::map<QString, std::vector<double>> browserWidths(const QString& chromium, const QString& page,
                                                     const QString& profile) {
    QProcess browser;
    browser.setProgram(chromium);
    // As root Chromium needs --no-sandbox; the closed network needs the rest.
    browser.setArguments(
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + profile, "--dump-dom", QUrl::fromLocalFile(page).toString()});
    browser.start();
    std::map<QString, std::vector<double>> widths;
    if (!browser.waitForFinished(180000)) {
        browser.kill();
        browser.waitForFinished();
        return widths;
    }
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    const QRegularExpressionMatch rows =
        QRegularExpression(R"(<pre id="widths">([^<]*)</pre>)").match(dom);
    for (const QString& row : rows.captured(1).split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = row.split(u':');
        std::vector<double>& line = widths[parts.value(0)];
        for (const QString& w : parts.value(1).split(u',')) line.push_back(w.toDouble());
    }
    return widths;
}

TEST(WebPage, EveryLineIsAsWideInChromiumAsTheRendererDrawsIt) {
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) {
        GTEST_SKIP() << "chromium is not installed (scripts/bootstrap installs it): the web page "
                        "is not checked in a browser";
    }
    std::vector<KeptPost> posts;
    for (const char* sample : {"/samples/thread.html", "/samples/yaruo/thread.html"}) {
        const TextFileRead read = readTextFile(QStringLiteral(MOZARU_SOURCE_DIR) + sample);
        if (!read.ok) continue;
        for (KeptPost& post : extractPosts(read.decoded.text, 0, 0, true).posts) {
            post.number = posts.size() + 1;  // one id per picture across both threads
            posts.push_back(std::move(post));
        }
    }
    ASSERT_GE(posts.size(), 14u);
    const std::u16string html = exportText(ExportId::Page, {u"", posts, {true}});
    QTemporaryDir dir;
    const QString page = dir.filePath("page.html");
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QString text = QString::fromStdU16String(html);
        text.replace(QStringLiteral("</body>"), QString::fromUtf8(kMeasure) + "</body>");
        file.write(text.toUtf8());
    }
    const auto widths = browserWidths(chromium, page, dir.filePath("profile"));
    ASSERT_EQ(widths.size(), posts.size()) << "chromium measured no page";

    PictureRenderer renderer{PictureStyle{}};
    for (const KeptPost& post : posts) {
        const QString id = QStringLiteral("p%1").arg(post.number);
        const std::vector<std::u16string> lines = plainLines(post.body);
        const std::vector<double>& measured = widths.at(id);
        ASSERT_EQ(measured.size(), std::max<std::size_t>(lines.size(), 1)) << id.toStdString();
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_NEAR(measured[k], renderer.lineWidth(lines[k]), 1.0)
                << id.toStdString() << " line " << k + 1 << " in " << renderer.family();
        }
    }
}

}  // namespace
}  // namespace mozaru
