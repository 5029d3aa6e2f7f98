#include "NavTestSupport.h"

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
