// The program named by a desktop entry's Exec= line.
#include "help/desktop_entry.h"

#include "text/text.h"

namespace mozaru {

namespace {

std::u16string unescapeValue(std::u16string_view value) {
    std::u16string out;
    for (std::size_t k = 0; k < value.size(); ++k) {
        if (value[k] != u'\\' || k + 1 == value.size()) {
            out += value[k];
            continue;
        }
        switch (value[++k]) {
            case u's':
                out += u' ';
                break;
            case u'n':
                out += u'\n';
                break;
            case u't':
                out += u'\t';
                break;
            case u'r':
                out += u'\r';
                break;
            default:
                out += value[k];
                break;  // "\\" and any other escaped character
        }
    }
    return out;
}

}  // namespace

std::optional<std::u16string> desktopEntryExec(std::u16string_view fileText) {
    bool inEntry = false;
    std::size_t start = 0;
    while (start <= fileText.size()) {
        std::size_t end = fileText.find(u'\n', start);
        if (end == npos) end = fileText.size();
        std::u16string_view line = fileText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        if (line.empty() || line.front() == u'#') continue;
        if (line.front() == u'[') {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        if (!inEntry) continue;
        const std::size_t eq = line.find(u'=');
        if (eq == npos) continue;
        // Keys are case-sensitive; spaces around "=" are allowed.
        if (trimSpaces(line.substr(0, eq)) != u"Exec") continue;
        return unescapeValue(trimSpaces(line.substr(eq + 1)));
    }
    return std::nullopt;
}

std::vector<std::u16string> splitExecLine(std::u16string_view exec) {
    std::vector<std::u16string> args;
    std::u16string current;
    bool quotedPart = false;  // "" is an argument; an argument of field codes alone is none
    const auto finish = [&] {
        if (!current.empty() || quotedPart) args.push_back(current);
        current.clear();
        quotedPart = false;
    };
    bool inQuotes = false;
    for (std::size_t k = 0; k < exec.size(); ++k) {
        const char16_t c = exec[k];
        if (inQuotes) {
            if (c == u'"') {
                inQuotes = false;
            } else if (c == u'\\' && k + 1 < exec.size()) {
                current += exec[++k];
            } else {
                current += c;
            }
        } else if (c == u' ' || c == u'\t') {
            finish();
        } else if (c == u'"') {
            inQuotes = quotedPart = true;
        } else if (c == u'%' && k + 1 < exec.size()) {
            // "%%" is a percent sign; every other code (%u, %U, %f, %i, ...)
            // stands for what the launcher would fill in, and is dropped.
            if (exec[++k] == u'%') current += u'%';
        } else {
            current += c;
        }
    }
    finish();
    return args;
}

std::u16string execProgram(std::u16string_view exec) {
    const std::vector<std::u16string> args = splitExecLine(exec);
    std::size_t k = 0;
    if (k < args.size() && (args[k] == u"env" || args[k] == u"/usr/bin/env")) {
        ++k;
        while (k < args.size() && args[k].find(u'=') != npos) ++k;
    }
    return k < args.size() ? args[k] : std::u16string();
}

}  // namespace mozaru
