#include "doc/CQuillDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTextDocument>

#include "doc/CHspRunner.h"
#include "doc/HspRunPlan.h"
#include "res/CScriptFileDialog.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Messages.h"
#include "text/Cp932Codec.h"
#include "view/CQuillView.h"

namespace {

// The line end that the file's first line end uses; CR LF when it has none.
QByteArray DetectLineEnd(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            return "\n";
        }
        if (bytes[i] == '\r') {
            return (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? "\r\n" : "\r";
        }
    }
    return "\r\n";
}

}  // namespace

CQuillDoc::CQuillDoc(std::function<HspRunSettings()> runSettings, QObject* parent)
    : QObject(parent), m_runSettings(std::move(runSettings)) {}

CQuillDoc::~CQuillDoc() = default;

void CQuillDoc::SetView(CQuillView* view) {
    m_view = view;
    connect(view->document(), &QTextDocument::modificationChanged, this, &CQuillDoc::TitleChanged);
}

namespace {

// The commands this document serves.
constexpr CommandMapEntry<CQuillDoc> kMessageMap[] = {
    {cmd::ID_FILE_SAVE, &CQuillDoc::OnFileSave},
    {cmd::ID_FILE_SAVE_AS, &CQuillDoc::OnFileSaveAs},
    {cmd::ID_HSP_RUN, &CQuillDoc::OnHspRun},
};

}  // namespace

bool CQuillDoc::OnCommand(int id) {
    return RouteCommand(this, kMessageMap, id);
}

void CQuillDoc::OnFileSave() {
    DoFileSave();
}

void CQuillDoc::OnFileSaveAs() {
    DoSave(QString(), true);
}

bool CQuillDoc::OnNewDocument() {
    m_view->setPlainText(QString());
    m_lineEnd = "\r\n";
    m_strPathName.clear();
    SetModifiedFlag(false);
    emit TitleChanged();
    return true;
}

bool CQuillDoc::OnOpenDocument(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists()) {
        *error = QString::fromUtf8(msg::kFileNotFound).arg(path);
        return false;
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        *error = QString::fromUtf8(msg::kReadError).arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QString::fromUtf8(msg::kReadError).arg(path);
        return false;
    }
    m_lineEnd = DetectLineEnd(bytes);
    QString text = cp932::Decode(bytes);
    // The view holds one line per block: every line-end style becomes "\n".
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_view->setPlainText(text);
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetModifiedFlag(false);
    m_view->RecolorAll();
    emit TitleChanged();
    emit PathOpenedOrSaved(m_strPathName);
    return true;
}

bool CQuillDoc::Serialize(QByteArray* bytes, QString* error) const {
    QString text = m_view->document()->toRawText();
    const QString lineEnd = QString::fromLatin1(m_lineEnd);
    text.replace(QChar::ParagraphSeparator, lineEnd);
    const cp932::EncodeResult result = cp932::Encode(text);
    if (!result.ok()) {
        const int line = QStringView(text).left(result.failedAt).count(lineEnd) + 1;
        *error = QString::fromUtf8(msg::kUnencodable).arg(line);
        return false;
    }
    *bytes = result.bytes;
    return true;
}

bool CQuillDoc::OnSaveDocument(const QString& path, QString* error) {
    QByteArray bytes;
    if (!Serialize(&bytes, error)) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QString::fromUtf8(msg::kWriteError).arg(path);
        return false;
    }
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetModifiedFlag(false);
    emit TitleChanged();
    emit PathOpenedOrSaved(m_strPathName);
    return true;
}

bool CQuillDoc::DoFileSave() {
    return DoSave(m_strPathName, m_strPathName.isEmpty());
}

bool CQuillDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
    if (replace || target.isEmpty()) {
        CScriptFileDialog dialog(
            m_view ? m_view->window() : nullptr, CScriptFileDialog::Mode::Save,
            {QString::fromUtf8(msg::kScriptFilter), QString::fromUtf8(msg::kAllFilesFilter)});
        dialog.selectFile(m_strPathName.isEmpty() ? QStringLiteral("QUILL.as") : m_strPathName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        target = dialog.selectedFiles().first();
    }
    QString error;
    if (!OnSaveDocument(target, &error)) {
        msg::Warning(nullptr, error);
        return false;
    }
    return true;
}

bool CQuillDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle),
                    QString::fromUtf8(msg::kAskToSave).arg(GetTitle()),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    m_view ? m_view->window() : nullptr);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(msg::kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(msg::kNo));
    box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(msg::kCancel));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return DoFileSave();
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

bool CQuillDoc::IsModified() const {
    return m_view && m_view->document()->isModified();
}

void CQuillDoc::SetModifiedFlag(bool modified) {
    if (m_view) {
        m_view->document()->setModified(modified);
    }
}

QString CQuillDoc::GetTitle() const {
    return m_strPathName.isEmpty() ? QString::fromUtf8(msg::kUntitled)
                                   : QFileInfo(m_strPathName).fileName();
}

void CQuillDoc::OnHspRun() {
    // The settings as they are now; the text as it is now, saved or not. The
    // modified flag, path and title stay as they are.
    if (!m_runSettings) {
        return;
    }
    const HspRunSettings settings = m_runSettings();
    const HspRunPlan plan = MakeHspRunPlan(settings.hspdir, settings.exestat, settings.cmdline,
                                           m_strPathName, QDir::currentPath());
    const std::optional<QString> message = CHspRunner::Run(
        plan, [this](QByteArray* bytes, QString* error) { return Serialize(bytes, error); });
    if (message) {
        msg::Warning(m_view ? m_view->window() : nullptr, *message);
    }
}
