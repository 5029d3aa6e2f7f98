#include "doc/CQuillDoc.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <new>
#include <utility>

#include "doc/CCommandSession.h"
#include "doc/CHspRunner.h"
#include "doc/CompileMessages.h"
#include "doc/HspCommand.h"
#include "doc/HspRunPlan.h"
#include "doc/LineEnds.h"
#include "res/CScriptFileDialog.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Messages.h"
#include "text/Cp932Codec.h"
#include "text/FileReader.h"
#include "view/CQuillView.h"

namespace {

// The line end that precedes a block, as the file had it. The block after a
// line end carries it: splitting a line leaves the first half's data where
// it was and gives the new line none, and joining two lines drops the data
// of the second, whose preceding line end is the one removed. A block
// without data (a line the user added) takes the file's most common end.
class LineEndData : public QTextBlockUserData {
public:
    explicit LineEndData(lineends::LineEnd end) : m_end(end) {}
    lineends::LineEnd End() const { return m_end; }

private:
    lineends::LineEnd m_end;
};

// Whether a new file can be made in `folder` (the kernel's answer, which
// also knows read-only mounts and folders that are immutable even to root).
bool FolderTakesNewFiles(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

// Writes `bytes` over the file at `path` in place, for a writable file in a
// folder where no temporary file can be made beside it. The old bytes are
// kept in memory until the new ones are written, and are put back if the
// write fails, so a failure leaves the file as it was whenever the disk
// lets that be written again.
bool WriteInPlace(const QString& path, const QByteArray& bytes) {
    const fileread::ReadResult old = fileread::ReadFile(path);
    if (!old.ok()) {
        return false;
    }
    QFile file(path);
    // Unbuffered, so that a failed write leaves nothing pending that would
    // stand in the way of writing the old bytes back.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return false;
    }
    const auto writeAll = [&file](const QByteArray& data) {
        file.unsetError();
        return file.seek(0) && file.write(data) == data.size() && file.resize(data.size());
    };
    if (writeAll(bytes)) {
        return true;
    }
    writeAll(old.bytes);
    return false;
}

}  // namespace

CQuillDoc::CQuillDoc(std::function<HspRunSettings()> runSettings, QObject* parent)
    : QObject(parent),
      m_runSettings(std::move(runSettings)),
      m_session(new CCommandSession(this)) {}

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
    {cmd::ID_HSP_STOP, &CQuillDoc::OnHspStop},
    {cmd::ID_CANCEL_EDIT_CNTR, &CQuillDoc::OnCancelCommand},
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
    m_lineEnd = lineends::kDefault;
    m_strPathName.clear();
    SetModifiedFlag(false);
    emit TitleChanged();
    return true;
}

bool CQuillDoc::OnOpenDocument(const QString& path, QString* error) {
    const fileread::ReadResult read = fileread::ReadFile(path);
    if (!read.ok()) {
        *error = msg::ReadError(read.status, path);
        return false;
    }
    try {
        SetFileText(cp932::Decode(read.bytes));
    } catch (const std::bad_alloc&) {
        *error = msg::ReadError(fileread::ReadStatus::OutOfMemory, path);
        return false;
    }
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetModifiedFlag(false);
    emit TitleChanged();
    emit PathOpenedOrSaved(m_strPathName);
    return true;
}

void CQuillDoc::SetFileText(const QString& fileText) {
    // Splits before touching the view, so that running out of memory leaves
    // the text as it was.
    const lineends::SplitText split = lineends::Split(fileText);
    m_lineEnd = split.common;
    m_view->setPlainText(split.text);
    QTextBlock block = m_view->document()->firstBlock().next();
    for (const lineends::LineEnd end : split.ends) {
        if (!block.isValid()) {
            break;
        }
        block.setUserData(new LineEndData(end));
        block = block.next();
    }
    m_view->RecolorAll();
}

void CQuillDoc::RestoreDocument(const QString& path, const QString& text) {
    m_strPathName = path;
    SetFileText(text);
    SetModifiedFlag(true);
    emit TitleChanged();
}

QString CQuillDoc::SaveText(std::vector<qsizetype>* lineStarts) const {
    // The raw text comes out in one copy, one character per document
    // position, lines apart by a paragraph separator; each line is taken from
    // it, which costs far less than asking every block for its text.
    const QTextDocument* document = m_view->document();
    const QString raw = document->toRawText();
    QString text;
    text.reserve(raw.size() + document->blockCount());
    bool first = true;
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        if (!std::exchange(first, false)) {
            const auto* data = static_cast<const LineEndData*>(block.userData());
            text += lineends::Text(data ? data->End() : m_lineEnd);
        }
        if (lineStarts) {
            lineStarts->push_back(text.size());
        }
        text += QStringView(raw).mid(block.position(), block.length() - 1);
    }
    return text;
}

