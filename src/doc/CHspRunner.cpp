#include "doc/CHspRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "doc/CHspCompiler.h"
#include "doc/CQuillDoc.h"

namespace {

const QString kDirError = QStringLiteral("ディレクトリ設定エラー");
const QString kTmpError = QStringLiteral("hsptmp ファイルにアクセス出来ません。");
const QString kDllError = QStringLiteral("hspcmp.dll ファイルにアクセス出来ません。");
const QString kMissingEntry =
    QStringLiteral("hspcmp.dll に関数 %1 がありません。コンパイルを中止しました。");

// Makes `dir` the current directory for as long as it lives.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const QString& dir) : m_previous(QDir::currentPath()) {
        m_entered = !dir.isEmpty() && QDir::setCurrent(dir);
    }
    ~ScopedCurrentDir() {
        if (m_entered) {
            QDir::setCurrent(m_previous);
        }
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

    bool Entered() const { return m_entered; }

private:
    QString m_previous;
    bool m_entered = false;
};

}  // namespace

std::optional<QString> CHspRunner::Run(const HspRunPlan& plan, const Serializer& serialize) {
    ScopedCurrentDir current(plan.workdir);
    if (!current.Entered()) {
        return kDirError;
    }

    QByteArray bytes;
    QString error;
    if (!serialize(&bytes, &error)) {
        return error;
    }
    QFile file(plan.source);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return kTmpError;
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        return CQuillDoc::WriteErrorText(plan.source);
    }

    const CHspCompiler::Result result =
        CHspCompiler::Compile(plan.library, plan.source, plan.object);
    switch (result.status) {
        case CHspCompiler::Status::LoadFailed:
            return kDllError;
        case CHspCompiler::Status::MissingEntryPoint:
            return kMissingEntry.arg(result.text);
        case CHspCompiler::Status::CompileFailed:
            return result.text;
        case CHspCompiler::Status::Ok:
            break;
    }
    // The runtime gets its arguments as a list: no shell ever sees them.
    QProcess::startDetached(plan.runtime, plan.args, plan.workdir);
    return std::nullopt;
}
