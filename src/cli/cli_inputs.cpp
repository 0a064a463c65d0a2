// mozaru-cli's inputs: folders walked recursively, results named after them.
#include "cli/cli_inputs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace mozaru {

// Windows hands main UTF-8 arguments (win32_console.h); QFile's names there
// are in the ANSI code page, which would lose characters.
QString toQPath(const std::string& path) {
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(path.c_str());
#endif
}

std::string fromQPath(const QString& path) {
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

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

QString withSuffix(const QString& name, const QString& suffix) {
    const QFileInfo info(name);
    const QString folder = info.path() == u"." ? QString() : info.path() + u'/';
    return folder + info.completeBaseName() + u'.' + suffix;
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
            expansion.errors.push_back("mozaru-cli: " + input +
                                       " holds no .dat, .html, .htm or .txt file");
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
    if (options.command == CliCommand::Extract && options.to == LibraryFormat::Mlt) {
        name = withSuffix(name, QStringLiteral("mlt"));
    } else if (options.command == CliCommand::Extract && options.to == LibraryFormat::Ast) {
        name = withSuffix(name, QStringLiteral("ast"));
    } else if ((options.command == CliCommand::Extract || options.command == CliCommand::Convert) &&
               QFileInfo(name).suffix().toLower() == u"dat") {
        name = withSuffix(name, QStringLiteral("html"));
    }
    return fromQPath(name);
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
