#pragma once
// A modal dialog laid out from a dialog template (DlgTemplate): the controls
// are placed absolutely, with dialog units converted by the dialog font's
// metrics. Button IDOK runs OnOK (accept), IDCANCEL, Escape and the close box
// run OnCancel (reject). A dialog class derives from this, finds its controls
// by id and holds only behaviour.

#include <QDialog>
#include <QHash>
#include <QString>
#include <utility>
#include <vector>

#include "res/DlgTemplate.h"

class CDialogBase : public QDialog {
    Q_OBJECT
public:
    // Lays out the dialog from the template with resource number `templateId`
    // (which must exist), or from `tmpl`.
    explicit CDialogBase(int templateId, QWidget* parent = nullptr);
    explicit CDialogBase(const DlgTemplate& tmpl, QWidget* parent = nullptr);

    // Runs the dialog modally; returns IDOK when it was accepted, IDCANCEL
    // when it was rejected.
    int DoModal();

    // The control with `id`, or null (labels with IDC_STATIC are not found).
    QWidget* GetDlgItem(int id) const { return m_items.value(id); }
    template <class T>
    T* Control(int id) const {
        return qobject_cast<T*>(GetDlgItem(id));
    }
    // Text of an edit box, label or button.
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);

    // Routes Escape and the close box to OnCancel.
    void reject() override;

protected:
    // Lays the dialog out again from the template with resource number
    // `templateId`: new controls (the old ones are deleted), title and size.
    // The window's kind and font stay those of the first template.
    void SetTemplate(int templateId);

    // Called once, when the dialog is first shown (before it is visible).
    virtual void OnInitDialog() {}
    // The OK button (and Enter on the default button): accepts by default.
    virtual void OnOK();
    // The Cancel button, Escape and the close box: rejects by default.
    virtual void OnCancel();

    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void Relayout();

    const DlgTemplate* m_template;
    QHash<int, QWidget*> m_items;
    std::vector<std::pair<QWidget*, const DlgControl*>> m_placed;
    bool m_initialized = false;
};
