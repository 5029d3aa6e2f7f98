#pragma once
// The keyword color table: which word (or "*" for labels, ";" for comments)
// takes which of the eight color records.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

class CKeywordTable {
public:
    // Record index (0-7) of `key`, or -1 when the key is absent. Keys are
    // compared whole and case-sensitively.
    int Lookup(const QByteArray& key) const { return m_map.value(key, -1); }
    bool Contains(const QByteArray& key) const { return m_map.contains(key); }
    bool IsEmpty() const { return m_map.isEmpty(); }
    int Size() const { return int(m_map.size()); }
    void Set(const QByteArray& key, int record) { m_map.insert(key, record); }

    // Builds a table from the bytes of a QUILL.DAT file. Lines end at LF
    // (a CR before it is dropped); a 0x1A byte ends the file; a last line
    // without a line end counts. A line equal to one of the seven color
    // directives makes its record current (record 0 before the first);
    // every other line, the empty one included, is a key set to the current
    // record. Nothing is trimmed.
    static CKeywordTable Parse(QByteArrayView bytes);

    // Replaces the table with the one read from `path`. Returns false, and
    // leaves the table empty, when the file cannot be read.
    bool Load(const QString& path);

private:
    QHash<QByteArray, int> m_map;
};
