#pragma once
// Shared by the fuzz targets: turning the fuzzer's bytes into test input,
// and stopping with a message when a property fails.

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArrayView Bytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bytes as UTF-16 code units (any, unpaired surrogates included).
inline QString Utf16(const uint8_t* data, size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2) {
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

// Ends the run as a crash, so that the fuzzer keeps the input.
[[noreturn]] inline void Fail(const char* property) {
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

inline void Check(bool holds, const char* property) {
    if (!holds) {
        Fail(property);
    }
}

}  // namespace fuzz
