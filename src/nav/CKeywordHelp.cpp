#include "nav/CKeywordHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QUrl>

#include "edit/CEditControl.h"
#include "nav/CNavigator.h"
#include "res/FolderPrefix.h"
#include "res/Messages.h"
#include "script/KeywordScan.h"
#include "script/LineScanner.h"
#include "text/Cp932Codec.h"

CKeywordHelp::CKeywordHelp(CEditControl& ctrl, CNavigator& nav, std::function<QString()> helpDir)
    : m_ctrl(ctrl), m_nav(nav), m_helpDir(std::move(helpDir)) {}

QString CKeywordHelp::HelpDir() const {
    return m_helpDir ? FolderPrefix(m_helpDir()) : QString();
}

bool CKeywordHelp::OpenPage(const QString& path) {
    // A name that no file carries (a cut two-byte character included) is
    // simply a page that does not exist.
    const QFileInfo info(path);
    return info.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void CKeywordHelp::OnHelpKeyword() {
    const int end = m_ctrl.GetSel().end;
    const int line = m_ctrl.LineFromChar(end);
    const QByteArray bytes = m_ctrl.GetLine(line, linescan::kMaxLineBytes);
    const textenc::Encoding encoding = m_ctrl.GetEncoding();
    const linescan::WordRange word =
        linescan::WordAtColumn(bytes, m_ctrl.ByteFromPosition(end), encoding);

    if (!word.IsEmpty() && bytes.at(word.begin) == '*') {
        // A label reference: the name is the text after the "*".
        m_nav.GotoLabel(m_ctrl.TextOfBytes(line, word.begin + 1, word.end));
        return;
    }

    const QString dir = HelpDir();
    const QByteArrayView keyword = QByteArrayView(bytes).sliced(word.begin, word.end - word.begin);
    const QByteArray page = linescan::KeywordPageName(keyword);
    if (OpenPage(dir +
                 (textenc::IsUtf8(encoding) ? QString::fromUtf8(page) : cp932::Decode(page)))) {
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
    msg::Plain(m_ctrl.Widget(), QString::fromUtf8(msg::kHelpError));
}
