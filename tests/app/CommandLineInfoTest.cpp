#include "support/QuillTest.h"

#include "app/CommandLineInfo.h"

namespace {

using Action = CommandLineInfo::Action;

TEST(ParseCommandLine, FilesOptionsAndErrors) {
    const struct {
        QStringList args;  // after the program name
        Action action;
        QStringList files;
        const char* textPart;  // found in the text to print
        bool japanese = false;
    } cases[] = {
        {{}, Action::Open, {}, ""},
        {{"a.as"}, Action::Open, {"a.as"}, ""},
        {{"a.as", "b.as"}, Action::Open, {"a.as", "b.as"}, ""},
        {{"--", "-dash.as"}, Action::Open, {"-dash.as"}, ""},
        {{"--help"}, Action::ShowHelp, {}, "Usage: quill [options] [FILE]\n"},
        {{"-h", "a.as"}, Action::ShowHelp, {}, "-v, --version"},
        {{"--help"}, Action::ShowHelp, {}, "使い方: quill [オプション] [ファイル]\n", true},
        {{"--version"}, Action::ShowVersion, {}, "QUILL 9.9\nCopyright (c) 2026 the QUILL authors"},
        {{"-v"}, Action::ShowVersion, {}, "License: MIT"},
        {{"-v"}, Action::ShowVersion, {}, "ライセンス: MIT", true},
        {{"--bogus", "a.as"},
         Action::Error,
         {},
         "quill: Unknown option 'bogus'.\nTry 'quill --help'"},
        // An unknown option wins over a request for the usage.
        {{"--help", "-x"}, Action::Error, {}, "Unknown option 'x'"},
        {{"-x"}, Action::Error, {}, "不明なオプション 'x' です。\n'quill --help'", true},
    };
    for (const auto& c : cases) {
        const CommandLineInfo info = ParseCommandLine(QStringList{"/usr/bin/quill"} + c.args,
                                                      QStringLiteral("9.9"), c.japanese);
        const std::string label = c.args.join(' ').toStdString();
        EXPECT_EQ(info.action, c.action) << label;
        EXPECT_EQ(info.files, c.files) << label;
        EXPECT_TRUE(info.text.contains(QString::fromUtf8(c.textPart))) << label;
        EXPECT_EQ(info.text.isEmpty(), c.action == Action::Open) << label;
    }
}

// The installed program answers without opening a window and exits with the
// code the answer calls for.
TEST(QuillCommandLine, PrintsAndExitsWithoutADisplay) {
    const struct {
        QStringList args;
        int exitCode;
        const char* out;
        const char* err;
        const char* lang = "C.UTF-8";
    } cases[] = {
        {{"--help"}, CommandLineInfo::kExitOk, "Usage: quill", ""},
        {{"--help"}, CommandLineInfo::kExitOk, "使い方: quill", "", "ja_JP.UTF-8"},
        {{"--version"}, CommandLineInfo::kExitOk, "QUILL ", ""},
        {{"--no-such-option", "a.as"}, CommandLineInfo::kExitUsage, "", "Unknown option"},
    };
    for (const auto& c : cases) {
        QProcess quill;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES"}) {
            env.remove(QLatin1String(name));
        }
        env.insert("LANG", c.lang);
        quill.setProcessEnvironment(env);
        quill.start(QStringLiteral(QUILL_BINARY), c.args);
        ASSERT_TRUE(quill.waitForFinished(10000));
        const std::string label = c.args.join(' ').toStdString();
        EXPECT_EQ(quill.exitStatus(), QProcess::NormalExit) << label;
        EXPECT_EQ(quill.exitCode(), c.exitCode) << label;
        const QByteArray out = quill.readAllStandardOutput();
        const QByteArray err = quill.readAllStandardError();
        EXPECT_TRUE(out.contains(c.out)) << label << out.constData();
        EXPECT_TRUE(err.contains(c.err)) << label << err.constData();
        EXPECT_EQ(out.isEmpty(), *c.out == '\0') << label;
    }
}

}  // namespace
