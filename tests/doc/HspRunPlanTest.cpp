// Working out a run: folder, file paths and the runtime's arguments.
#include "support/QuillTest.h"

#include "doc/HspRunPlan.h"

TEST(HspRunPlan, RunFolderIsTheScriptsFolderOrTheHspFolder) {
    EXPECT_EQ(RunFolderOf("/home/u/src/game.as", "/opt/hsp/"), "/home/u/src");
    EXPECT_EQ(RunFolderOf("", "/opt/hsp/"), "/opt/hsp/");
    EXPECT_EQ(RunFolderOf("", ""), "");
    EXPECT_EQ(RunFolderOf("/game.as", "/opt/hsp/"), "/");
    EXPECT_EQ(RunFolderOf("game.as", "/opt/hsp/"), "");
    // Only the last separator counts; a Japanese folder name is kept whole.
    EXPECT_EQ(RunFolderOf(QStringLiteral("/home/u/表示/a.as"), ""), QStringLiteral("/home/u/表示"));
}

TEST(HspRunPlan, RunOptionsPrefixTheObjectFile) {
    const struct {
        int exestat;
        const char* first;
    } cases[] = {{0, "obj"},   {1, "*obj"}, {2, "@obj"}, {3, "*@obj"}, {1 | 8 | 256, "*obj"},
                 {-1, "*@obj"}};  // only the two low bits count
    for (const auto& c : cases) {
        EXPECT_EQ(RuntimeArguments("obj", c.exestat, "   "), QStringList{c.first}) << c.exestat;
    }
}

TEST(HspRunPlan, CommandLineIsSplitIntoArgumentsNeverInterpreted) {
    const QString obj = "obj";
    // Double quotes, and single quotes that begin a word, keep a part
    // together; an apostrophe inside a word is an ordinary character.
    EXPECT_EQ(RuntimeArguments(obj, 0, R"(one "two words" it's 'three  words' x'y z')"),
              (QStringList{"obj", "one", "two words", "it's", "three  words", "x'y", "z'"}));
    EXPECT_EQ(RuntimeArguments(obj, 0, R"('a "b" c' "d 'e' f" 'open)"),
              (QStringList{"obj", "a \"b\" c", "d 'e' f", "'open"}));
    EXPECT_EQ(RuntimeArguments(obj, 0, R"(say """hi""")"), (QStringList{"obj", "say", "\"hi\""}));
    // Shell syntax stays literal text.
    EXPECT_EQ(RuntimeArguments(obj, 0, "a; rm x && $(b) | c"),
              (QStringList{"obj", "a;", "rm", "x", "&&", "$(b)", "|", "c"}));
}

TEST(HspRunPlan, FilesAreTheHspFolderPlusTheirNames) {
    const HspRunPlan untitled = MakeHspRunPlan("/opt/my hsp/", 2, "-x", "", "/home/u");
    EXPECT_EQ(untitled.workdir, "/opt/my hsp/");
    EXPECT_EQ(untitled.source, "/opt/my hsp/hsptmp");
    EXPECT_EQ(untitled.object, "/opt/my hsp/obj");
    EXPECT_EQ(untitled.runtime, "/opt/my hsp/hsp2");
    EXPECT_EQ(untitled.args, (QStringList{"@/opt/my hsp/obj", "-x"}));

    const HspRunPlan titled = MakeHspRunPlan("/opt/hsp/", 0, "", "/w/game.as", "/home/u");
    EXPECT_EQ(titled.workdir, "/w");
    EXPECT_EQ(titled.source, "/opt/hsp/hsptmp");

    // With no HSP folder the bare names are found in the script's folder.
    const HspRunPlan bare = MakeHspRunPlan("", 0, "", "/w/game.as", "/home/u");
    EXPECT_EQ(bare.workdir, "/w");
    EXPECT_EQ(bare.source, "/w/hsptmp");
    EXPECT_EQ(bare.library, "/w/hspcmp.dll");
    EXPECT_EQ(bare.args, QStringList{"/w/obj"});

    // An untitled script with no HSP folder has nowhere to run.
    EXPECT_TRUE(MakeHspRunPlan("", 0, "", "", "/home/u").workdir.isEmpty());
    // A folder typed without its final "/" is used as if it had one.
    EXPECT_EQ(MakeHspRunPlan("/opt/hsp", 0, "", "/w/game.as", "/home/u").source, "/opt/hsp/hsptmp");
    // A relative HSP folder is taken from the editor's current folder.
    EXPECT_EQ(MakeHspRunPlan("hsp/", 0, "", "", "/home/u").workdir, "/home/u/hsp/");
}

TEST(HspRunPlan, SplittingALongCommandLineTakesLinearTime) {
    // A million characters: words, a double-quoted stretch and a single
    // quote that never closes. Quadratic scanning takes tens of seconds.
    const QString words = QStringLiteral("ab ").repeated(300'000);
    const QString cmdline = words + QStringLiteral("\"q r\" 'open ") + words;
    QElapsedTimer timer;
    timer.start();
    const QStringList args = SplitCommandLine(cmdline);
    EXPECT_LT(timer.elapsed(), 3000);
    ASSERT_EQ(args.size(), 600'002);
    EXPECT_EQ(args.at(300'000), "q r");
    EXPECT_EQ(args.at(300'001), "'open");
}
