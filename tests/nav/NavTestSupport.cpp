#include "NavTestSupport.h"

#include <QScrollBar>
#include <QTextBlock>

#include "app/CMainFrame.h"
#include "doc/CQuillDoc.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

void NavFixture::SetUp() {
    AppFixture::SetUp();
    SetQuillDat(WordList());
    ASSERT_TRUE(Start());
    Frame()->resize(640, 480);
}

void NavFixture::TearDown() {
    *m_alive = false;
    AppFixture::TearDown();
}

void NavFixture::OnModal(std::function<void(QWidget*)> act) {
    std::shared_ptr<bool> alive = m_alive;
    testutil::WhenModal([alive, act](QWidget* w) {
        if (*alive) {
            act(w);
        }
    });
}

void NavFixture::SetText(const QString& text) {
    View()->setPlainText(text);
    Doc()->SetModifiedFlag(false);
}

void NavFixture::Command(int id) {
    Frame()->DispatchCommand(id);
}

QString NavFixture::Sel() const {
    const auto [start, end] = View()->Ctrl().GetSel();
    return QString("%1,%2").arg(start).arg(end);
}

void NavFixture::Select(int start, int end) {
    View()->Ctrl().SetSel(start, end);
}

int NavFixture::TopLine() const {
    return View()->verticalScrollBar()->value();
}

int NavFixture::LineStart(int line) const {
    return View()->Ctrl().LineIndex(line);
}

QString NumberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines << QString("line %1").arg(i);
    }
    return lines.join('\n');
}
