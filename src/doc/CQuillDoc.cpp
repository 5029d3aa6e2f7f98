#include "doc/CQuillDoc.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <new>
#include <utility>

#include "doc/CCommandSession.h"
#include "doc/CDiskWatcher.h"
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
#include "text/TextEncoding.h"
#include "view/CLineTags.h"
#include "view/CQuillView.h"

using namespace Qt::StringLiterals;

namespace {

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
      m_session(new CCommandSession(this)),
      m_watcher(new CDiskWatcher(this)) {
    // Changes noticed while the editor is in the background wait for the
    // window's activation; so do those noticed while a dialog is open.
    connect(m_watcher, &CDiskWatcher::Noticed, this, [this]() {
        if (m_checking) {
            m_recheck = true;
        } else if (m_view && m_view->window()->isActiveWindow() &&
                   !QApplication::activeModalWidget()) {
            CheckDisk();
        }
    });
}

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
    {cmd::ID_FILE_RELOAD, &CQuillDoc::OnFileReload},
    {cmd::ID_HSP_RUN, &CQuillDoc::OnHspRun},
    {cmd::ID_FILE_ENCODING_SJIS, &CQuillDoc::OnEncodingShiftJis},
    {cmd::ID_FILE_ENCODING_UTF8, &CQuillDoc::OnEncodingUtf8},
    {cmd::ID_FILE_ENCODING_UTF8_BOM, &CQuillDoc::OnEncodingUtf8Bom},
    {cmd::ID_FILE_REOPEN_ENCODING, &CQuillDoc::OnReopenWithEncoding},
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
    m_encoding = textenc::Encoding::ShiftJis;
    m_view->SetEncoding(m_encoding);
    emit EncodingChanged();
    m_strPathName.clear();
    m_disk.Clear();
    m_watcher->Watch(QString());
    SetModifiedFlag(false);
    emit TitleChanged();
    return true;
}

bool CQuillDoc::OnOpenDocument(const QString& path, QString* error) {
    if (!ReadScript(path, std::nullopt, error)) {
        return false;
    }
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetModifiedFlag(false);
    emit TitleChanged();
    emit PathOpenedOrSaved(m_strPathName);
    return true;
}

bool CQuillDoc::ReadScript(const QString& path, std::optional<textenc::Encoding> encoding,
                           QString* error) {
    // The stamp before the bytes: a change in between is seen next time.
    const FileStamp stamp = FileStamp::Of(path);
    const fileread::ReadResult read = fileread::ReadFile(path);
    if (!read.ok()) {
        *error = msg::ReadError(read.status, path);
        return false;
    }
    try {
        const textenc::Encoding chosen = encoding ? *encoding : textenc::Detect(read.bytes);
        const std::optional<QString> text = textenc::Decode(read.bytes, chosen);
        if (!text) {
            *error = QString::fromUtf8(msg::kNotUtf8).arg(path);
            return false;
        }
        SetFileText(*text, chosen);
    } catch (const std::bad_alloc&) {
        *error = msg::ReadError(fileread::ReadStatus::OutOfMemory, path);
        return false;
    }
    KnowFile(QFileInfo(path).absoluteFilePath(), read.bytes, stamp);
    return true;
}

void CQuillDoc::KnowFile(const QString& path, const QByteArray& bytes, const FileStamp& stamp) {
    m_disk.SetKnown(path, bytes, stamp);
    m_watcher->Watch(path);
}

void CQuillDoc::SetFileText(const QString& fileText, textenc::Encoding encoding) {
    // Splits before touching the view, so that running out of memory leaves
    // the text as it was.
    const lineends::SplitText split = lineends::Split(fileText);
    m_lineEnd = split.common;
    m_encoding = encoding;
    m_view->Ctrl().SetEncoding(encoding);
    m_view->setPlainText(split.text);
    QTextBlock block = m_view->document()->firstBlock().next();
    for (const lineends::LineEnd end : split.ends) {
        if (!block.isValid()) {
            break;
        }
        // The line end that precedes a line is kept with the line, so an
        // edit moves it along and undo gives it back. A line the user made
        // has none and takes the file's most common end.
        CLineTags::Set(block, int(end));
        block = block.next();
    }
    m_view->RecolorAll();
    emit EncodingChanged();
}

void CQuillDoc::SetEncoding(textenc::Encoding encoding) {
    if (encoding == m_encoding) {
        return;
    }
    m_encoding = encoding;
    m_view->SetEncoding(encoding);
    SetModifiedFlag(true);
    emit EncodingChanged();
}

