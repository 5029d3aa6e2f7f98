#include "support/QuillTest.h"

#include "qfo/QfoProcess.h"

namespace {

TEST(QfoLaunch, PassesThePathWholeAsTheOnlyArgument) {
    const QString longPath = "/" + QString(5000, 'p') + "/a b \"c\" $HOME;.as";
    EXPECT_EQ(QfoLaunchArguments(longPath), QStringList({longPath}));
    EXPECT_EQ(QfoLaunchArguments("rel/x.as"), QStringList({"rel/x.as"}));
    // A path that looks like an option stays a file name.
    EXPECT_EQ(QfoLaunchArguments("-style=x.as"), QStringList({"./-style=x.as"}));

    QString program;
    QStringList args;
    SetQfoLaunchHookForTesting([&](const QString& p, const QStringList& a) {
        program = p;
        args = a;
    });
    QfoLaunchProcess(longPath);
    SetQfoLaunchHookForTesting({});
    EXPECT_EQ(program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(args, QStringList({longPath}));
}

}  // namespace
