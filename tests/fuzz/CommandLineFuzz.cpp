// Command-line splitting: any list of non-empty arguments, each put in
// double quotes with its own quotes tripled, splits back into that list;
// and any text splits into non-empty arguments.
#include <QStringList>

#include "FuzzSupport.h"
#include "doc/HspRunPlan.h"

namespace {

QString Quote(const QString& arg) {
    QString quoted = arg;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::Utf16(data, size);
    for (const QString& arg : SplitCommandLine(text)) {
        fuzz::Check(!arg.isEmpty(), "no empty argument");
    }
    // U+0000 separates the arguments of the list.
    QStringList args = text.split(QChar(0), Qt::SkipEmptyParts);
    QStringList quoted;
    for (const QString& arg : args) {
        quoted << Quote(arg);
    }
    fuzz::Check(SplitCommandLine(quoted.join(QLatin1Char(' '))) == args,
                "quoted arguments split back into the list");
    return 0;
}