void CQuillDoc::OnEncodingShiftJis() {
    SetEncoding(textenc::Encoding::ShiftJis);
}

void CQuillDoc::OnEncodingUtf8() {
    SetEncoding(textenc::Encoding::Utf8);
}

void CQuillDoc::OnEncodingUtf8Bom() {
    SetEncoding(textenc::Encoding::Utf8Bom);
}

bool CQuillDoc::ReopenWithEncoding(textenc::Encoding encoding) {
    if (m_strPathName.isEmpty() || !SaveModified()) {
        return false;
    }
    QString error;
    if (!ReadScript(m_strPathName, encoding, &error)) {
        // The text stays as it is, changes and all.
        msg::Warning(m_view ? m_view->window() : nullptr, error);
        return false;
    }
    SetModifiedFlag(false);
    emit TitleChanged();
    return true;
}

void CQuillDoc::OnReopenWithEncoding() {
    if (m_strPathName.isEmpty()) {
        return;
    }
    // The encodings as the menu names them, the script's own first chosen.
    constexpr int kChoices[] = {cmd::ID_FILE_ENCODING_SJIS, cmd::ID_FILE_ENCODING_UTF8,
                                cmd::ID_FILE_ENCODING_UTF8_BOM};
    QStringList names;
    for (const int id : kChoices) {
        names << res::MenuLabel(id).remove(QLatin1Char('&'));
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        m_view ? m_view->window() : nullptr,
        res::MenuLabel(cmd::ID_FILE_REOPEN_ENCODING).section(u"(&"_s, 0, 0),
        QString::fromUtf8(msg::kEncodingPrompt), names, int(m_encoding), false, &ok);
    if (ok && names.contains(chosen)) {
        ReopenWithEncoding(textenc::Encoding(names.indexOf(chosen)));
    }
}

void CQuillDoc::RestoreDocument(const QString& path, const QString& text,
                                textenc::Encoding encoding, const KnownContent& disk) {
    m_strPathName = path;
    SetFileText(text, encoding);
    if (disk.IsSet()) {
        m_disk.SetKnown(path, disk);
        m_watcher->Watch(path);
    } else {
        const FileStamp stamp = FileStamp::Of(path);
        const fileread::ReadResult read = fileread::ReadFile(path);
        KnowFile(path, read.bytes, read.ok() ? stamp : FileStamp{});
    }
    // The start-up question has told of a change after the copy: only a
    // save asks about it again.
    m_disk.Told(m_disk.LookAtDisk());
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
            const int end = CLineTags::Get(block);
            text += lineends::Text(end == CLineTags::kNone ? m_lineEnd
                                                           : static_cast<lineends::LineEnd>(end));
        }
        if (lineStarts) {
            lineStarts->push_back(text.size());
        }
        text += QStringView(raw).mid(block.position(), block.length() - 1);
    }
    return text;
}

cp932::EncodeResult CQuillDoc::EncodeSaveText(QStringView saveText, textenc::Encoding encoding) {
    return textenc::Encode(saveText, encoding);
}

bool CQuillDoc::Serialize(QByteArray* bytes, QString* error) const {
    // Where each line starts in the text, to name the line of a character
    // that cannot be saved.
    std::vector<qsizetype> lineStarts;
    const QString text = SaveText(&lineStarts);
    const cp932::EncodeResult result = EncodeSaveText(text, m_encoding);
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
    KnowFile(m_strPathName, bytes, FileStamp::Of(m_strPathName));
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
            Window(), CScriptFileDialog::Mode::Save,
            {QString::fromUtf8(msg::kScriptFilter), QString::fromUtf8(msg::kAllFilesFilter)});
        dialog.selectFile(m_strPathName.isEmpty() ? QStringLiteral("QUILL.as") : m_strPathName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        target = dialog.selectedFiles().first();
    } else if (target == m_strPathName && m_disk.DiskDiffersFromKnown() &&
               !msg::Ask(Window(), QString::fromUtf8(msg::kAskOverwrite).arg(GetTitle()),
                         msg::kOverwrite, msg::kCancel)) {
        return false;
    }
    QString error;
    if (!OnSaveDocument(target, &error)) {
        msg::Warning(Window(), error);
        return false;
    }
    return true;
}

bool CQuillDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    switch (msg::AskToSave(m_view ? m_view->window() : nullptr, GetTitle())) {
        case msg::SaveAnswer::Save:
            return DoFileSave();
        case msg::SaveAnswer::Discard:
            emit ChangesDiscarded();
            return true;
        case msg::SaveAnswer::Cancel:
            break;
    }
    return false;
}

