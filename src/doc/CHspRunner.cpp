#include "doc/CHspRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "doc/CHspCompiler.h"
#include "res/Messages.h"

namespace {

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

std::optional<QString> WriteSourceFile(const HspRunPlan& plan,
                                       const CHspRunner::Serializer& serialize) {
    QByteArray bytes;
    QString error;
    if (!serialize(&bytes, &error)) {
        return error;
    }
    QFile file(plan.source);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return QString::fromUtf8(msg::kTmpError);
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        return QString::fromUtf8(msg::kWriteError).arg(plan.source);
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> CHspRunner::WriteSource(const HspRunPlan& plan,
                                               const Serializer& serialize) {
    ScopedCurrentDir current(plan.workdir);
    if (!current.Entered()) {
        return QString::fromUtf8(msg::kDirectoryError);
    }
    return WriteSourceFile(plan, serialize);
}

std::optional<QString> CHspRunner::Run(const HspRunPlan& plan, const Serializer& serialize) {
    ScopedCurrentDir current(plan.workdir);
    if (!current.Entered()) {
        return QString::fromUtf8(msg::kDirectoryError);
    }
    if (std::optional<QString> error = WriteSourceFile(plan, serialize)) {
        return error;
    }

    const CHspCompiler::Result result =
        CHspCompiler::Compile(plan.library, plan.source, plan.object);
    switch (result.status) {
        case CHspCompiler::Status::LoadFailed:
            return QString::fromUtf8(msg::kCompilerError);
        case CHspCompiler::Status::MissingEntryPoint:
            return QString::fromUtf8(msg::kCompilerEntryMissing).arg(result.text);
        case CHspCompiler::Status::CompileFailed:
            return result.text;
        case CHspCompiler::Status::Ok:
            break;
    }
    // The runtime gets its arguments as a list: no shell ever sees them.
    QProcess::startDetached(plan.runtime, plan.args, plan.workdir);
    return std::nullopt;
}
