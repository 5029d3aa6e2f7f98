#include "app/CMainFrame.h"

#include <QCloseEvent>

#include "app/CQuillApp.h"
#include "doc/CQuillDoc.h"
#include "view/CQuillView.h"

CMainFrame::CMainFrame(CQuillDoc* doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_view(new CQuillView(this)) {
    setCentralWidget(m_view);
    m_view->SetDocument(doc);
    doc->SetView(m_view);
    connect(doc, &CQuillDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCreate() {
    UpdateTitle();
    return true;
}

bool CMainFrame::OnCommand(int id) {
    (void)id;
    return false;
}

void CMainFrame::DispatchCommand(int id) {
    if (m_view->OnCommand(id) || m_doc->OnCommand(id) || OnCommand(id)) {
        return;
    }
    if (CQuillApp* app = CQuillApp::Instance()) {
        app->OnCommand(id);
    }
}

void CMainFrame::OnHspFullscreen() {}
void CMainFrame::OnHspDebugwin() {}
void CMainFrame::OnDestroy() {}

void CMainFrame::UpdateTitle() { setWindowTitle(m_doc->GetTitle() + " - QUILL"); }

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    OnDestroy();
    event->accept();
}
