#include "script/CKeywordTable.h"

#include "script/ColorRecords.h"
#include "text/FileReader.h"

CKeywordTable CKeywordTable::Parse(QByteArrayView bytes) {
    const qsizetype eof = bytes.indexOf('\x1a');
    if (eof >= 0) {
        bytes = bytes.first(eof);
    }
    CKeywordTable table;
    int current = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0) {
            end = bytes.size();
        }
        QByteArrayView line = bytes.sliced(start, end - start);
        if (end < bytes.size() && line.endsWith('\r')) {
            line.chop(1);
        }
        const int directive = keywordcolors::DirectiveRecord(line);
        if (directive > 0) {
            current = directive;
        } else {
            table.Set(line.toByteArray(), current);
        }
        start = next;
    }
    return table;
}

bool CKeywordTable::Load(const QString& path) {
    m_map.clear();
    const fileread::ReadResult read = fileread::ReadFile(path);
    if (!read.ok()) {
        return false;
    }
    *this = Parse(read.bytes);
    return true;
}
