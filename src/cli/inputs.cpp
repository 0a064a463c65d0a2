// mozaru-cli's inputs: folders walked recursively, results named after them.
#include "cli/inputs.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

#include "cli/messages.h"
#include "files/path_text.h"

namespace mozaru {

namespace {

bool isPageOrLog(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == u"dat" || suffix == u"html" || suffix == u"htm" || suffix == u"txt";
}

// The files below folder, as paths relative to it, sorted.
QStringList pagesBelow(const QString& folder, const QString& skipped) {
    QStringList found;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!isPageOrLog(path)) continue;
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!skipped.isEmpty() && absolute.startsWith(skipped)) continue;
        found.push_back(base.relativeFilePath(path));
    }
    std::sort(found.begin(), found.end());
    return found;
}

QString withSuffix(const QString& name, std::u16string_view suffix) {
    const QFileInfo info(name);
    const QString folder = info.path() == u"." ? QString() : info.path() + u'/';
    return folder + info.completeBaseName() + u'.' + QStringView(suffix).toString();
}

}  // namespace

FolderExpansion expandFolders(CliOptions& options) {
    FolderExpansion expansion;
    const QString skipped = options.outputDir.empty()
                                ? QString()
                                : QFileInfo(toQPath(options.outputDir)).absoluteFilePath() + u'/';
    std::vector<std::string> inputs;
    for (const std::string& input : options.inputs) {
        const QString folder = toQPath(input);
        if (input == "-" || !QFileInfo(folder).isDir()) {
            inputs.push_back(input);
            continue;
        }
        if (options.outputDir.empty()) {
            expansion.usageProblem = "the folder " + input + " needs --output-dir (-d)";
            return expansion;
        }
        const QStringList pages = pagesBelow(folder, skipped);
        if (pages.isEmpty()) {
            expansion.errors.push_back(
                cliMessage(input + " holds no .dat, .html, .htm or .txt file"));
        }
        for (const QString& page : pages) {
            const std::string path = fromQPath(QDir(folder).filePath(page));
            options.relativePaths[path] = fromQPath(page);
            inputs.push_back(path);
        }
    }
    options.inputs = std::move(inputs);
    return expansion;
}

std::string outputNameFor(const CliOptions& options, const std::string& input) {
    const auto relative = options.relativePaths.find(input);
    QString name = relative != options.relativePaths.end() ? toQPath(relative->second)
                                                           : QFileInfo(toQPath(input)).fileName();
    const bool fromDat = QFileInfo(name).suffix().toLower() == u"dat";
    switch (options.command) {
        case CliCommand::Extract: {
            const ExportFormat& output = exportFormat(options.to);
            if (!output.keepsInputName || fromDat) name = withSuffix(name, output.extension);
            break;
        }
        case CliCommand::Convert:
            if (fromDat) name = withSuffix(name, u"html");
            break;
        default:
            break;
    }
    return fromQPath(name);
}

std::string outputPathFor(const CliOptions& options, const std::string& input) {
    return fromQPath(
        QDir(toQPath(options.outputDir)).filePath(toQPath(outputNameFor(options, input))));
}

bool makeOutputFolders(const CliOptions& options, std::string& problem) {
    const QDir out(toQPath(options.outputDir));
    for (const auto& entry : options.relativePaths) {
        const QString folder = QFileInfo(out.filePath(toQPath(entry.second))).path();
        if (!QDir().mkpath(folder)) {
            problem = fromQPath(folder);
            return false;
        }
    }
    return true;
}

}  // namespace mozaru
