#pragma once
// Reading a compiler's messages: which line of the script a message names,
// and the bytes a program prints turned into lines of text. Pure functions.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The names under which a compiler may name the script: the bare name of the
// temporary source ("hsptmp"), its path, and the script's own name and path
// (`scriptPath` empty for an untitled script).
QStringList ScriptNamesOf(const QString& sourcePath, const QString& scriptPath);

// The line number that one message line names for the script, as written
// (0 stays 0). The first of these forms in the line counts:
//   NAME(N)  NAME:N:  line N / in line N  N行目
// NAME must be one of `names`; a line whose form names another file
// ("other.as(3)", "line 3 [other.as]") names no line of the script, and
// "word(3)" that names no file at all is not a form. A number too large
// for an int reads as INT_MAX.
std::optional<int> MessageScriptLine(QStringView line, const QStringList& names);

// The first line of `text` that names a line of the script.
std::optional<int> FirstMessageScriptLine(QStringView text, const QStringList& names);

// A program's output as text: UTF-8 when the bytes are valid UTF-8, else
// Shift_JIS; bytes that are neither become U+FFFD. Never fails.
QString DecodeProgramOutput(QByteArrayView bytes);

// Cuts a stream of output into lines as it arrives, each decoded on its
// own (DecodeProgramOutput): Feed gives the lines completed so far (without their line ends, a
// final CR dropped), Flush the rest. A line that grows past kMaxPendingBytes without an end is
// given as it stands.
class OutputLineSplitter {
public:
    static constexpr qsizetype kMaxPendingBytes = 64 * 1024;

    QStringList Feed(QByteArrayView bytes);
    QStringList Flush();

private:
    QByteArray m_pending;
};
