#include <gtest/gtest.h>

#include "res/ExePath.h"

namespace {

TEST(StrReplace, ReplacesEveryExactMatchWithoutSearchingInsertedText) {
    const struct {
        QByteArray buffer;
        const char *find, *replacement;
        QByteArray expected;
    } cases[] = {
        {"C:\\QUILL.EXE\\QUILL.EXE", "QUILL.EXE", "QUILL.DAT", "C:\\QUILL.DAT\\QUILL.DAT"},
        {"aXa", "a", "aa", "aaXaa"},
        {"aaa", "aa", "b", "ba"},
        {"C:\\quill.exe", "QUILL.EXE", "QUILL.DAT", "C:\\quill.exe"},
        {"", "QUILL.EXE", "QUILL.DAT", ""},
        {"abc", "", "x", "abc"},
        // Bytes after an embedded terminator are kept.
        {QByteArray("D:\\QUILL.EXE tail\0after", 23), "QUILL.EXE", "QFO\\",
         QByteArray("D:\\QFO\\ tail\0after", 18)},
    };
    for (const auto& c : cases) {
        QByteArray buffer = c.buffer;
        StrReplace(buffer, c.find, c.replacement);
        EXPECT_EQ(buffer, c.expected) << c.buffer.constData();
    }
}

TEST(ExeRelativePath, ReplacesOnlyTheFileName) {
    SetExecutablePathForTesting("/opt/quill/quill");
    EXPECT_EQ(ExeRelativePath("QUILL.DAT"), "/opt/quill/QUILL.DAT");
    // A folder named like the executable keeps its name.
    SetExecutablePathForTesting("/home/u/quill/quill");
    EXPECT_EQ(ExeRelativePath("QFO/"), "/home/u/quill/QFO/");
    SetExecutablePathForTesting(QString());
    EXPECT_TRUE(ExeRelativePath("QUILL.DAT").endsWith("/QUILL.DAT"));
}

}  // namespace
