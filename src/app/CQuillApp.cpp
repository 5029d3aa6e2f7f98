#include "app/CQuillApp.h"

#include <QApplication>
#include <QCursor>
#include <QStatusBar>

#include "app/CAboutDlg.h"
#include "app/CCommandDlg.h"
#include "app/CDirDlg.h"
#include "app/CMainFrame.h"
#include "app/CRecoveryOffer.h"
#include "app/CRunOptionDlg.h"
#include "app/QtTranslation.h"
#include "app/SettingsStore.h"
#include "doc/CQuillDoc.h"
#include "doc/CRecoveryKeeper.h"
#include "doc/HspCommand.h"
#include "doc/RecoveryStore.h"
#include "qfo/CQfoPopupDlg.h"
#include "qfo/CQfoSetDlg.h"
#include "qfo/QfoProcess.h"
#include "qfo/QfoStore.h"
#include "res/CScriptFileDialog.h"
#include "res/CommandIds.h"
#include "res/ExePath.h"
#include "res/Messages.h"
#include "view/CQuillView.h"
#include "view/CViewFont.h"
#include "view/EditorFont.h"

namespace {
CQuillApp* g_app = nullptr;
}

CQuillApp::CQuillApp() {
    g_app = this;
}

CQuillApp::~CQuillApp() {
    // The keeper watches the view's text: it goes before the frame and view.
    if (m_doc) {
        m_doc->SetEditKeeper({});
    }
    delete m_recoveryKeeper;
    delete m_frame;
    if (g_app == this) {
        g_app = nullptr;
    }
}

CQuillApp* CQuillApp::Instance() {
    return g_app;
}

void CQuillApp::ReadSettings() {
    m_hspdir = settings::GetString(settings::kHspDir);
    m_hsphelp = settings::GetString(settings::kHspHelp);
    m_cmdline = settings::GetString(settings::kCmdLine);
    m_exestat = settings::GetInt(settings::kExeStat, 0);
    m_compileCommand =
        settings::Command(settings::kCompileCommand, QString::fromUtf8(kDefaultCompileCommand));
    m_runCommand = settings::Command(settings::kRunCommand, QString::fromUtf8(kDefaultRunCommand));
}

CKeywordTable CQuillApp::ReadWordList() {
    CKeywordTable words;
    if (!words.Load(QuillDataPaths().keywordFile)) {
        // Shown before the main window exists.
        msg::Plain(nullptr, QString::fromUtf8(msg::kWordListError));
    }
    return words;
}

bool CQuillApp::InitInstance(const QStringList& args) {
    return InitInstance(args, true);
}

bool CQuillApp::InitInstance(const QStringList& args, bool show) {
    QApplication::setApplicationName("QUILL");
    InstallQtTranslation();
    // The members must hold the settings before the frame exists: it reads
    // m_exestat while it is created.
    ReadSettings();

    m_doc = new CQuillDoc(
        [this]() {
            return HspRunSettings{m_hspdir, m_exestat, m_cmdline, m_compileCommand, m_runCommand};
        },
        this);
    m_frame = new CMainFrame(m_doc, ReadWordList());
    m_frame->OnCreate();
    m_view = m_frame->GetView();
    // The text size the user zoomed to last time; kept as it changes.
    m_view->Font().SetPointSize(settings::ViewFontSize(editorfont::kDefaultPointSize));
    connect(&m_view->Font(), &CViewFont::SizeChanged, this,
            [](int points) { settings::WriteViewFontSize(points); });

    // An editor started to restore one recovery copy opens no file.
    const bool restoring = args.size() == 2 && args.first() == CRecoveryOffer::kRecoverOption;
    if (args.isEmpty() || restoring) {
        m_doc->OnNewDocument();
    } else if (!OpenDocumentFile(args.first())) {
        return false;
    }
    StartRecovery(restoring ? args.at(1) : QString());

    if (show) {
        if (settings::GetInt(settings::kMode, settings::kModeNormal) == settings::kModeMaximized) {
            m_frame->showMaximized();
        } else {
            m_frame->show();
        }
    }
    return true;
}

