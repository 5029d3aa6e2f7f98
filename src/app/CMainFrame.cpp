#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>

#include "app/CLockKeyState.h"
#include "app/COutputPane.h"
#include "app/CQuillApp.h"
#include "app/RecentFiles.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"
#include "doc/CCommandSession.h"
#include "doc/CQuillDoc.h"
#include "doc/HspRunPlan.h"
#include "res/AppIcon.h"
#include "res/CMenuBuilder.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Messages.h"
#include "view/CLineNumberGutter.h"
#include "view/CQuillView.h"

namespace {

// Rectangle used when the settings hold none.
constexpr int kDefaultLeft = 0;
constexpr int kDefaultTop = 0;
constexpr int kDefaultRight = 400;
constexpr int kDefaultBottom = 300;

// The caret pane: its place (right after the message pane, the one
// non-permanent pane), the numbers its width is made for, and its padding.
constexpr int kCaretPaneIndex = 1;
constexpr int kWidestLine = 99999;
constexpr int kWidestColumn = 9999;
constexpr int kCaretPanePadding = 12;

// "ﾂｰﾙ ﾊﾞｰ(&T)" -> "ﾂｰﾙ ﾊﾞｰ": the caption of the floating tool bar.
QString WithoutMnemonic(QString label) {
    const qsizetype open = label.indexOf(QStringLiteral("(&"));
    return open < 0 ? label : label.left(open);
}

}  // namespace

