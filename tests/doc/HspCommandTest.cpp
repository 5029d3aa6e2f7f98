// Commands as argument lists: splitting, placeholders, and the line shown.
#include <gtest/gtest.h>

#include "doc/HspCommand.h"
#include "doc/HspRunPlan.h"

namespace {

// A titled script with both run options and a command line.
HspCommandValues Values(bool utf8 = false) {
    const HspRunSettings settings{"/opt/my hsp/", 3, R"(-v "save data")", "", ""};
    const QString script = QStringLiteral("/home/u/ゲーム/main.as");
    return HspCommandValuesOf(
        MakeHspRunPlan(settings.hspdir, settings.exestat, settings.cmdline, script, "/"), settings,
        script, utf8);
}

TEST(HspCommand, PlaceholdersAreReplacedInsideEachArgument) {
    const struct {
        const char* command;
        bool utf8;
        QStringList args;
    } cases[] = {
        {kDefaultCompileCommand,
         false,
         {"/opt/my hsp/hspcmp", "-o/opt/my hsp/obj", "/opt/my hsp/hsptmp"}},
        {kDefaultCompileCommand,
         true,
         {"/opt/my hsp/hspcmp", "-i", "-o/opt/my hsp/obj", "/opt/my hsp/hsptmp"}},
        {kDefaultRunCommand, false, {"/opt/my hsp/hsp3cl", "/opt/my hsp/obj", "-v", "save data"}},
        {"run %f --dir=%d %a%o",
         false,
         {"run", "/home/u/ゲーム/main.as", "--dir=/home/u/ゲーム", "*@/opt/my hsp/obj"}},
        // %c inside a longer argument is the command line's text.
        {"run --args=%c", false, {"run", "--args=-v \"save data\""}},
        // %%, an unknown or final % stay as written.
        {"x 100%% %x %q% 5%", false, {"x", "100%", "%x", "%q%", "5%"}},
        {"x %%i", true, {"x", "%i"}},
        // Quotes in the command keep its own parts together.
        {"'/opt/a b/cc' \"%h\"x", false, {"/opt/a b/cc", "/opt/my hsp/x"}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(ExpandHspCommand(QString::fromUtf8(c.command), Values(c.utf8)), c.args);
    }
}

TEST(HspCommand, ArgumentsThatExpandToNothingAreDropped) {
    HspCommandValues values;  // untitled, no flags, no command line
    values.object = "obj";
    EXPECT_EQ(ExpandHspCommand("run %a %f %c %o %i", values), (QStringList{"run", "obj"}));
}

TEST(HspCommand, TheLineShownSplitsBackIntoTheSameArguments) {
    const QStringList args{"/opt/my hsp/hspcmp", "-o/x/obj", "say \"hi\"", "it's", "日本語"};
    const QString line = CommandLineText(args);
    EXPECT_EQ(line, R"("/opt/my hsp/hspcmp" -o/x/obj "say """hi"""" "it's" 日本語)");
    EXPECT_EQ(SplitCommandLine(line), args);
}

}  // namespace
