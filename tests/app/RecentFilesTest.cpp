#include "app/RecentFiles.h"

#include "support/QuillTest.h"

namespace {

TEST(RecentFiles, AddRemoveAndMenuText) {
    const QStringList four = {"/a/1.as", "/a/2.as", "/a/3.as", "/a/4.as"};
    EXPECT_EQ(recent::Add(four, "/a/5.as", 4),
              QStringList({"/a/5.as", "/a/1.as", "/a/2.as", "/a/3.as"}));
    // The same file moves to the top instead of repeating.
    EXPECT_EQ(recent::Add(four, "/a/3.as", 4),
              QStringList({"/a/3.as", "/a/1.as", "/a/2.as", "/a/4.as"}));
    EXPECT_EQ(recent::Add({"", "/b.as"}, "/c.as", 4), QStringList({"/c.as", "/b.as"}));
    EXPECT_EQ(recent::Remove({"/a", "/b", "/c"}, 1), QStringList({"/a", "/c"}));
    EXPECT_EQ(recent::Remove({"/a"}, 3), QStringList({"/a"}));
    // "&" shows as itself, not as a mnemonic.
    EXPECT_EQ(recent::MenuText(3, "/x/R&D %1.as"),
              "&4 " + QDir::toNativeSeparators("/x/R&&D %1.as"));
}

}  // namespace
