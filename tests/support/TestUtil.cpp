#include "support/TestUtil.h"

#include "script/CKeywordTable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QSettings>
#include <QTextBlock>
#include <QTimer>
#include <QWidget>

#include "edit/CEditControl.h"
#include "res/ExePath.h"
#include "view/CColorMap.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"

namespace testutil {

void WhenModal(std::function<void(QWidget*)> act, int timeoutMs) {
    // A dialog is acted on once its window is active, so that focus checks
    // see what the user would; a window that never becomes active is acted
    // on after a while all the same.
    constexpr int kActivationWaitMs = 1000;
    auto timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    auto seen = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, seen, act, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !seen->isValid()) {
            seen->start();
        }
        if (modal && (modal->isActiveWindow() || seen->elapsed() > kActivationWaitMs)) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ClearSettings() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "Blue Moss!", "QUILL");
    s.clear();
    s.sync();
}

QString SettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Blue Moss!", "QUILL").fileName();
}

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name)) {
    qputenv(name, QFile::encodeName(value));
}

ScopedEnv::~ScopedEnv() {
    if (m_wasSet) {
        qputenv(m_name, m_old);
    } else {
        qunsetenv(m_name);
    }
}

QString SourceDir() {
    return QStringLiteral(QUILL_SOURCE_DIR);
}

std::unique_ptr<CQuillView> MakeView(const QByteArray& words) {
    return std::make_unique<CQuillView>(nullptr, CKeywordTable::Parse(words));
}

namespace {
QString RecordsOfBlock(CQuillView& view, const QTextBlock& block) {
    QString out;
    for (int i = 0; i < block.length() - 1; ++i) {
        const int record = view.Colorer().Colors().RecordAt(block.position() + i);
        out += record == CColorMap::kUnset ? u'-' : QChar(u'0' + record);
    }
    return out;
}
}  // namespace

QString RecordsOfLine(CQuillView& view, int line) {
    return RecordsOfBlock(view, view.document()->findBlockByNumber(line));
}

QString RecordsOfText(CQuillView& view) {
    QString out;
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next()) {
        const int end = view.Colorer().Colors().RecordAt(b.position() + b.length() - 1);
        out += RecordsOfBlock(view, b) + QString::number(end) + u'\n';
    }
    return out;
}

QString SelOf(const CEditControl& ctrl) {
    const auto [start, end] = ctrl.GetSel();
    return QString("%1,%2").arg(start).arg(end);
}

void Commit(QWidget* w, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& is) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        count += int(std::count_if(row, row + rgb.width(), is));
    }
    return count;
}

bool ShowsColor(const QImage& image, const QColor& color, int paper) {
    // At a smoothed edge the pixel's distance from the paper, per channel,
    // is in proportion to the color's.
    const int r = color.red(), g = color.green(), b = color.blue();
    auto shows = [&](QRgb p) {
        const int bg = paper;
        const int wr = std::abs(r - bg), wg = std::abs(g - bg), wb = std::abs(b - bg);
        const int top = std::max({wr, wg, wb});
        const int gr = std::abs(qRed(p) - bg), gg = std::abs(qGreen(p) - bg),
                  gb = std::abs(qBlue(p) - bg);
        const int peak = std::max({gr, gg, gb});
        auto near = [&](int got, int want) {
            return std::abs(got * top - want * peak) <= 24 * top;
        };
        return top > 0 && 2 * peak >= top && near(gr, wr) && near(gg, wg) && near(gb, wb);
    };
    return CountPixels(image, shows) > 0;
}

}  // namespace testutil
