// Generates src/text/Cp932Table.h, the mapping of the lossless CP932 codec,
// from glibc's iconv "CP932". Run once; the output is committed.
//
//   g++ -std=c++20 -O2 -o /tmp/gen_cp932_table tools/gen_cp932_table.cpp
//   /tmp/gen_cp932_table > src/text/Cp932Table.h
//
// The counts of the sequences that do not round-trip are printed on stderr
// and checked here; the program fails when iconv disagrees with what the
// codec relies on (ASCII maps to itself, no double-byte code decodes to a
// control code or to U+FFFF, the trail bytes lie in 0x40-0xFC).

#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr std::uint16_t kNoSingle = 0xFFFF;
constexpr std::uint16_t kNoPair = 0;
constexpr std::uint16_t kDuplicate = 1;

iconv_t g_decoder;
iconv_t g_encoder;

// Decodes `n` bytes as one character; returns the code point or -1 when the
// bytes are not exactly one character.
long DecodeOne(const unsigned char* bytes, size_t n) {
    iconv(g_decoder, nullptr, nullptr, nullptr, nullptr);
    char32_t out[4];
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
    size_t inLeft = n;
    char* o = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(g_decoder, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != sizeof(char32_t)) {
        return -1;
    }
    return static_cast<long>(out[0]);
}

// Encodes one code point; returns the bytes (empty when it cannot be held).
std::vector<unsigned char> EncodeOne(char32_t cp) {
    iconv(g_encoder, nullptr, nullptr, nullptr, nullptr);
    unsigned char out[8];
    char* in = reinterpret_cast<char*>(&cp);
    size_t inLeft = sizeof cp;
    char* o = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(g_encoder, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
        return {};
    }
    return {out, out + (sizeof out - outLeft)};
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "gen_cp932_table: %s\n", what);
    std::exit(1);
}

struct Row {
    int lead;
    std::vector<std::uint16_t> cells;  // trails 0x40-0xFC without 0x7F
    bool linear = false;
};

}  // namespace

