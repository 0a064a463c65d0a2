// The main window: the document's edit area, one button per command, the
// busy display, and the state the commands share. Its handlers are defined
// beside it, one file per subsystem (form1_extract.cpp, form1_load.cpp, ...).
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exports/export_dialog.h"
#include "ui/common_dialog.h"
#include "ui/prompts.h"

class QLabel;
class QMenu;
class QMimeData;
class QPushButton;

namespace mozaru {

class BackgroundWork;
class Form3;
struct MalformedLine;
struct PreparedStep;
class ProgressBar;
class RichTextBox;
class WorkProgress;

// 16-bit Booleans as the window stores and passes them.
inline constexpr std::int16_t kFalse = 0;
inline constexpr std::int16_t kTrue = -1;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // arguments: the command line without the program's name; programFolder:
    // where the settings file and the manual live.
    Form1(Prompts& prompts, QStringList arguments, QString programFolder,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Controls; Qt's parent-child ownership holds them.
    QPushButton* Command1 = nullptr;  // 改行付加
    QPushButton* Command2 = nullptr;  // AAの抽出
    QPushButton* Command3 = nullptr;  // <BR>タグ付加, never shown
    QPushButton* Command4 = nullptr;  // LOAD
    QPushButton* Command5 = nullptr;  // SAVE
    QPushButton* Command6 = nullptr;  // ヘルプ参照
    QPushButton* Command7 = nullptr;  // 改行除去
    RichTextBox* RichTextBox1 = nullptr;
    ProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;
    CommonDialog CommonDialog1;

    // Window state shared by the commands.
    std::int16_t BusyFlag = kFalse;
    QString BaseCaption;
    QString LoadFolder;
    std::int16_t PrecisionLevel = 0;
    std::int16_t MergeFlag = 0;
    std::int16_t PictureFlag = 0;  // 1: the picture detector judges (Form3's Check2)

    // Start-up (before the window is shown) and shut-down.
    void Form_Load();
    void Form_Unload();
    // Lays the controls out for the window's current outer size.
    void Form_Resize();
    // The enabling rule of the text commands; both run the same body.
    void Form_Paint();
    void RichTextBox1_Change();

    // 0 (False) enters the busy state, -1 (True) leaves it, anything else does nothing.
    void EnableCommands(std::int16_t enable);

    // Where the user's own files go (main sets them; empty: nowhere). A
    // settings file the program folder cannot take is written to
    // configFolder; a changed document is kept in dataFolder on close and
    // offered back at the next start.
    void setUserFolders(QString configFolder, QString dataFolder);

    // Commands.
    void Command1_Click();  // 改行付加
    void Command2_Click();  // AAの抽出
    void Command4_Click();  // LOAD
    void Command5_Click();  // SAVE
    void Command6_Click();  // ヘルプ参照
    void Command7_Click();  // 改行除去
    void LoadDocument(const QString& path);
    void RichTextBox1_OLEDragDrop(const QMimeData* data);
    void OpenCommandLineFile();
    // mode 0 reads the settings file, 1 writes it; true on success.
    bool ReadWriteSettings(quint8 mode);
    // エクスポート (form1_export.cpp): the document's kept pictures to an output
    // of the table; and the picture on a line to the clipboard as an image.
    void exportPictures();
    void copyPictureAsImage(int line);
    // Ctrl+Z and Ctrl+Y: typing at once, a whole-document step inside the
    // busy state (form1_history.cpp).
    void undoStep();
    void redoStep();

    Prompts& prompts() const { return m_prompts; }
    const QStringList& arguments() const { return m_arguments; }
    const QString& programFolder() const { return m_programFolder; }
    // The precision dialog, once the first extraction has created it.
    Form3* precisionDialog() const { return m_form3; }
    // Whether a close arrived while busy and waits for the command to end.
    bool closePending() const { return m_closePending; }
    // Whether the help command is still looking for the browser.
    bool helpPending() const { return m_helpPending; }
    // The file a changed document is kept in on close (form1_unsaved.cpp).
    QString unsavedDocumentPath() const;

signals:
    // After Form_Unload has run: once, when the window has really closed.
    void unloaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Writes the document to the file the save dialog returned, in saveFormat.
    void saveDocumentAs(const QString& chosen, std::int16_t saveFormat);
    // The target of a save: the chosen name with the format's extension,
    // asked about once when it exists; nothing when the user would not
    // replace it and cancelled the dialog shown again.
    std::optional<QString> chooseSaveTarget(std::int16_t saveFormat);
    // A message box titled 確認 ("confirm"), as every document command shows.
    void confirm(const QString& text);
    // "<failed>" CR LF "【エラー内容】" CR LF and what went wrong (a
    // std::exception), in Japanese for running out of memory.
    void reportFailure(std::u16string_view failed, const std::exception_ptr& error);
    void createControls();
    // After AAの抽出 on a .dat log: the lines that were no post.
    void reportSkippedLines(const std::vector<MalformedLine>& skipped);
    // The keys of the commands and of undo and redo (form1_keys.cpp).
    void createShortcuts();
    void applyEnablingRule();
    void setOuterSize(float widthTwips, float heightTwips);
    // The smallest outer size, given to the window manager as an inner one.
    void tellMinimumSize();
    // The frame shared by 改行付加 and 改行除去.
    void runLineBreakCommand(bool add, std::u16string_view failed);
    // A whole-document undo or redo of the edit area inside the busy state.
    void runHistoryStep(int token, bool undo);

    // The frame of a command's work (form1_work.cpp). The edit area hidden
    // over the busy label, the bar from zero over max, and one repaint.
    void showBusyDisplay();
    void setBarRange(float max);
    // The bar at fraction of its range.
    void setBarFraction(double fraction);
    // Runs work on a second thread while the window answers; the bar
    // follows its progress from `from` to `to` (fractions of its range).
    void runWhileBusy(const std::function<void(WorkProgress&)>& work, double from, double to);
    // Puts a prepared step into the edit area slice by slice, the window
    // answering between and the bar going from `from` to `to`.
    void replaceInSlices(PreparedStep&& step, double from, double to);
    // Called between two slices: the bar follows, the window answers.
    std::function<void(double)> sliceHook(double from, double to);
    // The edit area visible again, and the keyboard's focus back in it.
    void endBusyDisplay();

    // The command line's document is loaded in the window, shown at once.
    void showWhileLoading();
    // Start-up and shut-down of a changed document (form1_unsaved.cpp).
    void offerUnsavedDocument();
    void keepUnsavedDocument();
    // The text now is what a file holds (after a load or a save).
    void documentSaved();

    // Marks the window working for a scope (m_working).
    class Working {
    public:
        explicit Working(Form1& form) : m_form(form) { m_form.m_working = true; }
        ~Working() { m_form.m_working = false; }
        Working(const Working&) = delete;
        Working& operator=(const Working&) = delete;

    private:
        Form1& m_form;
    };
    // A close that waited for the command goes on, once the command has ended.
    void closeIfPending();

    // The edit area's context menu: エクスポート and 画像としてコピー.
    void addPictureCommands(QMenu* menu, int line);
    // Writes the document's kept pictures as row to target (busy already);
    // the count written, or 0 with what went wrong in problem.
    std::size_t writeExport(const ExportFormat& row, const QString& target, QString& problem);

    Prompts& m_prompts;
    QStringList m_arguments;
    QString m_programFolder;
    QString m_configFolder;
    QString m_dataFolder;
    Form3* m_form3 = nullptr;
    bool m_closePending = false;
    bool m_unloaded = false;
    ExportChoices m_exportChoices;  // the dialog's last confirmed choice
    CommonDialog m_exportFile;      // its save dialog, apart from SAVE's
    // A command's work runs on a second thread: the window answers its
    // events but starts nothing, closes nothing and takes no drop.
    bool m_working = false;
    // The document was restored from the last run and is in no file.
    bool m_unsavedRestored = false;
    // ヘルプ参照 looks for the browser on a thread of its own.
    std::unique_ptr<BackgroundWork> m_help;
    bool m_helpPending = false;
};

}  // namespace mozaru
