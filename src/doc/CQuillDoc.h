#pragma once
// The script document: keeps no text of its own; it streams the view's text
// to and from files in the script's encoding (Shift_JIS, UTF-8 or UTF-8
// with a byte-order mark, found when the file is opened), and serves
// compile and run.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "doc/DiskChanges.h"
#include "doc/HspRunPlan.h"
#include "doc/LineEnds.h"
#include "res/CommandTarget.h"
#include "text/Cp932Codec.h"
#include "text/TextEncoding.h"

class CDiskWatcher;
class CCommandSession;
class CQuillView;

class CQuillDoc : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    // `runSettings` gives compile and run the settings as they are at the
    // time; without it there is nothing to run with.
    explicit CQuillDoc(std::function<HspRunSettings()> runSettings = {}, QObject* parent = nullptr);
    ~CQuillDoc() override;

    // The view whose text this document streams.
    void SetView(CQuillView* view);

    bool OnCommand(int id) override;

    // A new, untitled, empty script.
    bool OnNewDocument();
    // Replaces the text with the file's and colors it. On failure the text is
    // unchanged, `error` holds the message and false is returned.
    bool OnOpenDocument(const QString& path, QString* error);
    // Writes the text to `path` atomically. On failure the old file is left
    // whole, `error` holds the message and false is returned.
    bool OnSaveDocument(const QString& path, QString* error);

    // The encoding the script was read in and a save writes.
    textenc::Encoding GetEncoding() const { return m_encoding; }
    // The encoding the next save writes; the text counts as modified.
    void SetEncoding(textenc::Encoding encoding);
    // Reads the file again in `encoding` (after asking to save changes);
    // false when it was not read again.
    bool ReopenWithEncoding(textenc::Encoding encoding);

    // The text as the bytes a save writes; false with a message naming the
    // line when a character cannot be held in Shift_JIS.
    bool Serialize(QByteArray* bytes, QString* error) const;
    // The text with the line ends a save writes, before encoding; with
    // `lineStarts`, also where each line starts in it.
    QString SaveText(std::vector<qsizetype>* lineStarts = nullptr) const;
    // Encodes text as SaveText gives it into the bytes a save writes in
    // `encoding`. Touches no document state, so it may run on any thread.
    static cp932::EncodeResult EncodeSaveText(QStringView saveText, textenc::Encoding encoding);

    // Puts back a recovered text (line ends as saved) under `path` (empty:
    // untitled) as a modified, colored script in `encoding`; no file is
    // written. `disk` is the file's content the text was based on: a save
    // asks before writing over anything else (unknown: the file as it is now).
    void RestoreDocument(const QString& path, const QString& text,
                         textenc::Encoding encoding = textenc::Encoding::ShiftJis,
                         const KnownContent& disk = {});

    void OnFileSave();
    void OnFileSaveAs();
    void OnEncodingShiftJis();
    void OnEncodingUtf8();
    void OnEncodingUtf8Bom();
    // Asks for an encoding and reads the file again in it.
    void OnReopenWithEncoding();

    // Save commands with their dialogs and messages; false when not saved.
    bool DoFileSave();
    bool DoSave(const QString& path, bool replace);
    // Asks to save a modified script: true to go on, false when cancelled or
    // the save failed.
    bool SaveModified();

    bool IsModified() const;
    void SetModifiedFlag(bool modified = true);
    const QString& GetPathName() const { return m_strPathName; }
    // "無題" for an untitled script, else the file's name.
    QString GetTitle() const;

    // Compiles the text as it is and starts the runtime; failures are shown.
    // With no compiler library in the HSP folder and a compile command set,
    // the commands do it (see CommandSession).
    void OnHspRun();
    // Shift+F5: ends the compile or program the commands run. Escape ends
    // a compile only.
    void OnHspStop();
    void OnCancelCommand();
    CCommandSession* CommandSession() const { return m_session; }

    // Selects line `line` (counted from 1; below 1 is the first line, past
    // the end the last), scrolls it into view and gives the view the focus.
    void JumpToScriptLine(int line);

    // Looks for a change of the script's file on disk (the window calls it
    // when it becomes active; the file watcher while it is): unmodified text
    // is reloaded, modified text asks first, once per change; a file that is
    // gone or cannot be read is reported in the status bar once.
    void CheckDisk();
    // Reloads the file, asking first when the text has unsaved changes.
    void OnFileReload();
    // `keep` keeps unsaved changes as a recovery copy until the next start,
    // just before a reload replaces them; false when they could not be kept
    // (the reload is then called off).
    void SetEditKeeper(std::function<bool()> keep) { m_keepEdits = std::move(keep); }
    const DiskChanges& Disk() const { return m_disk; }

signals:
    void TitleChanged();
    void PathOpenedOrSaved(const QString& path);
    // The user chose not to save the changes (the save prompt answered No).
    void ChangesDiscarded();
    // The script's encoding changed (opened, chosen, new script).
    void EncodingChanged();
    // A message for the status bar's message pane.
    void StatusMessage(const QString& text);

    // F5 runs commands; `names` are the names their messages may give the
    // script (for MessageScriptLine).
    void CommandsStarting(const QStringList& names);

private:
    // Replaces the text with `text` (line ends as in a file) in `encoding`
    // and colors it.
    void SetFileText(const QString& text, textenc::Encoding encoding);
    // Reads the file at `path` in `encoding` (detected when not given); the
    // file is known and watched from then on.
    bool ReadScript(const QString& path, std::optional<textenc::Encoding> encoding, QString* error);
    // Replaces the text with the file's `bytes` (read at `stamp`), keeping
    // the caret's line and the scroll position; false with a message when
    // the bytes cannot be held.
    bool Reload(const QByteArray& bytes, const FileStamp& stamp);
    // Keeps unsaved changes before a reload; false (reported) when it could not.
    bool KeepEdits();
    // The file at `path` holds `bytes`, from now on watched.
    void KnowFile(const QString& path, const QByteArray& bytes, const FileStamp& stamp);
    // The window that owns the boxes.
    QWidget* Window() const;
    // F5 through the commands; returns the message to show, if any.
    std::optional<QString> RunCommands(const HspRunPlan& plan, const HspRunSettings& settings);
    // Asks whether a compile or program still running should end first;
    // true when it has ended.
    bool StopRunningFirst();

    std::function<HspRunSettings()> m_runSettings;
    CCommandSession* m_session;
    CQuillView* m_view = nullptr;
    QString m_strPathName;
    // The line end a new line takes: the file's most common one; CR LF for
    // a new script.
    lineends::LineEnd m_lineEnd = lineends::kDefault;
    textenc::Encoding m_encoding = textenc::Encoding::ShiftJis;
    DiskChanges m_disk;
    CDiskWatcher* m_watcher;
    std::function<bool()> m_keepEdits;
    // A look at the disk is under way (a question may be open); a change
    // noticed meanwhile is looked at when it is done.
    bool m_checking = false;
    bool m_recheck = false;
};
