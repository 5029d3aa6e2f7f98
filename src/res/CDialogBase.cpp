#include "res/CDialogBase.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "res/AppIcon.h"
#include "res/DialogResources.h"
#include "res/DialogUnits.h"

namespace {

constexpr int kIconPixels = 32;

const DlgTemplate& TemplateById(int id) {
    const DlgTemplate* t = FindDlgTemplate(id);
    Q_ASSERT_X(t, "CDialogBase", "unknown dialog template");
    return *t;
}

QWidget* CreateControl(const DlgControl& c, QWidget* parent) {
    const QString text = QString::fromUtf8(c.text);
    const unsigned s = c.styles;
    switch (c.kind) {
        case DlgControlKind::PushButton:
        case DlgControlKind::DefPushButton: {
            auto* button = new QPushButton(text, parent);
            button->setDefault(c.kind == DlgControlKind::DefPushButton);
            return button;
        }
        case DlgControlKind::Static: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            return label;
        }
        case DlgControlKind::Edit: {
            auto* edit = new QLineEdit(text, parent);
            edit->setFrame((s & dlgstyle::kBorder) != 0);
            edit->setReadOnly((s & dlgstyle::kReadOnly) != 0);
            if (s & dlgstyle::kRightAlign) {
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            return edit;
        }
        case DlgControlKind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setFrameShape((s & dlgstyle::kBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
            list->setVerticalScrollBarPolicy((s & dlgstyle::kVScroll) ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            return list;
        }
        case DlgControlKind::Icon: {
            auto* icon = new QLabel(parent);
            icon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
            return icon;
        }
        case DlgControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case DlgControlKind::RadioButton:
            return new QRadioButton(text, parent);
        case DlgControlKind::GroupBox:
            return new QGroupBox(text, parent);
    }
    return nullptr;
}

}  // namespace

CDialogBase::CDialogBase(int templateId, QWidget* parent)
    : CDialogBase(TemplateById(templateId), parent) {}

CDialogBase::CDialogBase(const DlgTemplate& tmpl, QWidget* parent)
    : QDialog(parent), m_template(&tmpl) {
    if (tmpl.hasCaption) {
        // A title and a close box only, like a dialog box: no help,
        // minimize or maximize buttons on a window of fixed size.
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    }
    setFont(DialogFont(QString::fromUtf8(tmpl.fontFace), tmpl.pointSize));
    Build();
}

void CDialogBase::SetTemplate(int templateId) {
    for (const auto& placed : m_placed) {
        delete placed.first;
    }
    m_placed.clear();
    m_items.clear();
    m_template = &TemplateById(templateId);
    Build();
    if (isVisible()) {
        // Controls made for a dialog on screen show only when told to.
        for (const auto& placed : m_placed) {
            placed.first->show();
        }
    }
}

void CDialogBase::Build() {
    const DlgTemplate& t = *m_template;
    if (t.hasCaption) {
        setWindowTitle(QString::fromUtf8(t.title));
    }

    // Controls are created in table order, which is also the Tab order.
    QLabel* mnemonicLabel = nullptr;
    for (std::size_t i = 0; i < t.controlCount; ++i) {
        const DlgControl& c = t.controls[i];
        QWidget* w = CreateControl(c, this);
        if (!w) {
            continue;
        }
        if (c.name) {
            w->setObjectName(QString::fromLatin1(c.name));
        }
        if (mnemonicLabel) {
            mnemonicLabel->setBuddy(w);
            mnemonicLabel = nullptr;
        }
        if (c.kind == DlgControlKind::Static && (c.styles & dlgstyle::kMnemonic)) {
            mnemonicLabel = qobject_cast<QLabel*>(w);
        }
        m_placed.emplace_back(w, &c);
        if (c.id != IDC_STATIC) {
            m_items.insert(c.id, w);
        }
        if (c.id == IDOK || c.id == IDCANCEL) {
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                const bool ok = c.id == IDOK;
                connect(button, &QPushButton::clicked, this, [this, ok]() {
                    if (ok) {
                        OnOK();
                    } else {
                        OnCancel();
                    }
                });
            }
        }
    }
    Relayout();
}

void CDialogBase::Relayout() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    for (const auto& [w, c] : m_placed) {
        QRect r = MapDialogRect(QRect(c->x, c->y, c->w, c->h), base);
        if (c->kind == DlgControlKind::Icon) {
            // An icon control takes the icon's own size.
            r.setSize(QSize(kIconPixels, kIconPixels));
        }
        w->setGeometry(r);
    }
    setFixedSize(MapDialogRect(QRect(0, 0, m_template->w, m_template->h), base).size());
}

int CDialogBase::DoModal() {
    const int result = exec();
    return result == QDialog::Rejected ? IDCANCEL : result;
}

QString CDialogBase::GetDlgItemText(int id) const {
    QWidget* w = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    return QString();
}

void CDialogBase::SetDlgItemText(int id, const QString& text) {
    QWidget* w = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    }
}

void CDialogBase::reject() {
    OnCancel();
}

void CDialogBase::OnOK() {
    QDialog::accept();
}

void CDialogBase::OnCancel() {
    QDialog::reject();
}

void CDialogBase::showEvent(QShowEvent* event) {
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}
