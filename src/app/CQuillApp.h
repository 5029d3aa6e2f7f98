#pragma once
// The application object: the settings members that the rest of the editor
// reads, start-up, and the commands that the application serves.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "res/CommandTarget.h"

class CKeywordTable;
class CMainFrame;
class CQuillDoc;
class CQuillView;
class CRecoveryKeeper;
class RecoveryStore;

class CQuillApp : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    CQuillApp();
    ~CQuillApp() override;

    // The one instance (null before it is constructed or after it is gone).
    static CQuillApp* Instance();

    // Start-up: reads the settings, creates document, frame and view, carries
    // out the command line (`args` without the program name) and shows the
    // window. Returns false when the program must end.
    bool InitInstance(const QStringList& args);

    // Start-up without showing the window (tests drive the frame themselves).
    bool InitInstance(const QStringList& args, bool show);

    bool OnCommand(int id) override;

    // Command handlers.
    void OnAppAbout();
    void OnSetDirectory();
    void OnHspCmdline();
    void OnSetCommands();
    void OnSetQfo();
    void OnQfoOpen();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    // Opens `path` as the current script after the save prompt. Returns false
    // when the user cancelled or the file could not be read (reported).
    bool OpenDocumentFile(const QString& path);

    CMainFrame* MainFrame() const { return m_frame; }
    CQuillDoc* Document() const { return m_doc; }
    CQuillView* View() const { return m_view; }
    CRecoveryKeeper* RecoveryKeeper() const { return m_recoveryKeeper; }

    // Settings members, read at start-up; whoever changes one writes its key.
    QString m_hspdir;
    QString m_hsphelp;
    QString m_cmdline;
    int m_exestat = 0;
    // The compile and run commands ([Commands]); empty means not used.
    QString m_compileCommand;
    QString m_runCommand;

private:
    void ReadSettings();
    // The word list from QUILL.DAT; a file it cannot read is reported (and
    // the list is empty).
    static CKeywordTable ReadWordList();
    // Takes this editor's place among the recovery copies and keeps one while
    // the text is modified; then offers the copies of editors that are gone
    // (or restores the one named by `recoverPath`).
    void StartRecovery(const QString& recoverPath);

    CMainFrame* m_frame = nullptr;
    CQuillDoc* m_doc = nullptr;
    CQuillView* m_view = nullptr;
    std::unique_ptr<RecoveryStore> m_recoveryStore;
    CRecoveryKeeper* m_recoveryKeeper = nullptr;
};
