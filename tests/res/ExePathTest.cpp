#include "support/QuillTest.h"

namespace {

TEST(ExeRelativePath, ReplacesOnlyTheFileName) {
    SetExecutablePathForTesting("/opt/quill/quill");
    EXPECT_EQ(ExeRelativePath("QUILL.DAT"), "/opt/quill/QUILL.DAT");
    // A folder named like the executable keeps its name.
    SetExecutablePathForTesting("/home/u/quill/quill");
    EXPECT_EQ(ExeRelativePath("QFO/"), "/home/u/quill/QFO/");
    SetExecutablePathForTesting(QString());
    EXPECT_TRUE(ExeRelativePath("QUILL.DAT").endsWith("/QUILL.DAT"));
}

// <root>/exe/ plays the executable's folder, <root>/user the user's data
// folder, <root>/a and <root>/b two folders with installed copies.
TEST(DecideDataPaths, BesideTheExecutableWhenItsFolderHoldsTheWordListOrTheStore) {
    const struct {
        const char* item;  // created in exe/, a folder when it ends with "/"
        bool portable;
    } cases[] = {
        {"QUILL.DAT", true},  {"QFO/", true}, {"QFO", false},  // a file is no store
        {"quill.dat", false},                                  // letter case counts
        {"other", false},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const QString exe = root.filePath("exe/");
        if (QString(c.item).endsWith('/')) {
            ASSERT_TRUE(QDir().mkpath(exe + c.item));
        } else {
            testutil::WriteFile(root, "exe/" + QString(c.item), "x");
        }
        testutil::WriteFile(root, "a/QUILL.DAT", "!red");
        const DataPaths p = DecideDataPaths(exe, root.filePath("user"), {root.filePath("a")});
        if (c.portable) {
            EXPECT_EQ(p.keywordFile, exe + "QUILL.DAT") << c.item;
            EXPECT_EQ(p.qfoFolder, exe + "QFO/") << c.item;
            EXPECT_FALSE(p.createsQfoFolder) << c.item;
        } else {
            EXPECT_EQ(p.keywordFile, root.filePath("a/QUILL.DAT")) << c.item;
            EXPECT_EQ(p.qfoFolder, root.filePath("user/QFO/")) << c.item;
            EXPECT_TRUE(p.createsQfoFolder) << c.item;
        }
    }
}

TEST(QuillDataPaths, UsesTheXdgFoldersAndTheInstallationPrefix) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/bin"));
    SetExecutablePathForTesting(root.filePath("usr/bin/quill"));
    testutil::ScopedEnv home("XDG_DATA_HOME", root.filePath("home"));
    testutil::ScopedEnv dirs("XDG_DATA_DIRS", root.filePath("sys1") + ":" + root.filePath("sys2"));
    // Each copy added takes precedence over the ones before it.
    for (const char* copy : {"sys2/quill", "sys1/quill", "usr/share/quill", "home/quill"}) {
        const QString file = testutil::WriteFile(root, QString(copy) + "/QUILL.DAT", copy);
        EXPECT_EQ(QuillDataPaths().keywordFile, file);
    }
    EXPECT_EQ(QuillDataPaths().qfoFolder, root.filePath("home/quill/QFO/"));
    SetExecutablePathForTesting(QString());
}

}  // namespace