CMainFrame::CMainFrame(CQuillDoc* doc, CKeywordTable words, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_view(new CQuillView(this, std::move(words), []() {
          const CQuillApp* app = CQuillApp::Instance();
          return app ? app->m_hsphelp : QString();
      })) {
    setCentralWidget(m_view);
    setWindowIcon(AppIcon());
    doc->SetView(m_view);
    connect(m_view, &CQuillView::commandChosen, this, &CMainFrame::DispatchCommand);
    connect(m_view, &CQuillView::fileDropped, this, [this](const QString& path) {
        if (CQuillApp* app = CQuillApp::Instance()) {
            activateWindow();
            app->OpenDocumentFile(path);
        }
    });
    connect(doc, &CQuillDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    // The title's marker follows the text's modified state, whatever
    // changes it: an edit, a save, a reload, an undo back to the saved text.
    connect(m_view->document(), &QTextDocument::modificationChanged, this,
            &QWidget::setWindowModified);
    connect(doc, &CQuillDoc::PathOpenedOrSaved, this, &CMainFrame::AddRecentFile);
}

CMainFrame::~CMainFrame() {
    // Closing the window hides the dock after the members are gone: its
    // check-mark update must not run then.
    if (m_outputDock) {
        m_outputDock->disconnect(this);
    }
}

void CMainFrame::OnCreate() {
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateOutputPane();
    UpdateRunOptionChecks();
    ShowLineNumbers(settings::ViewLineNumbers());
    RestorePlacement();
}

void CMainFrame::CreateActions() {
    m_actions = CMenuBuilder::CreateActions(this);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        // Every command's keys work anywhere in the window, also for
        // commands that have no menu item or button.
        addAction(it.value());
        connect(it.value(), &QAction::triggered, this, [this, id]() { DispatchCommand(id); });
    }
    // Undo and redo are grayed while there is nothing to undo or redo.
    const QTextDocument* text = m_view->document();
    QAction* undo = m_actions.value(cmd::ID_EDIT_UNDO);
    QAction* redo = m_actions.value(cmd::ID_EDIT_REDO);
    undo->setEnabled(text->isUndoAvailable());
    redo->setEnabled(text->isRedoAvailable());
    connect(text, &QTextDocument::undoAvailable, undo, &QAction::setEnabled);
    connect(text, &QTextDocument::redoAvailable, redo, &QAction::setEnabled);
}

void CMainFrame::CreateMenus() {
    CMenuBuilder::BuildMenuBar(menuBar(), m_actions);
    UpdateRecentFileMenu();
    UpdateTitle();
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(WithoutMnemonic(res::MenuLabel(cmd::ID_VIEW_TOOLBAR)), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    CMenuBuilder::BuildToolBar(m_wndToolBar, m_actions);
    // The tool bar docks on any side; it starts at the top.
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    SetCheck(cmd::ID_VIEW_TOOLBAR, true);
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(m_wndStatusBar);
    m_indicators = CMenuBuilder::BuildStatusBar(m_wndStatusBar);
    // The caret's line and column, between the message pane and the
    // indicators; wide enough for large scripts so that it never jumps.
    m_caretPane = new QLabel(m_wndStatusBar);
    m_caretPane->setObjectName(QStringLiteral("caretPane"));
    m_caretPane->setAlignment(Qt::AlignCenter);
    m_caretPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_caretPane->setMinimumWidth(
        m_caretPane->fontMetrics().horizontalAdvance(CaretPaneText(kWidestLine, kWidestColumn)) +
        kCaretPanePadding);
    m_wndStatusBar->insertPermanentWidget(kCaretPaneIndex, m_caretPane);
    connect(m_doc, &CQuillDoc::StatusMessage, m_wndStatusBar,
            [this](const QString& text) { m_wndStatusBar->showMessage(text); });
    // What it said of the file on disk is over once the file is opened or saved.
    connect(m_doc, &CQuillDoc::PathOpenedOrSaved, m_wndStatusBar, &QStatusBar::clearMessage);
    connect(m_view, &QPlainTextEdit::cursorPositionChanged, this, &CMainFrame::UpdateCaretPane);
    UpdateCaretPane();
    m_encodingPane = new QLabel(m_wndStatusBar);
    m_encodingPane->setObjectName(QStringLiteral("encodingPane"));
    m_encodingPane->setAlignment(Qt::AlignCenter);
    m_encodingPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_encodingPane->setMinimumWidth(m_encodingPane->fontMetrics().horizontalAdvance(
                                        EncodingPaneText(textenc::Encoding::Utf8Bom)) +
                                    kCaretPanePadding);
    m_wndStatusBar->insertPermanentWidget(kCaretPaneIndex + 1, m_encodingPane);
    connect(m_doc, &CQuillDoc::EncodingChanged, this, &CMainFrame::UpdateEncoding);
    UpdateEncoding();
    if (CLockKeyState::Available()) {
        // Lock keys change with key presses; other windows' presses are
        // caught up with when the window is activated again.
        qApp->installEventFilter(this);
        UpdateIndicators();
    }
    SetCheck(cmd::ID_VIEW_STATUS_BAR, true);
}

void CMainFrame::CreateOutputPane() {
    m_outputPane = new COutputPane(this);
    m_outputDock = new QDockWidget(QString::fromUtf8(msg::kPaneTitle), this);
    m_outputDock->setObjectName(QStringLiteral("outputDock"));
    m_outputDock->setWidget(m_outputPane);
    m_outputDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::BottomDockWidgetArea, m_outputDock);
    // Hidden until F5 first runs commands, unless it was shown at the last exit.
    m_outputDock->setVisible(settings::ViewOutputPane());
    SetCheck(cmd::ID_VIEW_OUTPUT, !m_outputDock->isHidden());
    connect(m_outputDock, &QDockWidget::visibilityChanged, this,
            [this]() { SetCheck(cmd::ID_VIEW_OUTPUT, !m_outputDock->isHidden()); });

    const CCommandSession* session = m_doc->CommandSession();
    connect(m_doc, &CQuillDoc::CommandsStarting, this, [this](const QStringList& names) {
        m_outputPane->Begin(names);
        m_outputDock->show();
    });
    connect(session, &CCommandSession::Note, m_outputPane, &COutputPane::AppendNote);
    connect(session, &CCommandSession::Output, m_outputPane, &COutputPane::AppendOutput);
    connect(session, &CCommandSession::StageChanged, m_outputPane,
            [this](CCommandSession::Stage stage) {
                const char* what = stage == CCommandSession::Stage::Compiling ? msg::kPaneCompiling
                                   : stage == CCommandSession::Stage::Running ? msg::kPaneRunning
                                                                              : "";
                m_outputPane->SetRunning(QString::fromUtf8(what));
            });
    connect(session, &CCommandSession::CompileFailed, m_outputPane, &COutputPane::ChooseFirst);
    connect(m_outputPane, &COutputPane::LineChosen, m_doc, &CQuillDoc::JumpToScriptLine);
    connect(m_outputPane, &COutputPane::StopRequested, this,
            [this]() { DispatchCommand(cmd::ID_HSP_STOP); });
}

void CMainFrame::UpdateRunOptionChecks() {
    // The run options' check marks mirror m_exestat.
    if (CQuillApp* app = CQuillApp::Instance()) {
        SetCheck(cmd::ID_HSP_FULLSCREEN, (app->m_exestat & kExeStatFullScreen) != 0);
        SetCheck(cmd::ID_HSP_DEBUGWIN, (app->m_exestat & kExeStatDebugWindow) != 0);
    }
}

void CMainFrame::RestorePlacement() {
    // The rectangle of the last exit, unless the window was maximized then.
    if (settings::GetInt(settings::kMode, settings::kModeNormal) == settings::kModeNormal) {
        const placement::StoredRect stored{settings::GetInt(settings::kLeft, kDefaultLeft),
                                           settings::GetInt(settings::kTop, kDefaultTop),
                                           settings::GetInt(settings::kRight, kDefaultRight),
                                           settings::GetInt(settings::kBottom, kDefaultBottom)};
        QList<QRect> areas;
        for (const QScreen* screen : QGuiApplication::screens()) {
            areas << screen->availableGeometry();
        }
        const QRect rect = placement::FitOnScreens(stored, areas);
        move(rect.topLeft());
        resize(rect.size());
    }
}

namespace {

// The commands this frame serves (the recent files besides).
constexpr CommandMapEntry<CMainFrame> kMessageMap[] = {
    {cmd::ID_HSP_FULLSCREEN, &CMainFrame::OnHspFullscreen},
    {cmd::ID_HSP_DEBUGWIN, &CMainFrame::OnHspDebugwin},
    {cmd::ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolbar},
    {cmd::ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar},
    {cmd::ID_VIEW_OUTPUT, &CMainFrame::OnViewOutput},
    {cmd::ID_NEXT_MESSAGE, &CMainFrame::OnNextMessage},
    {cmd::ID_PREV_MESSAGE, &CMainFrame::OnPrevMessage},
    {cmd::ID_NEXT_PANE, &CMainFrame::OnSwitchPane},
    {cmd::ID_PREV_PANE, &CMainFrame::OnSwitchPane},
    {cmd::ID_VIEW_LINE_NUMBERS, &CMainFrame::OnViewLineNumbers},
    {cmd::ID_APP_EXIT, &CMainFrame::OnAppExit},
};

}  // namespace

bool CMainFrame::OnCommand(int id) {
    if (id >= cmd::ID_FILE_MRU_FILE1 && id <= cmd::ID_FILE_MRU_FILE4) {
        OnOpenRecentFile(id - cmd::ID_FILE_MRU_FILE1);
        return true;
    }
    return RouteCommand(this, kMessageMap, id);
}

void CMainFrame::OnAppExit() {
    close();
}

void CMainFrame::DispatchCommand(int id) {
    if (m_commandHook && m_commandHook(id)) {
        return;
    }
    if (m_view->OnCommand(id) || m_doc->OnCommand(id) || OnCommand(id)) {
        return;
    }
    if (CQuillApp* app = CQuillApp::Instance()) {
        app->OnCommand(id);
    }
}

void CMainFrame::OnHspFullscreen() {
    ToggleExeStat(kExeStatFullScreen, cmd::ID_HSP_FULLSCREEN);
}

void CMainFrame::OnHspDebugwin() {
    ToggleExeStat(kExeStatDebugWindow, cmd::ID_HSP_DEBUGWIN);
}

void CMainFrame::ToggleExeStat(int bit, int id) {
    CQuillApp* app = CQuillApp::Instance();
    if (!app) {
        return;
    }
    const int value = app->m_exestat ^ bit;
    SetCheck(id, (value & bit) != 0);
    app->m_exestat = value;
    settings::WriteInt(settings::kExeStat, value);
}

void CMainFrame::OnViewToolbar() {
    m_wndToolBar->setVisible(m_wndToolBar->isHidden());
    SetCheck(cmd::ID_VIEW_TOOLBAR, !m_wndToolBar->isHidden());
}

void CMainFrame::OnViewStatusBar() {
    m_wndStatusBar->setVisible(m_wndStatusBar->isHidden());
    SetCheck(cmd::ID_VIEW_STATUS_BAR, !m_wndStatusBar->isHidden());
}

void CMainFrame::OnViewOutput() {
    m_outputDock->setVisible(m_outputDock->isHidden());
    SetCheck(cmd::ID_VIEW_OUTPUT, !m_outputDock->isHidden());
}

void CMainFrame::OnNextMessage() {
    if (!m_outputPane->ChooseNext()) {
        QApplication::beep();
    }
}

void CMainFrame::OnPrevMessage() {
    if (!m_outputPane->ChoosePrevious()) {
        QApplication::beep();
    }
}

void CMainFrame::OnSwitchPane() {
    // With two panes, next and previous are the same one.
    if (!m_outputDock->isHidden() && !m_outputPane->Text()->hasFocus()) {
        m_outputPane->Text()->setFocus();
    } else {
        m_view->setFocus();
    }
}

void CMainFrame::OnViewLineNumbers() {
    const bool shown = !m_view->LineNumbers().IsShown();
    ShowLineNumbers(shown);
    settings::WriteViewLineNumbers(shown);
}

void CMainFrame::ShowLineNumbers(bool shown) {
    m_view->LineNumbers().SetShown(shown);
    SetCheck(cmd::ID_VIEW_LINE_NUMBERS, shown);
}

void CMainFrame::SetCheck(int id, bool checked) {
    if (QAction* action = m_actions.value(id)) {
        action->setChecked(checked);
    }
}

void CMainFrame::OnDestroy() {
    settings::WriteViewOutputPane(!m_outputDock->isHidden());
    const Qt::WindowStates state = windowState();
    if ((state & Qt::WindowMaximized) && !(state & Qt::WindowMinimized)) {
        settings::WriteInt(settings::kMode, settings::kModeMaximized);
        return;
    }
    // The rectangle the window has (or would be restored to): the frame's
    // top-left corner, as move() takes it, and the size as resize() takes
    // it, so that the next start puts the window back exactly.
    QRect normal = geometry();
    QPoint topLeft = pos();
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        normal = normalGeometry();
        topLeft = normal.topLeft() - (geometry().topLeft() - pos());
    }
    settings::WriteInt(settings::kMode, settings::kModeNormal);
    settings::WriteInt(settings::kLeft, topLeft.x());
    settings::WriteInt(settings::kTop, topLeft.y());
    settings::WriteInt(settings::kRight, topLeft.x() + normal.width());
    settings::WriteInt(settings::kBottom, topLeft.y() + normal.height());
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_doc->GetTitle() + QStringLiteral("[*] - ") +
                   QString::fromUtf8(res::kAppTitle));
    setWindowModified(m_doc->IsModified());
}

