#pragma once
// The script document: keeps no text of its own; it streams the view's text
// to and from files as Shift_JIS bytes, and serves compile and run.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "doc/HspRunPlan.h"
#include "doc/LineEnds.h"
#include "res/CommandTarget.h"
#include "text/Cp932Codec.h"

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

    // The text as the bytes a save writes; false with a message naming the
    // line when a character cannot be held in Shift_JIS.
    bool Serialize(QByteArray* bytes, QString* error) const;
    // The text with the line ends a save writes, before encoding; with
    // `lineStarts`, also where each line starts in it.
    QString SaveText(std::vector<qsizetype>* lineStarts = nullptr) const;
    // Encodes text as SaveText gives it into the bytes a save writes. Touches
    // no document state, so it may run on any thread.
    static cp932::EncodeResult EncodeSaveText(QStringView saveText);

    // Puts back a recovered text (line ends as saved) under `path` (empty:
    // untitled) as a modified, colored script; no file is read or written.
    void RestoreDocument(const QString& path, const QString& text);

    void OnFileSave();
    void OnFileSaveAs();

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

signals:
    void TitleChanged();
    void PathOpenedOrSaved(const QString& path);
    // The user chose not to save the changes (the save prompt answered No).
    void ChangesDiscarded();
    // F5 runs commands; `names` are the names their messages may give the
    // script (for MessageScriptLine).
    void CommandsStarting(const QStringList& names);

private:
    // Replaces the text with `text` (line ends as in a file) and colors it.
    void SetFileText(const QString& text);
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
};
