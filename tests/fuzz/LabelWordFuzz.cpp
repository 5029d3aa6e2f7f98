// Label and word finding stay within the line, for any column asked about.
#include <cstring>

#include "FuzzSupport.h"
#include "script/KeywordScan.h"
#include "script/LabelLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int column = 0;
    if (size >= sizeof column) {
        std::memcpy(&column, data, sizeof column);
        data += sizeof column;
        size -= sizeof column;
    }
    const QByteArrayView line = fuzz::Bytes(data, size);
    linescan::LabelNameRange label;
    if (linescan::FindLabelName(line, &label)) {
        fuzz::Check(0 < label.begin && label.begin <= label.end && label.end <= line.size(),
                    "a label's name lies after its * and within the line");
        fuzz::Check(line.at(label.begin - 1) == '*', "a label's name follows its *");
    }
    for (const int at : {column, 0, int(line.size()), int(line.size()) + 1}) {
        const linescan::WordRange word = linescan::WordAtColumn(line, at);
        fuzz::Check(0 <= word.begin && word.begin <= word.end && word.end <= line.size(),
                    "a word lies within the line");
    }
    return 0;
}
