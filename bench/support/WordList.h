#pragma once
// The shipped word list, which the build copies beside the benchmarks.

#include "res/ExePath.h"
#include "script/CKeywordTable.h"

namespace benchsupport {

inline CKeywordTable ShippedWordList() {
    CKeywordTable words;
    words.Load(ExeRelativePath(QLatin1String(kKeywordFileName)));
    return words;
}

}  // namespace benchsupport
