// ReadWriteSettings: the window's settings, read at start-up and rewritten at
// shut-down (into the user's configuration folder when the program folder
// cannot take them).
#include "app/form1.h"
#include "settings/settings_file.h"
#include "text/messages.h"

namespace mozaru {

bool Form1::ReadWriteSettings(quint8 mode) {
    if (mode != 0 && mode != 1) return true;
    SettingsValues values{LoadFolder.toStdU16String(), PrecisionLevel, MergeFlag, PictureFlag};
    std::optional<QString> error;
    if (mode == 0) {
        error = readSettingsFile(m_programFolder, values, m_configFolder);
        // Lines read before a failing line keep their values.
        LoadFolder = QStringView(values.loadFolder).toString();
        PrecisionLevel = values.precisionLevel;
        MergeFlag = values.mergeFlag;
        PictureFlag = values.pictureFlag;
    } else {
        error = writeSettingsFile(m_programFolder, values, m_configFolder);
    }
    if (error) {
        m_prompts.message(this, settingsErrorText(*error, mode == 1),
                          QStringView(kTitleWarning).toString());
        return false;
    }
    return true;
}

}  // namespace mozaru
