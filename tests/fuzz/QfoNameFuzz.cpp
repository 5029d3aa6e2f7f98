// QuickFileOpen names: a name that is accepted names a file directly in the
// store, under that very name; nothing reaches outside the store.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FuzzSupport.h"
#include "qfo/QfoStore.h"
#include "res/ExePath.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetExecutablePathForTesting(QStringLiteral("/nonexistent/quill-fuzz/quill"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const QString& name :
         {fuzz::Utf16(data, size), QString::fromUtf8(fuzz::Bytes(data, size))}) {
        if (!QfoIsValidName(name)) {
            continue;
        }
        const QString store = QDir::cleanPath(QfoStorePath());
        const QString path = QfoEntryPath(name);
        const QFileInfo cleaned(QDir::cleanPath(path));
        fuzz::Check(cleaned.path() == store, "an entry lies directly in the store");
        fuzz::Check(cleaned.fileName() == name, "an entry's file has the entry's name");
        fuzz::Check(QFile::decodeName(QFile::encodeName(path)) == path,
                    "the file system holds the name as it is");
        // Reading an accepted name never leaves the store either (nothing
        // there: the store folder does not exist).
        fuzz::Check(!QfoReadEntry(name).has_value(), "no entry outside the store is read");
    }
    return 0;
}