void CQuillApp::StartRecovery(const QString& recoverPath) {
    m_recoveryStore = std::make_unique<RecoveryStore>(RecoveryStore::DefaultFolder());
    m_recoveryKeeper = new CRecoveryKeeper(m_doc, m_view->document(), m_recoveryStore.get(), this);
    auto report = [this](const QString& message) { m_frame->StatusBar()->showMessage(message); };
    connect(m_recoveryKeeper, &CRecoveryKeeper::WriteFailed, this, report);
    m_doc->SetEditKeeper([keeper = m_recoveryKeeper]() { return keeper->KeepAside(); });
    QString error;
    if (!m_recoveryStore->Claim(&error)) {
        report(error);
    }
    CRecoveryOffer offer(m_recoveryStore.get(), m_doc, m_recoveryKeeper, m_frame);
    if (recoverPath.isEmpty()) {
        offer.OfferAtStartUp();
    } else {
        offer.RestoreNamed(recoverPath);
    }
}

namespace {

// The commands this application serves.
constexpr CommandMapEntry<CQuillApp> kMessageMap[] = {
    {cmd::ID_APP_ABOUT, &CQuillApp::OnAppAbout},
    {cmd::ID_SET_DIRECTORY, &CQuillApp::OnSetDirectory},
    {cmd::ID_HSP_CMDLINE, &CQuillApp::OnHspCmdline},
    {cmd::ID_SET_COMMANDS, &CQuillApp::OnSetCommands},
    {cmd::ID_SET_QFO, &CQuillApp::OnSetQfo},
    {cmd::ID_QFO_OPEN, &CQuillApp::OnQfoOpen},
    {cmd::ID_FILE_NEW, &CQuillApp::OnFileNew},
    {cmd::ID_FILE_OPEN, &CQuillApp::OnFileOpen},
    {cmd::ID_FILE_PRINT_SETUP, &CQuillApp::OnFilePrintSetup},
};

}  // namespace

bool CQuillApp::OnCommand(int id) {
    return RouteCommand(this, kMessageMap, id);
}

void CQuillApp::OnAppAbout() {
    CAboutDlg dlg(m_frame);
    dlg.DoModal();
}

void CQuillApp::OnSetDirectory() {
    CDirDlg dlg(m_frame);
    dlg.m_hspdir = m_hspdir;
    dlg.m_hsphelp = m_hsphelp;
    // The dialog has written both keys when it ends with OK.
    if (dlg.DoModal() == IDOK) {
        m_hspdir = dlg.m_hspdir;
        m_hsphelp = dlg.m_hsphelp;
    }
}

void CQuillApp::OnHspCmdline() {
    CRunOptionDlg dlg(m_frame);
    dlg.m_cmdline = m_cmdline;
    if (dlg.DoModal() == IDOK) {
        m_cmdline = dlg.m_cmdline;
        settings::WriteString(settings::kCmdLine, m_cmdline);
    }
}

void CQuillApp::OnSetCommands() {
    CCommandDlg dlg(m_frame);
    dlg.m_compile = m_compileCommand;
    dlg.m_run = m_runCommand;
    if (dlg.DoModal() == IDOK) {
        m_compileCommand = dlg.m_compile;
        m_runCommand = dlg.m_run;
        settings::WriteCommand(settings::kCompileCommand, m_compileCommand);
        settings::WriteCommand(settings::kRunCommand, m_runCommand);
    }
}

void CQuillApp::OnSetQfo() {
    CQfoSetDlg dlg(m_frame);
    dlg.DoModal();
}

void CQuillApp::OnQfoOpen() {
    CQfoPopupDlg dlg(m_frame);
    dlg.m_pos = QCursor::pos();
    dlg.DoModal();
    // Only the name and the Shift flag decide; Escape leaves the name empty.
    const std::optional<QString> path = QfoReadEntry(dlg.m_name);
    if (!path) {
        return;
    }
    if (!QfoFileExists(*path)) {
        msg::Confirm(m_frame, QString::fromUtf8(msg::kQfoFileNotFound));
    } else if (dlg.m_newInstance) {
        QfoLaunchProcess(*path);
    } else {
        OpenDocumentFile(*path);
    }
}

// Page setup on the printer that the view's printing and preview use.
void CQuillApp::OnFilePrintSetup() {
    if (m_view) {
        m_view->Printer().PageSetup(m_frame);
    }
}

void CQuillApp::OnFileNew() {
    if (m_doc->SaveModified()) {
        m_doc->OnNewDocument();
    }
}

void CQuillApp::OnFileOpen() {
    const QString path = CScriptFileDialog::GetOpenFileName(
        m_frame, {QString::fromUtf8(msg::kScriptFilter), QString::fromUtf8(msg::kAllFilesFilter)});
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

bool CQuillApp::OpenDocumentFile(const QString& path) {
    if (!m_doc->SaveModified()) {
        return false;
    }
    QString error;
    if (!m_doc->OnOpenDocument(path, &error)) {
        msg::Warning(m_frame, error);
        return false;
    }
    return true;
}
