#include "text/TextEncoding.h"

#include <QStringDecoder>

#include "text/Utf16.h"

namespace textenc {

bool IsValidUtf8(QByteArrayView bytes, bool* multiByte) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    bool wide = false;
    qsizetype i = 0;
    while (i < n) {
        const std::uint8_t c = b[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        // Length of the sequence and the range its second byte must lie in
        // (narrower than 0x80-0xBF where that keeps out overlong forms,
        // surrogates and code points past U+10FFFF).
        int length = 0;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (n - i < length || b[i + 1] < low || b[i + 1] > high) {
            return false;
        }
        for (int k = 2; k < length; ++k) {
            if (b[i + k] < 0x80 || b[i + k] > 0xBF) {
                return false;
            }
        }
        wide = true;
        i += length;
    }
    if (multiByte) {
        *multiByte = wide;
    }
    return true;
}

bool IsPlainShiftJis(QByteArrayView bytes) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const std::uint8_t c = b[i];
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
            ++i;
            continue;
        }
        if (i + 1 >= n || !cp932::IsPair(c, b[i + 1])) {
            return false;
        }
        const unsigned code = unsigned(c) << 8 | b[i + 1];
        const bool firstRows = c <= 0x84;
        const bool firstLevelKanji = code >= 0x889F && code <= 0x9872;
        if (!firstRows && !firstLevelKanji) {
            return false;
        }
        i += 2;
    }
    return true;
}

Encoding Detect(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Bom)) {
        return IsValidUtf8(bytes.sliced(kUtf8Bom.size())) ? Encoding::Utf8Bom : Encoding::ShiftJis;
    }
    bool multiByte = false;
    if (IsValidUtf8(bytes, &multiByte) && multiByte && !IsPlainShiftJis(bytes)) {
        return Encoding::Utf8;
    }
    return Encoding::ShiftJis;
}

std::optional<QString> Decode(QByteArrayView bytes, Encoding encoding) {
    if (encoding == Encoding::ShiftJis) {
        return cp932::Decode(bytes);
    }
    if (encoding == Encoding::Utf8Bom && bytes.startsWith(kUtf8Bom)) {
        bytes = bytes.sliced(kUtf8Bom.size());
    }
    if (!IsValidUtf8(bytes)) {
        return std::nullopt;
    }
    // A mark at the start (a second one after Utf8Bom's) is text too.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return QString(decoder.decode(bytes));
}

namespace {

// Index of the first lone surrogate of `text`, or -1.
qsizetype FirstLoneSurrogate(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        int units = 1;
        const char32_t cp = utf16::CodePointAt(text, i, &units);
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            return i;
        }
        i += units;
    }
    return -1;
}

}  // namespace

cp932::EncodeResult Encode(QStringView text, Encoding encoding) {
    if (encoding == Encoding::ShiftJis) {
        return cp932::Encode(text);
    }
    cp932::EncodeResult result;
    result.failedAt = FirstLoneSurrogate(text);
    if (result.ok()) {
        if (encoding == Encoding::Utf8Bom) {
            result.bytes = kUtf8Bom.toByteArray();
        }
        result.bytes += text.toUtf8();
    }
    return result;
}

QByteArray EncodeLossy(QStringView text, Encoding encoding) {
    if (encoding == Encoding::ShiftJis) {
        return cp932::EncodeLossy(text);
    }
    // A UTF-16 unit never takes more than three bytes.
    QByteArray bytes(3 * text.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
    const auto* begin = out;
    for (qsizetype i = 0; i < text.size();) {
        int units = 1;
        const char32_t cp = utf16::CodePointAt(text, i, &units);
        i += units;
        if (cp < 0x80) {
            *out++ = std::uint8_t(cp);
        } else if (cp < 0x800) {
            *out++ = std::uint8_t(0xC0 | cp >> 6);
            *out++ = std::uint8_t(0x80 | (cp & 0x3F));
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            *out++ = '?';
        } else if (cp < 0x10000) {
            *out++ = std::uint8_t(0xE0 | cp >> 12);
            *out++ = std::uint8_t(0x80 | (cp >> 6 & 0x3F));
            *out++ = std::uint8_t(0x80 | (cp & 0x3F));
        } else {
            *out++ = std::uint8_t(0xF0 | cp >> 18);
            *out++ = std::uint8_t(0x80 | (cp >> 12 & 0x3F));
            *out++ = std::uint8_t(0x80 | (cp >> 6 & 0x3F));
            *out++ = std::uint8_t(0x80 | (cp & 0x3F));
        }
    }
    bytes.resize(out - begin);
    return bytes;
}

int EncodedLength(char32_t codePoint, Encoding encoding) {
    if (encoding == Encoding::ShiftJis) {
        return cp932::EncodedLength(codePoint);
    }
    if (codePoint < 0x80 || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 1;
    }
    return codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

}  // namespace textenc