void CMainFrame::UpdateIndicators() {
    const CLockKeyState::Locks locks = CLockKeyState::Read();
    for (QLabel* pane : m_indicators) {
        bool on = false;
        switch (pane->property("paneId").toInt()) {
            case cmd::ID_INDICATOR_KANA:
                on = locks.kana;
                break;
            case cmd::ID_INDICATOR_CAPS:
                on = locks.caps;
                break;
            case cmd::ID_INDICATOR_NUM:
                on = locks.num;
                break;
            case cmd::ID_INDICATOR_SCRL:
                on = locks.scroll;
                break;
            default:
                break;
        }
        CMenuBuilder::SetIndicator(pane, on);
    }
}

QString CMainFrame::CaretPaneText(int line, int column) {
    return QStringLiteral("%1 行, %2 桁").arg(line).arg(column);
}

QString CMainFrame::EncodingPaneText(textenc::Encoding encoding) {
    switch (encoding) {
        case textenc::Encoding::Utf8:
            return QStringLiteral("UTF-8");
        case textenc::Encoding::Utf8Bom:
            return QStringLiteral("UTF-8 BOM");
        case textenc::Encoding::ShiftJis:
            break;
    }
    return QStringLiteral("Shift_JIS");
}

void CMainFrame::UpdateEncoding() {
    const textenc::Encoding encoding = m_doc->GetEncoding();
    m_encodingPane->setText(EncodingPaneText(encoding));
    SetCheck(cmd::ID_FILE_ENCODING_SJIS, encoding == textenc::Encoding::ShiftJis);
    SetCheck(cmd::ID_FILE_ENCODING_UTF8, encoding == textenc::Encoding::Utf8);
    SetCheck(cmd::ID_FILE_ENCODING_UTF8_BOM, encoding == textenc::Encoding::Utf8Bom);
}