cp932::EncodeResult CQuillDoc::EncodeSaveText(QStringView saveText) {
    return cp932::Encode(saveText);
}

bool CQuillDoc::Serialize(QByteArray* bytes, QString* error) const {
    // Where each line starts in the text, to name the line of a character
    // that cannot be saved.
    std::vector<qsizetype> lineStarts;
    const QString text = SaveText(&lineStarts);
    const cp932::EncodeResult result = EncodeSaveText(text);
    if (!result.ok()) {
        const auto line = std::upper_bound(lineStarts.begin(), lineStarts.end(), result.failedAt) -
                          lineStarts.begin();
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
    // QSaveFile writes a temporary file beside the target and renames it;
    // its own fallback would write in place without a way back, so it is
    // off, and a writable file in a folder that takes no new file is
    // written in place by WriteInPlace().
    file.setDirectWriteFallback(false);
    bool saved =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!saved) {
        file.cancelWriting();
        const QFileInfo target(path);
        saved = target.isFile() && target.isWritable() && !FolderTakesNewFiles(target.path()) &&
                WriteInPlace(path, bytes);
    }
    if (!saved) {
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
        msg::Warning(m_view ? m_view->window() : nullptr, error);
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
            emit ChangesDiscarded();
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
    if (!m_runSettings || !StopRunningFirst()) {
        return;
    }
    const HspRunSettings settings = m_runSettings();
    const HspRunPlan plan = MakeHspRunPlan(settings.hspdir, settings.exestat, settings.cmdline,
                                           m_strPathName, QDir::currentPath());
    const bool commands = !settings.compileCommand.isEmpty() && !QFileInfo::exists(plan.library);
    const std::optional<QString> message =
        commands ? RunCommands(plan, settings)
                 : CHspRunner::Run(plan, [this](QByteArray* bytes, QString* error) {
                       return Serialize(bytes, error);
                   });
    if (message) {
        msg::Warning(m_view ? m_view->window() : nullptr, *message);
        // A message that names a line of the script (a compile error, a
        // character that cannot be saved) takes the caret there.
        const QStringList names = ScriptNamesOf(plan.source, m_strPathName);
        if (const std::optional<int> line = FirstMessageScriptLine(*message, names)) {
            JumpToScriptLine(*line);
        }
    }
}

std::optional<QString> CQuillDoc::RunCommands(const HspRunPlan& plan,
                                              const HspRunSettings& settings) {
    if (std::optional<QString> error = CHspRunner::WriteSource(
            plan, [this](QByteArray* bytes, QString* error) { return Serialize(bytes, error); })) {
        return error;
    }
    // The script is read as Shift_JIS until UTF-8 scripts are known here.
    const bool scriptIsUtf8 = false;
    const HspCommandValues values = HspCommandValuesOf(plan, settings, m_strPathName, scriptIsUtf8);
    QStringList compile = ExpandHspCommand(settings.compileCommand, values);
    const QString compiler = FindProgram(compile.value(0), plan.workdir);
    if (compiler.isEmpty()) {
        const QString named = compile.value(0);
        return QString::fromUtf8(msg::kCompilerNotExecutable)
            .arg(named.contains(u'/') ? QDir(plan.workdir).absoluteFilePath(named) : named);
    }
    compile.first() = compiler;
    QStringList run = ExpandHspCommand(settings.runCommand, values);
    if (!run.isEmpty()) {
        // A runtime that cannot be found is reported when it fails to start.
        const QString runtime = FindProgram(run.first(), plan.workdir);
        if (!runtime.isEmpty()) {
            run.first() = runtime;
        }
    }
    emit CommandsStarting(ScriptNamesOf(plan.source, m_strPathName));
    m_session->Start(compile, run, plan.workdir);
    return std::nullopt;
}

bool CQuillDoc::StopRunningFirst() {
    if (m_session->CurrentStage() == CCommandSession::Stage::Idle) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(res::kAppTitle),
                    QString::fromUtf8(msg::kAskToStopProgram), QMessageBox::Yes | QMessageBox::No,
                    m_view ? m_view->window() : nullptr);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(msg::kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(msg::kNo));
    if (box.exec() != QMessageBox::Yes) {
        return false;
    }
    m_session->StopAndWait();
    return m_session->CurrentStage() == CCommandSession::Stage::Idle;
}

void CQuillDoc::OnHspStop() {
    m_session->Stop();
}

void CQuillDoc::OnCancelCommand() {
    if (m_session->CurrentStage() == CCommandSession::Stage::Compiling) {
        m_session->Stop();
    }
}

void CQuillDoc::JumpToScriptLine(int line) {
    if (!m_view) {
        return;
    }
    const QTextDocument* document = m_view->document();
    const QTextBlock block =
        document->findBlockByNumber(std::clamp(line, 1, document->blockCount()) - 1);
    m_view->JumpToPosition(block.position(), block.position() + block.length() - 1);
    m_view->setFocus();
}
