#pragma once
// Compile and run: writes the script to the temporary source, compiles it
// with the HSP compiler library and, when that succeeds, starts the HSP
// runtime on the object file without waiting for it. No widgets: the caller
// shows the one message a run may produce.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "doc/HspRunPlan.h"

class CHspRunner {
public:
    // Produces the script's bytes as a save writes them, or a message and
    // false when the text cannot be encoded.
    using Serializer = std::function<bool(QByteArray* bytes, QString* error)>;

    // Runs the command as `plan` says. Returns the message to show (the
    // compiler's text may be empty), or nothing when the runtime was started
    // (or failed to start, which is not reported). While the compiler works, the working
    // directory is the process's current directory (a compiler resolves the
    // script's relative includes from there); the previous one is restored
    // before returning.
    static std::optional<QString> Run(const HspRunPlan& plan, const Serializer& serialize);

    // Everything Run does before the compile: checks that the working
    // directory can be entered and writes the temporary source. Returns the
    // message to show, or nothing when the source has been written.
    static std::optional<QString> WriteSource(const HspRunPlan& plan, const Serializer& serialize);
};
