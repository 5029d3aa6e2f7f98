// The settings store: defaults, exact read-back, hand-written values.
#include "support/QuillTest.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { testutil::ClearSettings(); }
    void TearDown() override { testutil::ClearSettings(); }
};

TEST_F(SettingsTest, ValuesReadBackUnchanged) {
    EXPECT_EQ(settings::GetString(settings::kHspDir), "");
    EXPECT_EQ(settings::GetInt(settings::kRight, 400), 400);
    EXPECT_TRUE(settings::RecentFiles().isEmpty());
    for (const QString& value :
         {QString("a, b, c"), QString("\"quoted\""), QString("C:\\HSP\\"), QString("   "),
          QString("  lead and trail  "), QString::fromUtf8("/home/ユーザー/hsp/"),
          QString("x=y;z#w"), QString("")}) {
        settings::WriteString(settings::kCmdLine, value);
        EXPECT_EQ(settings::GetString(settings::kCmdLine), value) << value.toStdString();
    }
    settings::WriteInt(settings::kExeStat, -7);
    EXPECT_EQ(settings::GetInt(settings::kExeStat, 0), -7);
    settings::WriteRecentFiles({"/a", "/b", "/c"});
    EXPECT_EQ(settings::RecentFiles(), QStringList({"/a", "/b", "/c"}));
    settings::WriteRecentFiles({"/x"});
    EXPECT_EQ(settings::RecentFiles(), QStringList({"/x"}));
}

TEST_F(SettingsTest, HandWrittenIniIsRead) {
    // Run on its own, the test finds no settings folder yet.
    QDir().mkpath(QFileInfo(testutil::SettingsFile()).path());
    QFile f(testutil::SettingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Settings]\nhspdir=/opt/hsp/\nexestat=3\nmode=1\ncmdline=a,b\nleft=junk\n"
        "[Recent%20File%20List]\nFile1=/tmp/a.as\nFile2=/tmp/b.as\n");
    f.close();
    EXPECT_EQ(settings::GetString(settings::kHspDir), "/opt/hsp/");
    EXPECT_EQ(settings::GetInt(settings::kExeStat, 0), 3);
    EXPECT_EQ(settings::GetInt(settings::kMode, 2), 1);
    EXPECT_EQ(settings::GetString(settings::kCmdLine), "a,b");
    EXPECT_EQ(settings::GetInt(settings::kLeft, 0), 0);
    EXPECT_EQ(settings::RecentFiles(), QStringList({"/tmp/a.as", "/tmp/b.as"}));
}

}  // namespace
