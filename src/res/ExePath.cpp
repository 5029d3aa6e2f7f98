#include "res/ExePath.h"

#include <QCoreApplication>

namespace {
QString& ExecutablePathOverride() {
    static QString path;
    return path;
}
}  // namespace

void StrReplace(QByteArray& buffer, QByteArrayView find, QByteArrayView replacement) {
    const qsizetype zero = buffer.indexOf('\0');
    const QByteArray tail = zero >= 0 ? buffer.mid(zero) : QByteArray();
    QByteArray text = zero >= 0 ? buffer.left(zero) : buffer;
    if (text.isEmpty() || find.isEmpty()) {
        return;
    }
    QByteArray result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (QByteArrayView(text).sliced(i).startsWith(find)) {
            result.append(replacement);
            i += find.size();
        } else {
            result.append(text.at(i));
            ++i;
        }
    }
    buffer = result + tail;
}

QString ExeRelativePath(const QString& name) {
    const QString exe = ExecutablePathOverride().isEmpty() ? QCoreApplication::applicationFilePath()
                                                           : ExecutablePathOverride();
    const qsizetype slash = exe.lastIndexOf('/');
    return exe.left(slash + 1) + name;
}

void SetExecutablePathForTesting(const QString& path) {
    ExecutablePathOverride() = path;
}
