// The codec: decoding any bytes and encoding them again gives the same
// bytes; encoding any UTF-16 text either reads back as that text (stray
// marks aside) or stops at the first character that cannot be held.
#include "FuzzSupport.h"
#include "text/Cp932Codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = fuzz::Bytes(data, size);
    const QString decoded = cp932::Decode(bytes);
    const cp932::EncodeResult back = cp932::Encode(decoded);
    fuzz::Check(back.ok() && back.bytes == bytes, "decode then encode gives the bytes back");

    const QString text = fuzz::Utf16(data, size);
    const cp932::EncodeResult encoded = cp932::Encode(text);
    if (encoded.ok()) {
        // Marks that follow no character of theirs are written as nothing.
        const QString read = cp932::Decode(encoded.bytes);
        fuzz::Check(cp932::WithoutMarks(read) == cp932::WithoutMarks(text),
                    "encoded text decodes to itself");
        fuzz::Check(cp932::Encode(read).bytes == encoded.bytes, "and encodes to the same bytes");
        return 0;
    }
    const qsizetype at = encoded.failedAt;
    fuzz::Check(at >= 0 && at < text.size(), "failure index within the text");
    fuzz::Check(cp932::Encode(QStringView(text).left(at)).ok(),
                "everything before the failure encodes");
    // The reported character cannot be held by itself, or (a lone lead
    // byte) not before the character that follows it.
    const auto charLength = [&text](qsizetype i) {
        return i + 1 < text.size() && text.at(i).isHighSurrogate() &&
                       text.at(i + 1).isLowSurrogate()
                   ? 2
                   : 1;
    };
    qsizetype through = at + charLength(at);
    if (through < text.size()) {
        through += charLength(through);
    }
    fuzz::Check(!cp932::Encode(QStringView(text).left(through)).ok(),
                "the reported character is the one that fails");
    return 0;
}
