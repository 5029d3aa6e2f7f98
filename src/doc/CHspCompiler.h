#pragma once
// The HSP compiler library: a shared object "hspcmp.dll" with the entry
// points hsc_ini, hsc_objname, hsc_comp, hsc_getmes and hsc_bye, each
// `extern "C" int f(intptr_t, intptr_t, intptr_t, intptr_t)`. It is loaded
// for one compile and unloaded again, so every compile sees the library as
// it is on disk at that moment.

#include <QString>

class CHspCompiler {
public:
    // Size of the buffer that receives the compiler's message text.
    static constexpr int kMessageBufferSize = 32000;

    enum class Status {
        Ok,                 // compiled: the object file has been written
        LoadFailed,         // the library could not be loaded
        MissingEntryPoint,  // `text` names the entry point that is missing
        CompileFailed,      // `text` is the compiler's message
    };
    struct Result {
        Status status;
        QString text;
    };

    // Loads `library`, compiles `source` into `object` and unloads it again.
    // Paths are passed to the library as zero-terminated strings in the file
    // system's encoding; the message is read as Shift_JIS.
    static Result Compile(const QString& library, const QString& source, const QString& object);
};
