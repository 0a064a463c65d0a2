// Any path: the folder and name parts put back together give it, the
// extension replaced keeps the folder, the command line's path is found
// without a crash; and the bytes of any name come back from Qt's name for it.
#include <cstdint>

#include "files/path_text.h"
#include "files/paths.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    fuzz::check(fromQPath(toQPath(std::string(bytes))) == bytes, "a name's bytes come back");
    const std::u16string path = fuzz::unitsOf(bytes);
    try {
        const std::u16string folder = GetFolderPart(path, u'\\');
        const std::u16string name = GetNamePart(path, u'\\');
        fuzz::check(folder == path ? name == path : folder + u'\\' + name == path,
                    "folder and name make the path");
        const std::u16string replaced = ReplaceExtension(path, u"txt", u'\\');
        fuzz::check(path.empty() || replaced.starts_with(folder == path ? u"" : folder),
                    "the extension replaced keeps the folder");
        static_cast<void>(droppedPathHasDot(path));
    } catch (const PathOverflow&) {
        // Beyond what a 16-bit position holds: reported to the user.
    }
    static_cast<void>(commandLinePath(path));
    static_cast<void>(argumentsAfterProgramName(path));
    return 0;
}
