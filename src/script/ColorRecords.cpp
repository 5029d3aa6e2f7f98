#include "script/ColorRecords.h"

namespace keywordcolors {

int DirectiveRecord(QByteArrayView line) {
    for (int i = 1; i < kRecordCount; ++i) {
        if (line == QByteArrayView(kRecords[i].directive)) {
            return i;
        }
    }
    return -1;
}

}  // namespace keywordcolors
