#include "support/AppFixture.h"

#include <QFile>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "doc/CQuillDoc.h"
#include "res/ExePath.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

void AppFixture::SetUp() {
    testutil::ClearSettings();
    SetExecutablePathForTesting(m_exeDir.filePath("quill"));
    QFile::copy(testutil::SourceDir() + "/src/res/QUILL.DAT", m_exeDir.filePath("QUILL.DAT"));
}

void AppFixture::TearDown() {
    if (m_app && m_app->Document()) {
        m_app->Document()->SetModifiedFlag(false);
    }
    m_app.reset();
    SetExecutablePathForTesting(QString());
    testutil::ClearSettings();
}

void AppFixture::SetQuillDat(const QByteArray& bytes) {
    testutil::WriteFile(m_exeDir, "QUILL.DAT", bytes);
}

bool AppFixture::Start(const QStringList& args, bool show) {
    m_app = std::make_unique<CQuillApp>();
    const bool ok = m_app->InitInstance(args, false);
    if (ok && show && Frame()) {
        Frame()->show();
    }
    return ok;
}

void AppFixture::Dispatch(int id) {
    Frame()->DispatchCommand(id);
}

void AppFixture::SetText(const QString& text) {
    View()->setPlainText(text);
    Doc()->SetModifiedFlag(false);
}

QString AppFixture::Sel() const {
    return testutil::SelOf(View()->Ctrl());
}

void AppFixture::Select(int start, int end) {
    View()->Ctrl().SetSel(start, end);
}

CMainFrame* AppFixture::Frame() const {
    return m_app ? m_app->MainFrame() : nullptr;
}
CQuillDoc* AppFixture::Doc() const {
    return m_app ? m_app->Document() : nullptr;
}
CQuillView* AppFixture::View() const {
    return m_app ? m_app->View() : nullptr;
}
