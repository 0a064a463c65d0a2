// エクスポート: the document's kept pictures (the extraction's posts of a thread
// page, or the bodies of a result) to any output of the table, with the
// author's posts only, headers and headings; and 画像としてコピー.
#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPushButton>

#include "app/form1.h"
#include "app/window_extract_observer.h"
#include "boards/board_forms.h"
#include "exports/aa_library.h"
#include "exports/exports.h"
#include "extract/extract_aa.h"
#include "extract/kept_posts.h"
#include "extract/post_header.h"
#include "files/paths.h"
#include "files/save_file.h"
#include "files/text_file.h"
#include "text/messages.h"
#include "ui/background_work.h"
#include "ui/event_yield.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"
#ifdef MOZARU_EXPORT_IMAGES
#include "exports/picture_renderer.h"
#endif

namespace mozaru {

namespace {

constexpr std::u16string_view kExportFailed = u"エクスポートに失敗しました";

// Why the posts of a page have no author to follow, in the window's words.
QString authorProblem(const ResolvedAuthor& resolved) {
    if (resolved.problem == AuthorProblem::NoHeader) {
        return QStringLiteral(
            "最初の投稿にヘッダー（番号・名前・日付・ID）がないため、"
            "作者を決められません。作者を ID・トリップ・名前で指定してください");
    }
    return QStringLiteral(
               "%1 番の投稿には ID もトリップもなく、名前「%2」は板の既定の名前です。"
               "作者を ID・トリップ・名前で指定してください")
        .arg(resolved.post)
        .arg(QString::fromStdU16String(resolved.header.name));
}

#ifdef MOZARU_EXPORT_IMAGES
// Where a line of the document starts (CR LF lines).
std::size_t lineStart(std::u16string_view document, int line) {
    std::size_t at = 0;
    for (int n = 0; n < line && at != npos; ++n) {
        at = document.find(u"\r\n", at);
        if (at != npos) at += 2;
    }
    return at == npos ? document.size() : at;
}
#endif

}  // namespace

void Form1::addPictureCommands(QMenu* menu, int line) {
    menu->addSeparator();
    QAction* exporting =
        menu->addAction(QStringLiteral("エクスポート..."), this, &Form1::exportPictures);
    exporting->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    exporting->setEnabled(Command5->isEnabled());
#ifdef MOZARU_EXPORT_IMAGES
    QAction* copy = menu->addAction(QStringLiteral("画像としてコピー"), this,
                                    [this, line] { copyPictureAsImage(line); });
    copy->setEnabled(BusyFlag == kFalse && !RichTextBox1->isEmptyDocument());
#else
    static_cast<void>(line);
#endif
}

void Form1::copyPictureAsImage(int line) {
#ifdef MOZARU_EXPORT_IMAGES
    const std::u16string_view document = RichTextBox1->documentView();
    const std::vector<std::u16string> lines =
        plainLines(pictureAt(document, lineStart(document, line)));
    try {
        PictureRenderer renderer{PictureStyle{}};
        const Raster r = renderer.draw(lines);
        const QImage image(r.pixels.data(), r.width, r.height, r.bytesPerLine(),
                           QImage::Format_Grayscale8);
        QGuiApplication::clipboard()->setImage(image.copy());
    } catch (const std::exception&) {
        reportFailure(u"画像としてコピーできませんでした", std::current_exception());
    }
#else
    static_cast<void>(line);
#endif
}

void Form1::exportPictures() {
    if (BusyFlag != kFalse) return;
    if (RichTextBox1->isEmptyDocument()) {
        confirm(QStringLiteral("保存するものがありません"));
        return;
    }
    ExportDialog dialog(this);
    dialog.setChoices(m_exportChoices);
    m_prompts.exec(dialog);
    if (!dialog.accepted()) return;
    m_exportChoices = dialog.choices();
    const ExportChoices& choice = m_exportChoices;
    const ExportFormat& row = exportFormat(choice.to);

    const QString extension = QStringView(row.extension).toString();
    m_exportFile.filter = QStringView(row.caption).toString() +
                          QStringLiteral("(*.%1)|*.%1|すべて|*.*").arg(extension);
    m_exportFile.filterIndex = 1;
    m_exportFile.flags = kDialogFlagOverwritePrompt;
    if (m_exportFile.initDir.isEmpty()) m_exportFile.initDir = LoadFolder;
    // The first proposal is the name of the document last loaded or saved.
    if (m_exportFile.fileName.isEmpty()) m_exportFile.fileName = CommonDialog1.fileName;
    std::optional<QString> chosen;
    try {
        m_exportFile.fileName =
            QStringView(GetNamePart(ReplaceExtension(m_exportFile.fileName.toStdU16String(),
                                                     row.extension)))
                .toString();
        chosen = m_prompts.saveFile(this, m_exportFile);
    } catch (const PathOverflow&) {
    }
    if (!chosen) return;
    m_exportFile.initDir = QFileInfo(*chosen).path();
    const QString target =
        QString::fromStdU16String(ReplaceExtension(chosen->toStdU16String(), row.extension));

    EnableCommands(kFalse);
    RichTextBox1->setVisible(false);
    QString problem;
    std::exception_ptr failure;
    std::size_t written = 0;
    try {
        written = writeExport(row, target, problem);
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    RichTextBox1->setVisible(true);
    EnableCommands(kTrue);
    if (failure) {
        reportFailure(kExportFailed, failure);
    } else if (!problem.isEmpty()) {
        confirm(problem);
    } else {
        confirm(QStringLiteral("%1 件の AA をエクスポートしました").arg(written));
    }
}

std::size_t Form1::writeExport(const ExportFormat& row, const QString& target, QString& problem) {
    const ExportChoices& choice = m_exportChoices;
    // A thread page (in any board form) is extracted as AAの抽出 would; a
    // document that is a result already gives its bodies.
    const ClassicPage classic = toClassicPage(RichTextBox1->documentView());
    const std::u16string_view page =
        classic.recognised() ? std::u16string_view(classic.text) : RichTextBox1->documentView();
    std::vector<KeptPost> posts;
    std::u16string title;
    if (findNoCase(page, u"<DD") != npos) {
        const ResolvedAuthor author = resolveAuthor(page, choice.author);
        if (author.problem != AuthorProblem::None) {
            problem = authorProblem(author);
            return 0;
        }
        // On a second thread, as AAの抽出 runs: the window answers, the bar follows.
        BackgroundWork work;
        WindowExtractObserver observer(work);
        const std::int16_t level = PrecisionLevel;
        const std::int16_t merge = MergeFlag;
        const Detector detector = PictureFlag == 1 ? Detector::Picture : Detector::Seed;
        work.start(
            [&] { posts = extractPosts(page, level, merge, true, observer, detector).posts; });
        {
            const Working working(*this);
            work.answer([&] {
                if (!observer.started()) return;
                ProgressBar1->setMax(static_cast<float>(observer.posts()));
                ProgressBar1->setValue(static_cast<float>(observer.done()));
            });
        }
        work.rethrow();
        keepAuthorsPosts(posts, author.author);
        title = pageTitle(page);
    } else if (choice.author.key != AuthorKey::Off) {
        problem = QStringLiteral(
            "この文書には投稿のヘッダーがないため、作者の投稿を選べません"
            "（抽出する前のスレッドで選んでください）");
        return 0;
    } else {
        posts = keptPostsOfResult(page);
    }
    if (posts.empty()) {
        problem = QStringLiteral("エクスポートする AA がありません");
        return 0;
    }
    const ExportInput input{u"", posts,
                            ExportOptions{true, choice.withHeader, choice.headings, title,
                                          row.utf8ByDefault ? u"UTF-8" : u"Shift_JIS"}};
    const auto failed = [&problem](const QString& path, const QString& reason) {
        problem =
            QStringView(errorMessage(kExportFailed, fileMessage(path, reason).toStdU16String()))
                .toString();
    };
    if (row.kind == ExportKind::OneFile) {
        const TextFileWrite result = writeTextFile(
            target,
            [&](const TextSink& piece) {
                row.write(input, piece);
                return true;
            },
            row.utf8ByDefault ? OutputEncoding::Utf8 : OutputEncoding::Cp932);
        if (!result.ok) failed(target, result.reason);
        return result.ok ? posts.size() : 0;
    }
    // One file per picture, the bar following them.
    const std::vector<Picture> pictures = picturesOf(input);
    ProgressBar1->setMax(static_cast<float>(pictures.size()));
    ProgressBar1->setMin(0.0f);
    ProgressBar1->setValue(0.0f);
    EventYield yield;
    std::size_t done = 0;
    row.writePictures(pictures, PictureStyle{}, [&](std::uint64_t number, std::string_view bytes) {
        const QString file =
            QString::fromStdU16String(pictureFileName(target.toStdU16String(), number));
        QString reason;
        if (!saveFileAtomically(
                file, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &reason)) {
            failed(file, reason);
            return false;
        }
        ProgressBar1->setValue(static_cast<float>(++done));
        yield.maybe();
        return true;
    });
    return problem.isEmpty() ? done : 0;
}

}  // namespace mozaru
