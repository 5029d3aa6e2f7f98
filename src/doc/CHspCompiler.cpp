#include "doc/CHspCompiler.h"

#include <dlfcn.h>

#include <QByteArray>
#include <QFile>
#include <cstdint>
#include <cstring>

#include "text/Cp932Codec.h"

namespace {

using EntryPoint = int (*)(intptr_t, intptr_t, intptr_t, intptr_t);

// The library's handle, closed when it goes out of scope.
class LibraryHandle {
public:
    explicit LibraryHandle(const QByteArray& path)
        : m_handle(dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL)) {}
    ~LibraryHandle() {
        if (m_handle) {
            dlclose(m_handle);
        }
    }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;

    bool IsLoaded() const { return m_handle != nullptr; }
    EntryPoint Find(const char* name) const {
        void* symbol = dlsym(m_handle, name);
        EntryPoint entry = nullptr;
        static_assert(sizeof entry == sizeof symbol);
        std::memcpy(&entry, &symbol, sizeof entry);
        return entry;
    }

private:
    void* m_handle;
};

intptr_t Text(const QByteArray& bytes) {
    return reinterpret_cast<intptr_t>(bytes.constData());
}

}  // namespace

CHspCompiler::Result CHspCompiler::Compile(const QString& library, const QString& source,
                                           const QString& object) {
    LibraryHandle lib(QFile::encodeName(library));
    if (!lib.IsLoaded()) {
        return {Status::LoadFailed, QString()};
    }
    // Every entry point is looked up before any is called, so a library
    // that lacks one is reported instead of being half used.
    static constexpr const char* kNames[] = {"hsc_ini", "hsc_objname", "hsc_comp", "hsc_getmes",
                                             "hsc_bye"};
    EntryPoint entries[std::size(kNames)];
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        entries[i] = lib.Find(kNames[i]);
        if (!entries[i]) {
            return {Status::MissingEntryPoint, QString::fromLatin1(kNames[i])};
        }
    }
    const auto [ini, objname, comp, getmes, bye] = entries;

    const QByteArray sourceBytes = QFile::encodeName(source);
    const QByteArray objectBytes = QFile::encodeName(object);
    ini(0, Text(sourceBytes), 0, 0);
    objname(0, Text(objectBytes), 0, 0);
    if (comp(1, 0, 0, 0) == 0) {
        bye(0, 0, 0, 0);
        return {Status::Ok, QString()};
    }
    // The buffer is cleared first and its last byte forced to zero after, so
    // the text ends inside it whatever the library wrote.
    QByteArray buffer(kMessageBufferSize, '\0');
    getmes(reinterpret_cast<intptr_t>(buffer.data()), 0, 0, 0);
    buffer[kMessageBufferSize - 1] = '\0';
    const QByteArray message(buffer.constData(), qstrnlen(buffer.constData(), kMessageBufferSize));
    bye(0, 0, 0, 0);
    return {Status::CompileFailed, cp932::Decode(message)};
}
