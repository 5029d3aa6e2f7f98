#include <gtest/gtest.h>

#include "app/ExePath.h"

namespace {

QByteArray Replaced(QByteArray buffer, const char* find, const char* replacement) {
    StrReplace(buffer, find, replacement);
    return buffer;
}

TEST(StrReplace, ReplacesEveryOccurrenceWithoutSearchingInsertedText) {
    EXPECT_EQ(Replaced("C:\\TOOLS\\QUILL.EXE", "QUILL.EXE", "QUILL.DAT"), "C:\\TOOLS\\QUILL.DAT");
    EXPECT_EQ(Replaced("C:\\QUILL.EXE\\QUILL.EXE", "QUILL.EXE", "QUILL.DAT"),
              "C:\\QUILL.DAT\\QUILL.DAT");
    // The replacement contains the text searched for: it is not searched again.
    EXPECT_EQ(Replaced("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(Replaced("aaa", "aa", "b"), "ba");
}

TEST(StrReplace, MatchesBytesExactly) {
    EXPECT_EQ(Replaced("C:\\quill.exe", "QUILL.EXE", "QUILL.DAT"), "C:\\quill.exe");
    EXPECT_EQ(Replaced("", "QUILL.EXE", "QUILL.DAT"), "");
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
}

TEST(StrReplace, ShorterReplacementKeepsTheRestAndTheTerminator) {
    QByteArray buffer("D:\\QUILL.EXE tail");
    buffer.append('\0');
    buffer.append("after");
    StrReplace(buffer, "QUILL.EXE", "QFO\\");
    EXPECT_EQ(buffer, QByteArray("D:\\QFO\\ tail\0after", 18));
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
