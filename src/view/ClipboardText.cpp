#include "view/ClipboardText.h"

#include <QMimeData>

#include "text/Cp932Codec.h"

namespace clipboardtext {

void KeepExact(QMimeData* data) {
    const QString exact = data->text();
    const QString plain = cp932::WithoutMarks(exact);
    if (plain != exact) {
        data->setData(QLatin1String(kExactFormat), exact.toUtf8());
        data->setText(plain);
    }
}

QString TextToInsert(const QMimeData* data) {
    const QString plain = data->text();
    if (data->hasFormat(QLatin1String(kExactFormat))) {
        // Another program may have replaced the plain text alone.
        const QString exact = QString::fromUtf8(data->data(QLatin1String(kExactFormat)));
        if (cp932::WithoutMarks(exact) == plain) {
            return exact;
        }
    }
    return plain;
}

}  // namespace clipboardtext
