#include "text/Cp932Codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "text/Cp932Table.h"
#include "text/Utf16.h"

namespace cp932 {
namespace {

using table::kDuplicate;
using table::kNoPair;
using table::kNoSingle;

constexpr int kRowCount = static_cast<int>(std::size(table::kRows));
constexpr char32_t kPrivateBase = 0xF0000;

// The lookup tables, built from the generated rows at compile time.
struct Tables {
    // Row of a lead byte in `pairs`, or -1 for a byte that begins no pair.
    std::array<std::int8_t, 256> rowOf{};
    // Code point of each lead/trail pair, indexed by the trail byte itself;
    // kNoPair for no character, kDuplicate for a duplicate code.
    std::array<std::array<std::uint16_t, 256>, kRowCount> pairs{};
    // Shift_JIS code of each BMP code point from U+0080: a single byte
    // (< 0x100) or lead << 8 | trail; 0 where Shift_JIS cannot hold it.
    std::array<std::uint16_t, 0x10000> encode{};
};

constexpr Tables BuildTables() {
    Tables t{};
    for (auto& row : t.rowOf) {
        row = -1;
    }
    for (int b = 0x80; b < 0x100; ++b) {
        if (table::kSingle[b] != kNoSingle) {
            t.encode[table::kSingle[b]] = static_cast<std::uint16_t>(b);
        }
    }
    for (int i = 0; i < kRowCount; ++i) {
        const table::Row& row = table::kRows[i];
        t.rowOf[row.lead] = static_cast<std::int8_t>(i);
        int cell = 0;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::uint16_t cp = row.linear ? static_cast<std::uint16_t>(row.start + cell)
                                                : table::kCells[row.start + cell];
            ++cell;
            t.pairs[i][trail] = cp;
            if (cp != kNoPair && cp != kDuplicate) {
                t.encode[cp] = static_cast<std::uint16_t>(row.lead << 8 | trail);
            }
        }
    }
    return t;
}

constinit const Tables kTables = BuildTables();

constexpr int kDuplicateCount = static_cast<int>(std::size(table::kDuplicates));

// A duplicate code as the character it decodes to and the mark that follows
// it: the n-th duplicate code of a character (in the order of the codes)
// takes mark n.
struct MarkedChar {
    std::uint16_t code;
    std::uint16_t cp;
    std::uint8_t mark;
};

struct Duplicates {
    std::array<MarkedChar, kDuplicateCount> byCode{};  // in the order of the codes
    std::array<MarkedChar, kDuplicateCount> byChar{};  // by character, then mark
};

constexpr Duplicates BuildDuplicates() {
    Duplicates d{};
    for (int i = 0; i < kDuplicateCount; ++i) {
        const table::Duplicate& dup = table::kDuplicates[i];
        int mark = 0;
        for (int j = 0; j < i; ++j) {
            mark += table::kDuplicates[j].cp == dup.cp;
        }
        d.byCode[i] = {dup.code, dup.cp, static_cast<std::uint8_t>(mark)};
    }
    d.byChar = d.byCode;
    std::sort(d.byChar.begin(), d.byChar.end(), [](const MarkedChar& a, const MarkedChar& b) {
        return a.cp != b.cp ? a.cp < b.cp : a.mark < b.mark;
    });
    return d;
}

constinit const Duplicates kDuplicates = BuildDuplicates();

constexpr bool MarksSuffice() {
    for (const MarkedChar& m : BuildDuplicates().byCode) {
        if (m.mark >= std::size(kMarks)) {
            return false;
        }
    }
    return true;
}
static_assert(MarksSuffice());

// The character and mark of duplicate code `code`.
const MarkedChar& DuplicateOf(std::uint16_t code) {
    return *std::lower_bound(kDuplicates.byCode.begin(), kDuplicates.byCode.end(), code,
                             [](const MarkedChar& m, std::uint16_t c) { return m.code < c; });
}

// The duplicate code of `cp` followed by mark number `mark`, or 0.
std::uint16_t DuplicateCode(char32_t cp, int mark) {
    const auto it = std::lower_bound(
        kDuplicates.byChar.begin(), kDuplicates.byChar.end(), std::pair<char32_t, int>(cp, mark),
        [](const MarkedChar& m, const std::pair<char32_t, int>& key) {
            return m.cp != key.first ? m.cp < key.first : m.mark < key.second;
        });
    return it != kDuplicates.byChar.end() && it->cp == cp && it->mark == mark ? it->code : 0;
}

// The number of mark `cp`, or -1 for any other code point.
inline int MarkNumber(char32_t cp) {
    for (std::size_t i = 0; i < std::size(kMarks); ++i) {
        if (kMarks[i] == cp) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The ASCII fast paths of Decode and Encode rely on this.
constexpr bool AsciiIsIdentity() {
    for (int b = 0; b < 0x80; ++b) {
        if (table::kSingle[b] != b) {
            return false;
        }
    }
    return true;
}
static_assert(AsciiIsIdentity());

// Whether lead byte `lead` followed by `trail` is read as one pair.
inline bool FormsPair(std::uint8_t lead, std::uint8_t trail) {
    const int row = kTables.rowOf[lead];
    return row >= 0 && kTables.pairs[row][trail] != kNoPair;
}

// Shift_JIS code of a code point of Supplementary Private Use Area-A, or 0
// when decoding never gives that code point.
inline std::uint16_t PrivateCode(char32_t cp) {
    const char32_t v = cp - kPrivateBase;
    return v < 0x100 && table::kSingle[v] == kNoSingle ? static_cast<std::uint16_t>(v) : 0;
}

// Shift_JIS code of any code point from U+0080, 0 when it cannot be held.
inline std::uint16_t CodeOf(char32_t cp) {
    if (cp < 0x10000) {
        return kTables.encode[cp];  // surrogate code points are 0 there
    }
    return cp >= kPrivateBase && cp <= kPrivateBase + 0xFF ? PrivateCode(cp) : 0;
}

inline char16_t* PutMark(char16_t* out, char32_t mark) {
    *out++ = QChar::highSurrogate(mark);
    *out++ = QChar::lowSurrogate(mark);
    return out;
}

// Makes room in `text` for two units per byte of `n` input bytes, which
// holds any input; returns where writing goes on.
char16_t* Grow(QString& text, char16_t*& begin, char16_t* out, qsizetype n) {
    const qsizetype done = out - begin;
    text.resize(2 * n);
    begin = reinterpret_cast<char16_t*>(text.data());
    return begin + done;
}

inline char16_t* PutPrivate(char16_t* out, std::uint16_t code) {
    // U+F0000 + code as a surrogate pair.
    *out++ = static_cast<char16_t>(0xDB80 + (code >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    return out;
}

// Encodes `text`; with `lossy`, a character that cannot be held becomes "?",
// otherwise encoding stops there and its index is returned (-1: all done).
qsizetype EncodeInto(QStringView text, QByteArray& bytes, bool lossy) {
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    // A UTF-16 unit never takes more than two bytes.
    bytes.resize(2 * n);
    auto* const begin = reinterpret_cast<std::uint8_t*>(bytes.data());
    std::uint8_t* out = begin;
    // A lone lead byte that the next byte must not complete to a pair, as
    // decoding would then read both as one character.
    int openLead = -1;
    qsizetype openLeadAt = -1;
    qsizetype i = 0;
    while (i < n) {
        const char16_t u = in[i];
        if (u < 0x80 && openLead < 0) {
            *out++ = static_cast<std::uint8_t>(u);
            ++i;
            continue;
        }
        int units = 1;
        char32_t cp = u;
        if (QChar::isHighSurrogate(u)) {
            cp = utf16::CodePointAt(text, i, &units);
            if (MarkNumber(cp) >= 0) {
                // A mark that follows no character it belongs to: the text
                // shows nothing there, and nothing is written.
                i += units;
                continue;
            }
        }
        std::uint16_t code = cp < 0x80 ? static_cast<std::uint16_t>(cp) : CodeOf(cp);
        if (code >= 0x100 && i + units + 1 < n && QChar::isHighSurrogate(in[i + units])) {
            int markUnits = 0;
            const int mark = MarkNumber(utf16::CodePointAt(text, i + units, &markUnits));
            const std::uint16_t duplicate = mark >= 0 ? DuplicateCode(cp, mark) : 0;
            if (duplicate != 0) {
                code = duplicate;
                units += markUnits;
            }
        }
        if (code == 0 && cp != 0) {
            if (!lossy) {
                bytes.resize(out - begin);
                return i;
            }
            code = '?';
        }
        const auto first = static_cast<std::uint8_t>(code < 0x100 ? code : code >> 8);
        if (openLead >= 0 && FormsPair(static_cast<std::uint8_t>(openLead), first) && !lossy) {
            bytes.resize(out - begin);
            return openLeadAt;
        }
        openLead = -1;
        if (code < 0x100) {
            *out++ = first;
            if (kTables.rowOf[first] >= 0) {
                openLead = first;
                openLeadAt = i;
            }
        } else {
            *out++ = first;
            *out++ = static_cast<std::uint8_t>(code & 0xFF);
        }
        i += units;
    }
    bytes.resize(out - begin);
    return -1;
}

}  // namespace

QString Decode(QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    // One UTF-16 unit per byte is enough unless a single byte becomes a
    // private code point (two units); the buffer grows then.
    QString text(n, Qt::Uninitialized);
    auto* begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    bool grown = false;
    qsizetype i = 0;
    while (i < n) {
        const std::uint8_t b = in[i];
        if (b < 0x80) {
            *out++ = b;
            ++i;
            continue;
        }
        const int row = kTables.rowOf[b];
        if (row >= 0 && i + 1 < n) {
            const std::uint8_t trail = in[i + 1];
            const std::uint16_t cp = kTables.pairs[row][trail];
            if (cp == kDuplicate) {
                if (!grown) {
                    out = Grow(text, begin, out, n);
                    grown = true;
                }
                const MarkedChar& dup = DuplicateOf(static_cast<std::uint16_t>(b << 8 | trail));
                *out++ = dup.cp;
                out = PutMark(out, kMarks[dup.mark]);
                i += 2;
                continue;
            }
            if (cp != kNoPair) {
                *out++ = cp;
                i += 2;
                continue;
            }
        }
        if (table::kSingle[b] != kNoSingle) {
            *out++ = table::kSingle[b];
            ++i;
            continue;
        }
        if (!grown) {
            out = Grow(text, begin, out, n);
            grown = true;
        }
        out = PutPrivate(out, b);
        ++i;
    }
    text.resize(out - begin);
    return text;
}

EncodeResult Encode(QStringView text) {
    EncodeResult result;
    result.failedAt = EncodeInto(text, result.bytes, false);
    return result;
}

QByteArray EncodeLossy(QStringView text) {
    QByteArray bytes;
    EncodeInto(text, bytes, true);
    return bytes;
}

int EncodedLength(char32_t codePoint) {
    if (codePoint < 0x80) {
        return 1;
    }
    if (MarkNumber(codePoint) >= 0) {
        return 0;
    }
    return CodeOf(codePoint) >= 0x100 ? 2 : 1;
}

bool IsPair(unsigned char lead, unsigned char trail) {
    return FormsPair(lead, trail);
}

bool IsMark(char32_t codePoint) {
    return MarkNumber(codePoint) >= 0;
}

QString WithoutMarks(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        int units = 1;
        const char32_t cp = utf16::CodePointAt(text, i, &units);
        if (!IsMark(cp)) {
            out += text.mid(i, units);
        }
        i += units;
    }
    return out;
}

}  // namespace cp932
