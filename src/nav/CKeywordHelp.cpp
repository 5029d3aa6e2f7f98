#include "nav/CKeywordHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBlock>
#include <QUrl>

#include "app/CQuillApp.h"
#include "nav/KeywordScan.h"
#include "text/Cp932Codec.h"
#include "view/CQuillView.h"

namespace {

// How much of the caret's line the word scan reads.
constexpr int kLineReadBytes = 254;

}  // namespace

CKeywordHelp::CKeywordHelp(CQuillView* view) : m_view(view) {}

QString CKeywordHelp::HelpDir() {
    const CQuillApp* app = CQuillApp::Instance();
    return app ? app->m_hsphelp : QString();
}

bool CKeywordHelp::OpenPage(const QString& path) {
    // A name that no file carries (a cut two-byte character included) is
    // simply a page that does not exist.
    const QFileInfo info(path);
    return info.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void CKeywordHelp::OnHelpKeyword() {
    const CEditControl& ctrl = m_view->Ctrl();
    int start = 0;
    int end = 0;
    ctrl.GetSel(&start, &end);
    const int line = ctrl.LineFromChar(end);
    const QByteArray bytes = ctrl.GetLine(line, kLineReadBytes);
    const nav::WordRange word = nav::WordAtColumn(bytes, ctrl.ByteFromPosition(end));

    if (!word.IsEmpty() && bytes.at(word.begin) == '*') {
        // A label reference: the name is the text after the "*".
        const QTextBlock block = m_view->document()->findBlockByNumber(line);
        const int from = ctrl.PositionFromByte(line, word.begin + 1) - block.position();
        const int to = ctrl.PositionFromByte(line, word.end) - block.position();
        m_view->GotoLabel(block.text().mid(from, to - from));
        return;
    }

    const QString dir = HelpDir();
    const QByteArrayView keyword = QByteArrayView(bytes).sliced(word.begin, word.end - word.begin);
    if (OpenPage(dir + cp932::Decode(nav::KeywordPageName(keyword)))) {
        return;
    }
    if (OpenPage(dir + QStringLiteral("hsppidx.htm"))) {
        return;
    }
    ShowAccessError();
}

void CKeywordHelp::OnHelpGuide() {
    if (!OpenPage(HelpDir() + QStringLiteral("hspprog.htm"))) {
        ShowAccessError();
    }
}

void CKeywordHelp::ShowAccessError() const {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QUILL"),
                    QStringLiteral("ヘルプファイルにアクセスできません。"), QMessageBox::Ok,
                    m_view);
    box.exec();
}