int main() {
    g_decoder = iconv_open("UTF-32LE", "CP932");
    g_encoder = iconv_open("CP932", "UTF-32LE");
    if (g_decoder == reinterpret_cast<iconv_t>(-1) || g_encoder == reinterpret_cast<iconv_t>(-1)) {
        Fail("iconv has no CP932");
    }

    std::uint16_t single[256];
    int badSingles = 0;
    for (int b = 0; b < 256; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        const long cp = DecodeOne(&byte, 1);
        const auto back = cp < 0 ? std::vector<unsigned char>{} : EncodeOne(char32_t(cp));
        if (cp < 0 || back.size() != 1 || back[0] != byte) {
            single[b] = kNoSingle;
            ++badSingles;
            continue;
        }
        if (cp >= kNoSingle || (b < 0x80 && cp != b)) {
            Fail("unexpected single-byte mapping");
        }
        single[b] = static_cast<std::uint16_t>(cp);
    }

    // Every byte that is no character by itself may begin a pair.
    std::vector<Row> rows;
    // Each duplicate code with the character it decodes to.
    std::vector<std::pair<int, long>> duplicateChars;
    int sequences = 256, invalidPairs = 0, duplicates = 0, candidateLeads = 0;
    for (int lead = 0x80; lead < 256; ++lead) {
        if (single[lead] != kNoSingle) {
            continue;
        }
        Row row{lead, {}};
        bool any = false;
        for (int trail = 0; trail < 256; ++trail) {
            const unsigned char pair[2] = {static_cast<unsigned char>(lead),
                                           static_cast<unsigned char>(trail)};
            const long cp = DecodeOne(pair, 2);
            const bool inTrailRange = trail >= 0x40 && trail <= 0xFC;
            if (cp >= 0 && (!inTrailRange || trail == 0x7F)) {
                Fail("a pair with a trail byte outside 0x40-0xFC");
            }
            if (cp >= 0 && (cp < 0x80 || cp >= 0x10000)) {
                Fail("a pair decodes to ASCII or outside the BMP");
            }
            if (!inTrailRange) {
                continue;
            }
            std::uint16_t cell = kNoPair;
            if (cp >= 0) {
                any = true;
                const auto back = EncodeOne(char32_t(cp));
                const bool same = back.size() == 2 && back[0] == pair[0] && back[1] == pair[1];
                cell = same ? static_cast<std::uint16_t>(cp) : kDuplicate;
                if (!same) {
                    if (EncodeOne(char32_t(cp)).size() != 2) {
                        Fail("a duplicate code whose character is not a pair");
                    }
                    duplicateChars.emplace_back(lead << 8 | trail, cp);
                }
            }
            if (trail != 0x7F) {
                row.cells.push_back(cell);
            }
        }
        if (lead > 0xA0 && lead < 0xE0) {
            Fail("a half-width byte is no character");
        }
        // The lead bytes of CP932: 0x81-0x9F and 0xE0-0xFC, with trails 0x40-0xFC.
        if ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) {
            ++candidateLeads;
            sequences += 0xFC - 0x40 + 1;
            invalidPairs += 1;  // trail 0x7F
            for (const auto cell : row.cells) {
                invalidPairs += cell == kNoPair;
                duplicates += cell == kDuplicate;
            }
        } else if (any) {
            Fail("a pair with a lead byte outside 0x81-0x9F/0xE0-0xFC");
        }
        if (!any) {
            continue;
        }
        row.linear = true;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            if (row.cells[i] <= kDuplicate || row.cells[i] != row.cells[0] + i) {
                row.linear = false;
            }
        }
        rows.push_back(row);
    }

    const int failing = badSingles + invalidPairs + duplicates;
    std::fprintf(stderr,
                 "%d lead bytes, %d sequences; %d do not round-trip: %d single bytes, "
                 "%d invalid pairs, %d duplicate codes; %zu lead bytes begin a character\n",
                 candidateLeads, sequences, failing, badSingles, invalidPairs, duplicates,
                 rows.size());

    std::printf(
        "#pragma once\n"
        "// Generated by tools/gen_cp932_table.cpp from glibc's iconv CP932. Do not edit.\n"
        "// clang-format off\n\n"
        "#include <cstdint>\n\n"
        "namespace cp932::table {\n\n"
        "// Code point of each byte that is a character by itself; 0x%04X where it is not.\n"
        "inline constexpr std::uint16_t kNoSingle = 0x%04X;\n"
        "inline constexpr std::uint16_t kSingle[256] = {\n",
        kNoSingle, kNoSingle);
    for (int b = 0; b < 256; ++b) {
        std::printf("%s0x%04X,%s", b % 16 ? " " : "    ", single[b], b % 16 == 15 ? "\n" : "");
    }
    std::printf(
        "};\n\n"
        "// Double-byte codes, one row per lead byte that begins any character.\n"
        "// A row lists trail bytes 0x40-0xFC without 0x7F (188 cells): the code\n"
        "// point, %d where the pair is no character, %d where it is a duplicate\n"
        "// code (its character encodes to another code). A linear row holds\n"
        "// consecutive code points from `start`; any other row's cells begin at\n"
        "// kCells[start].\n"
        "inline constexpr int kRowCells = 188;\n"
        "inline constexpr std::uint16_t kNoPair = %d;\n"
        "inline constexpr std::uint16_t kDuplicate = %d;\n"
        "struct Row {\n"
        "    std::uint8_t lead;\n"
        "    bool linear;\n"
        "    std::uint16_t start;\n"
        "};\n"
        "inline constexpr Row kRows[] = {\n",
        kNoPair, kDuplicate, kNoPair, kDuplicate);
    int offset = 0;
    for (const auto& row : rows) {
        std::printf("    {0x%02X, %s, 0x%04X},\n", row.lead, row.linear ? "true" : "false",
                    row.linear ? row.cells[0] : offset);
        offset += row.linear ? 0 : static_cast<int>(row.cells.size());
    }
    std::printf("};\n\ninline constexpr std::uint16_t kCells[] = {\n");
    for (const auto& row : rows) {
        if (row.linear) {
            continue;
        }
        std::printf("    // 0x%02X\n", row.lead);
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const auto cell = row.cells[i];
            std::printf(i % 12 ? " " : "    ");
            if (cell <= kDuplicate) {
                std::printf("%d,", cell);
            } else {
                std::printf("0x%04X,", cell);
            }
            std::printf(i % 12 == 11 || i + 1 == row.cells.size() ? "\n" : "");
        }
    }
    std::printf(
        "};\n\n"
        "// The character each duplicate code decodes to, in the order of the codes.\n"
        "struct Duplicate {\n"
        "    std::uint16_t code;\n"
        "    std::uint16_t cp;\n"
        "};\n"
        "inline constexpr Duplicate kDuplicates[] = {\n");
    for (size_t i = 0; i < duplicateChars.size(); ++i) {
        std::printf("%s{0x%04X, 0x%04lX},%s", i % 6 ? " " : "    ", duplicateChars[i].first,
                    duplicateChars[i].second,
                    i % 6 == 5 || i + 1 == duplicateChars.size() ? "\n" : "");
    }
    std::printf("};\n\n}  // namespace cp932::table\n");
    return 0;
}
