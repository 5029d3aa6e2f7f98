#pragma once
// The find and replace dialog, modeless and kept on top of the main window:
// find mode (search text, whole word, match case, direction; Find Next,
// Cancel) and replace mode (search text, replacement, whole word, match
// case; Find Next, Replace, Replace All, Cancel). The view owns one
// instance and reuses it for both modes; the buttons call the view's
// OnFindNext, OnReplaceSel and OnReplaceAll.

#include <QString>

#include "res/CDialogBase.h"

class CQuillView;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class CFindReplaceDlg : public CDialogBase {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    CFindReplaceDlg(CQuillView* view, QWidget* parent);
    ~CFindReplaceDlg() override;

    // Shows the dialog in `mode` (laying it out again when the mode
    // changes), puts `findWhat` into the search box unless it is empty, and
    // gives the search box the focus with its text selected.
    void Open(Mode mode, const QString& findWhat);

    Mode GetMode() const { return m_mode; }
    QString FindWhat() const;
    QString ReplaceWith() const;
    bool MatchCase() const;
    bool WholeWord() const;
    // Find mode's direction; replace mode always searches down.
    bool SearchDown() const;

protected:
    // Find Next: searches and stays open.
    void OnOK() override;

private:
    // Takes the controls of the current layout and connects them.
    void AttachControls();
    void UpdateButtons();
    void OnReplaceClicked();
    void OnReplaceAllClicked();

    CQuillView* m_view;
    Mode m_mode = Mode::Find;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_word = nullptr;
    QCheckBox* m_case = nullptr;
    QRadioButton* m_up = nullptr;
};