QWidget* CQuillDoc::Window() const {
    return m_view ? m_view->window() : nullptr;
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
        msg::Warning(Window(), *message);
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
    const HspCommandValues values =
        HspCommandValuesOf(plan, settings, m_strPathName, textenc::IsUtf8(m_encoding));
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

void CQuillDoc::CheckDisk() {
    if (m_checking) {
        m_recheck = true;
        return;
    }
    m_checking = true;
    // Edits kept over a change also stand over the changes that came while
    // the question was open: one question for a burst of writes.
    bool kept = false;
    do {
        m_recheck = false;
        const DiskChanges::Look look = m_disk.LookAtDisk();
        switch (look.state) {
            case DiskChanges::State::Unchanged:
                break;
            case DiskChanges::State::Gone:
                // The text is all that is left of the script: closing asks
                // to save it, and a save writes the file again.
                m_disk.Told(look);
                SetModifiedFlag(true);
                emit StatusMessage(QString::fromUtf8(msg::kFileGone).arg(GetTitle()));
                break;
            case DiskChanges::State::Unreadable:
                m_disk.Told(look);
                emit StatusMessage(msg::ReadError(look.status, m_strPathName));
                break;
            case DiskChanges::State::Changed:
                m_disk.Told(look);
                if (IsModified() &&
                    (kept ||
                     !msg::Ask(Window(), QString::fromUtf8(msg::kChangedOnDisk).arg(GetTitle()),
                               msg::kReload, msg::kKeepEditing) ||
                     !KeepEdits())) {
                    kept = true;
                    break;
                }
                if (Reload(look.bytes, look.stamp)) {
                    emit StatusMessage(QString::fromUtf8(msg::kReloaded).arg(GetTitle()));
                }
                break;
        }
    } while (m_recheck);
    m_checking = false;
}

void CQuillDoc::OnFileReload() {
    if (m_strPathName.isEmpty() || m_checking) {
        return;
    }
    if (IsModified() && (!msg::Ask(Window(), QString::fromUtf8(msg::kAskReload).arg(GetTitle()),
                                   msg::kReload, msg::kKeepEditing) ||
                         !KeepEdits())) {
        return;
    }
    const FileStamp stamp = FileStamp::Of(m_strPathName);
    const fileread::ReadResult read = fileread::ReadFile(m_strPathName);
    if (!read.ok()) {
        msg::Warning(Window(), msg::ReadError(read.status, m_strPathName));
        return;
    }
    if (Reload(read.bytes, stamp)) {
        emit StatusMessage(QString::fromUtf8(msg::kReloaded).arg(GetTitle()));
    }
}

bool CQuillDoc::KeepEdits() {
    if (!m_keepEdits || m_keepEdits()) {
        return true;
    }
    msg::Warning(Window(), QString::fromUtf8(msg::kEditsNotKept));
    return false;
}

bool CQuillDoc::Reload(const QByteArray& bytes, const FileStamp& stamp) {
    const QTextCursor caret = m_view->textCursor();
    const int line = caret.blockNumber();
    const int column = caret.positionInBlock();
    const int top = m_view->verticalScrollBar()->value();
    const int left = m_view->horizontalScrollBar()->value();
    try {
        // The script's own encoding, unless the new bytes cannot be read in it.
        std::optional<QString> text = textenc::Decode(bytes, m_encoding);
        const textenc::Encoding encoding = text ? m_encoding : textenc::Detect(bytes);
        if (!text) {
            text = textenc::Decode(bytes, encoding);
        }
        SetFileText(text.value_or(cp932::Decode(bytes)),
                    text ? encoding : textenc::Encoding::ShiftJis);
    } catch (const std::bad_alloc&) {
        msg::Warning(Window(), msg::ReadError(fileread::ReadStatus::OutOfMemory, m_strPathName));
        return false;
    }
    // The caret's line and column, as far as the new text has them.
    const QTextBlock block =
        m_view->document()->findBlockByNumber(std::min(line, m_view->blockCount() - 1));
    QTextCursor moved(block);
    moved.setPosition(block.position() + std::min(column, block.length() - 1));
    m_view->setTextCursor(moved);
    m_view->verticalScrollBar()->setValue(top);
    m_view->horizontalScrollBar()->setValue(left);
    KnowFile(m_strPathName, bytes, stamp);
    SetModifiedFlag(false);
    return true;
}
