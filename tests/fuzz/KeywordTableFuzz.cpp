// The QUILL.DAT parser agrees with a plain model: lines split at LF with a
// CR before it dropped, the file ends at 0x1A, directives switch the
// record, every other line is a key of the current record (the last
// mention wins).
#include <map>
#include <string>

#include "FuzzSupport.h"
#include "script/CKeywordTable.h"
#include "script/ColorRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string text = file.substr(0, file.find('\x1a'));
    std::map<std::string, int> model;
    int record = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t lf = text.find('\n', start);
        std::string line =
            text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (lf != std::string::npos && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const int directive =
            keywordcolors::DirectiveRecord(QByteArrayView(line.data(), qsizetype(line.size())));
        if (directive > 0) {
            record = directive;
        } else {
            model[line] = record;
        }
        start = lf == std::string::npos ? text.size() : lf + 1;
    }
    const CKeywordTable table = CKeywordTable::Parse(fuzz::Bytes(data, size));
    fuzz::Check(table.Size() == int(model.size()), "as many keys as the model");
    for (const auto& [key, value] : model) {
        fuzz::Check(table.Lookup(QByteArray(key.data(), qsizetype(key.size()))) == value,
                    "every key has the model's record");
    }
    return 0;
}
