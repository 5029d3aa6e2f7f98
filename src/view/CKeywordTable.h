#pragma once
// The keyword color table: which word (or "*" for labels, ";" for comments)
// takes which of the eight color records.

#include <QByteArray>
#include <QHash>

class CKeywordTable {
public:
    // Record index (0-7) of `key`, or -1 when the key is absent. Keys are
    // compared whole and case-sensitively.
    int Lookup(const QByteArray& key) const { return m_map.value(key, -1); }
    bool Contains(const QByteArray& key) const { return m_map.contains(key); }
    bool IsEmpty() const { return m_map.isEmpty(); }
    void Set(const QByteArray& key, int record) { m_map.insert(key, record); }

private:
    QHash<QByteArray, int> m_map;
};
