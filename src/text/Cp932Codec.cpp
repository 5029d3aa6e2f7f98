#include "text/Cp932Codec.h"

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
    if (v < 0x100) {
        return table::kSingle[v] == kNoSingle ? static_cast<std::uint16_t>(v) : 0;
    }
    if (v <= 0xFFFF) {
        const int row = kTables.rowOf[v >> 8];
        if (row >= 0 && kTables.pairs[row][v & 0xFF] == kDuplicate) {
            return static_cast<std::uint16_t>(v);
        }
    }
    return 0;
}

// Shift_JIS code of any code point from U+0080, 0 when it cannot be held.
inline std::uint16_t CodeOf(char32_t cp) {
    if (cp < 0x10000) {
        return kTables.encode[cp];  // surrogate code points are 0 there
    }
    return cp >= kPrivateBase && cp <= kPrivateBase + 0xFFFF ? PrivateCode(cp) : 0;
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
        }
        std::uint16_t code = cp < 0x80 ? static_cast<std::uint16_t>(cp) : CodeOf(cp);
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
                out = PutPrivate(out, static_cast<std::uint16_t>(b << 8 | trail));
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
            // Two units per byte hold any input.
            const qsizetype done = out - begin;
            text.resize(2 * n);
            begin = reinterpret_cast<char16_t*>(text.data());
            out = begin + done;
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
    return CodeOf(codePoint) >= 0x100 ? 2 : 1;
}

bool IsPair(unsigned char lead, unsigned char trail) {
    return FormsPair(lead, trail);
}

}  // namespace cp932
