// The line scanner: ranges in line order, inside the line and its 254-byte
// limit, with a valid record; bytes past the limit change nothing, but for
// the one right after it, which may finish a two-byte comment mark ("//",
// "/*") that starts on the last colored byte.
#include <vector>

#include "FuzzSupport.h"
#include "script/CKeywordTable.h"
#include "script/LineScanner.h"

namespace {

const CKeywordTable& Table() {
    static const CKeywordTable table = CKeywordTable::Parse(
        "!red\nmes\nif\n!blue\n*\n!green\n;\n#include\n!violet\nrepeat\nloop\n\x82\xa0\n");
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView line = fuzz::Bytes(data, size);
    std::vector<linescan::ColorRange> ranges;
    linescan::ScanLine(line, Table(), ranges);
    const int limit = int(std::min<qsizetype>(line.size(), linescan::kMaxLineBytes));
    int previousEnd = 0;
    for (const linescan::ColorRange& r : ranges) {
        fuzz::Check(r.start >= previousEnd && r.start < r.end && r.end <= limit,
                    "ranges are in order and inside the scanned bytes");
        fuzz::Check(r.record >= 0 && r.record < 8, "records are 0 to 7");
        previousEnd = r.end;
    }
    if (line.size() > linescan::kMaxLineBytes + 1) {
        std::vector<linescan::ColorRange> cut;
        linescan::ScanLine(line.first(linescan::kMaxLineBytes + 1), Table(), cut);
        fuzz::Check(cut == ranges, "bytes past the limit change nothing");
    }
    return 0;
}
