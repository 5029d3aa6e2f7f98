#include "doc/CompileMessages.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <climits>

#include "text/Cp932Codec.h"

namespace {

// Characters that end a file name when reading backwards from a form.
bool IsNameStop(QChar c) {
    return c.isSpace() || QStringView(u"\"'([<{:,;=").contains(c);
}

// Reads the decimal digits at `pos`; the position after them goes to `end`.
std::optional<int> ReadNumber(QStringView text, qsizetype pos, qsizetype* end) {
    qsizetype i = pos;
    long long value = 0;
    while (i < text.size() && text.at(i).isDigit()) {
        value = std::min<long long>(value * 10 + text.at(i).digitValue(), INT_MAX);
        ++i;
    }
    if (i == pos) {
        return std::nullopt;
    }
    *end = i;
    return int(value);
}

qsizetype SkipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && text.at(pos).isSpace()) {
        ++pos;
    }
    return pos;
}

enum class Naming { Script, OtherFile, NoFile };

// What the text that ends at `end` names: one of `names` (which then stands
// alone, not as the end of a longer name), another file (a word with a "."
// or "/"), or no file.
Naming NameBefore(QStringView line, qsizetype end, const QStringList& names) {
    const QStringView before = line.left(end);
    for (const QString& name : names) {
        if (before.endsWith(name)) {
            const qsizetype start = end - name.size();
            if (start == 0 || IsNameStop(line.at(start - 1))) {
                return Naming::Script;
            }
        }
    }
    qsizetype start = end;
    while (start > 0 && !IsNameStop(line.at(start - 1))) {
        --start;
    }
    const QStringView word = line.mid(start, end - start);
    return word.contains(u'.') || word.contains(u'/') ? Naming::OtherFile : Naming::NoFile;
}

// "line N" (any case, not the end of a longer word) at `pos`, with an
// optional "[NAME]" after the number.
std::optional<std::optional<int>> LineWordForm(QStringView line, qsizetype pos,
                                               const QStringList& names) {
    if (line.mid(pos, 4).compare(u"line", Qt::CaseInsensitive) != 0 ||
        (pos > 0 && line.at(pos - 1).isLetterOrNumber())) {
        return std::nullopt;
    }
    const qsizetype digits = SkipBlanks(line, pos + 4);
    qsizetype end = 0;
    const std::optional<int> number =
        digits > pos + 4 ? ReadNumber(line, digits, &end) : std::nullopt;
    if (!number) {
        return std::nullopt;
    }
    const qsizetype open = SkipBlanks(line, end);
    if (open < line.size() && line.at(open) == u'[') {
        const qsizetype close = line.indexOf(u']', open);
        const QString name = line.mid(open + 1, close - open - 1).toString();
        if (close > open + 1 && !names.contains(name)) {
            return std::optional<int>();
        }
    }
    return number;
}

}  // namespace

QStringList ScriptNamesOf(const QString& sourcePath, const QString& scriptPath) {
    // Longer names first, so a path is matched as a whole before its end.
    QStringList names{sourcePath, scriptPath, QFileInfo(sourcePath).fileName(),
                      QFileInfo(scriptPath).fileName()};
    names.removeAll(QString());
    names.removeDuplicates();
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return names;
}

std::optional<int> MessageScriptLine(QStringView line, const QStringList& names) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        qsizetype end = 0;
        if (c == u'(' || c == u':') {
            // NAME(N) or NAME:N:
            const std::optional<int> number = ReadNumber(line, i + 1, &end);
            const QChar close = c == u'(' ? u')' : u':';
            if (!number || end >= line.size() || line.at(end) != close) {
                continue;
            }
            switch (NameBefore(line, i, names)) {
                case Naming::Script:
                    return number;
                case Naming::OtherFile:
                    return std::nullopt;
                case Naming::NoFile:
                    continue;
            }
        }
        if (c == u'l' || c == u'L') {
            if (const auto form = LineWordForm(line, i, names)) {
                return *form;
            }
        }
        if (c.isDigit() && (i == 0 || !line.at(i - 1).isDigit())) {
            // N行目
            const std::optional<int> number = ReadNumber(line, i, &end);
            if (line.mid(SkipBlanks(line, end)).startsWith(u"行目")) {
                return number;
            }
        }
    }
    return std::nullopt;
}

std::optional<int> FirstMessageScriptLine(QStringView text, const QStringList& names) {
    for (const QStringView line : text.tokenize(u'\n')) {
        if (const std::optional<int> number = MessageScriptLine(line, names)) {
            return number;
        }
    }
    return std::nullopt;
}

QString DecodeProgramOutput(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    text = cp932::Decode(bytes);
    // The lossless codec keeps a stray byte as a private code point; shown,
    // it is a replacement character.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            const char32_t cp = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            if (cp >= 0xF0000) {
                text.replace(i, 2, QChar(QChar::ReplacementCharacter));
            }
        }
    }
    return text;
}

QStringList OutputLineSplitter::Feed(QByteArrayView bytes) {
    m_pending.append(bytes);
    QStringList lines;
    qsizetype start = 0;
    // Each line is decoded on its own: a program may print UTF-8 and
    // Shift_JIS lines side by side.
    for (qsizetype end; (end = m_pending.indexOf('\n', start)) >= 0; start = end + 1) {
        QByteArrayView line = QByteArrayView(m_pending).sliced(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines += DecodeProgramOutput(line);
    }
    m_pending.remove(0, start);
    if (m_pending.size() > kMaxPendingBytes) {
        lines += Flush();
    }
    return lines;
}

QStringList OutputLineSplitter::Flush() {
    if (m_pending.isEmpty()) {
        return {};
    }
    QString line = DecodeProgramOutput(m_pending);
    m_pending.clear();
    if (line.endsWith(u'\r')) {
        line.chop(1);
    }
    return {line};
}
