#include "res/AppIcon.h"

// The icon is compiled into the static core library, whose resources must be
// registered by hand before first use.
static void InitAppIconResource() {
    Q_INIT_RESOURCE(AppIcon);
}

QIcon AppIcon() {
    static const bool registered = (InitAppIconResource(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/quill/quill.png"));
}
