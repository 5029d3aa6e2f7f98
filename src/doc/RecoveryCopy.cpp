#include "doc/RecoveryCopy.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QUrl>

#include "res/Messages.h"
#include "text/TextEncoding.h"

namespace {

constexpr QByteArrayView kMagic = "QUILL recovery 1";
constexpr QByteArrayView kEndOfHeader = "\n\n";
// The header is a few short lines; a longer one means this is not a copy.
constexpr qsizetype kMaxHeaderBytes = 64 * 1024;

struct EncodingName {
    RecoveryCopy::Encoding encoding;
    QByteArrayView name;
};
constexpr EncodingName kEncodingNames[] = {
    {RecoveryCopy::Encoding::ShiftJis, "shift_jis"},
    {RecoveryCopy::Encoding::Utf8, "utf-8"},
    {RecoveryCopy::Encoding::Utf8Bom, "utf-8-bom"},
};

QByteArrayView NameOf(RecoveryCopy::Encoding encoding) {
    for (const EncodingName& entry : kEncodingNames) {
        if (entry.encoding == encoding) {
            return entry.name;
        }
    }
    return {};
}

std::optional<RecoveryCopy::Encoding> EncodingNamed(QByteArrayView name) {
    for (const EncodingName& entry : kEncodingNames) {
        if (entry.name == name) {
            return entry.encoding;
        }
    }
    return std::nullopt;
}

// The "disk" field; nothing known when it is missing or damaged.
KnownContent DiskNamed(const QByteArray& field) {
    const QList<QByteArray> parts = field.split(' ');
    if (parts.size() != 6) {
        return {};
    }
    qint64 n[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        n[i] = parts[i].toLongLong(&ok);
        if (!ok) {
            return {};
        }
    }
    return {FileStamp{true, quint64(n[0]), quint64(n[1]), n[2], n[3], n[4]},
            QByteArray::fromHex(parts[5])};
}

}  // namespace

QString RecoveryCopy::Text() const {
    // A body that is not what its encoding says (it was written by this
    // editor, so only a damaged copy) still gives its text.
    return textenc::Decode(body, encoding).value_or(QString::fromUtf8(body));
}

QByteArray FormatRecoveryCopy(const RecoveryCopy& copy) {
    QByteArray out;
    out.reserve(copy.body.size() + 256);
    out += kMagic;
    out += "\npath: ";
    out += QUrl::toPercentEncoding(copy.scriptPath, "/");
    out += "\ntime: ";
    out += copy.written.toUTC().toString(Qt::ISODateWithMs).toLatin1();
    out += "\npid: ";
    out += QByteArray::number(copy.pid);
    out += "\nencoding: ";
    out += NameOf(copy.encoding);
    out += "\nlength: ";
    out += QByteArray::number(copy.body.size());
    if (copy.disk.IsSet()) {
        const FileStamp& s = copy.disk.stamp;
        out += "\ndisk: ";
        for (const qint64 n : {qint64(s.device), qint64(s.inode), s.size, s.mtimeNs, s.ctimeNs}) {
            out += QByteArray::number(n) + ' ';
        }
        out += copy.disk.hash.toHex();
    }
    out += kEndOfHeader;
    out += copy.body;
    return out;
}

std::optional<RecoveryCopy> ParseRecoveryCopy(const QByteArray& bytes, QString* why) {
    auto fail = [why](const QString& reason) {
        *why = reason;
        return std::nullopt;
    };
    const qsizetype end = bytes.indexOf(kEndOfHeader);
    if (!bytes.startsWith(kMagic)) {
        return fail(QString::fromUtf8(msg::kRecoveryNoHeader));
    }
    if (end < 0 || end > kMaxHeaderBytes) {
        return fail(QString::fromUtf8(msg::kRecoveryBadHeader));
    }
    QHash<QByteArray, QByteArray> fields;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(": ");
        if (colon > 0) {
            fields.insert(lines[i].left(colon), lines[i].mid(colon + 2));
        }
    }
    for (const char* key : {"path", "time", "pid", "encoding", "length"}) {
        if (!fields.contains(key)) {
            return fail(QString::fromUtf8(msg::kRecoveryFieldMissing).arg(key));
        }
    }
    RecoveryCopy copy;
    copy.scriptPath = QUrl::fromPercentEncoding(fields.value("path"));
    copy.written =
        QDateTime::fromString(QString::fromLatin1(fields.value("time")), Qt::ISODateWithMs);
    bool pidOk = false;
    copy.pid = fields.value("pid").toLongLong(&pidOk);
    const std::optional<RecoveryCopy::Encoding> encoding = EncodingNamed(fields.value("encoding"));
    bool lengthOk = false;
    const qsizetype length = fields.value("length").toLongLong(&lengthOk);
    if (!copy.written.isValid() || !pidOk || !encoding || !lengthOk) {
        return fail(QString::fromUtf8(msg::kRecoveryBadHeader));
    }
    copy.encoding = *encoding;
    const qsizetype bodyStart = end + kEndOfHeader.size();
    if (bytes.size() - bodyStart != length) {
        return fail(
            QString::fromUtf8(msg::kRecoveryBadLength).arg(bytes.size() - bodyStart).arg(length));
    }
    copy.body = bytes.mid(bodyStart);
    copy.disk = DiskNamed(fields.value("disk"));
    return copy;
}
