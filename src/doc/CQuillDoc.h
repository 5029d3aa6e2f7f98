#pragma once
// The script document: keeps no text of its own; it streams the view's text
// to and from files as Shift_JIS bytes, and serves compile and run.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

#include "doc/HspRunPlan.h"
#include "doc/LineEnds.h"
#include "res/CommandTarget.h"

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
    void OnHspRun();

signals:
    void TitleChanged();
    void PathOpenedOrSaved(const QString& path);

private:
    std::function<HspRunSettings()> m_runSettings;
    CQuillView* m_view = nullptr;
    QString m_strPathName;
    // The line end a new line takes: the file's most common one; CR LF for
    // a new script.
    lineends::LineEnd m_lineEnd = lineends::kDefault;
};