void CMainFrame::UpdateCaretPane() {
    const QTextCursor caret = m_view->textCursor();
    m_caretPane->setText(CaretPaneText(caret.blockNumber() + 1, caret.positionInBlock() + 1));
}

void CMainFrame::AddRecentFile(const QString& path) {
    settings::WriteRecentFiles(
        recent::Add(settings::RecentFiles(), path, settings::kRecentFileCount));
    UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu() {
    const QStringList files = settings::RecentFiles();
    QStringList texts;
    for (int i = 0; i < files.size() && i < settings::kRecentFileCount; ++i) {
        texts.append(recent::MenuText(i, files.at(i)));
    }
    CMenuBuilder::SetRecentFileItems(m_actions, texts);
}

void CMainFrame::OnOpenRecentFile(int index) {
    const QStringList files = settings::RecentFiles();
    CQuillApp* app = CQuillApp::Instance();
    if (index < 0 || index >= files.size() || !app) {
        return;
    }
    const QString path = files.at(index);
    // A file that is gone leaves the list (its failure has been reported);
    // a cancelled save prompt keeps it.
    if (!app->OpenDocumentFile(path) && !QFileInfo::exists(path)) {
        settings::WriteRecentFiles(recent::Remove(settings::RecentFiles(), index));
        UpdateRecentFileMenu();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    OnDestroy();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !m_indicators.isEmpty() &&
        CLockKeyState::Available()) {
        UpdateIndicators();
    }
    QMainWindow::changeEvent(event);
    // Back from another program: the script may have been changed there.
    // Looked at once the activation is over, so that a question it asks
    // does not open inside the window system's activation.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QMetaObject::invokeMethod(
            this,
            [this]() {
                if (isActiveWindow() && !QApplication::activeModalWidget()) {
                    m_doc->CheckDisk();
                }
            },
            Qt::QueuedConnection);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched == QApplication::focusWidget()) {
        UpdateIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}
