#pragma once
// The find and replace dialog, modeless and kept on top of the main window,
// as the platform's common one: find mode (search text, whole word, match
// case, direction; Find Next, Cancel) and replace mode (search text,
// replacement, whole word, match case; Find Next, Replace, Replace All,
// Cancel). The view owns one instance and reuses it for both modes; the
// buttons call the view's OnFindNext, OnReplaceSel and OnReplaceAll.

#include <QDialog>
#include <QString>

class CQuillView;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    CFindReplaceDlg(CQuillView* view, QWidget* parent);
    ~CFindReplaceDlg() override;

    // Shows the dialog in `mode` (rebuilding its controls when the mode
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

private:
    void Build(Mode mode);
    void UpdateButtons();
    void OnFindNextClicked();
    void OnReplaceClicked();
    void OnReplaceAllClicked();

    CQuillView* m_view;
    Mode m_mode = Mode::Find;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_word = nullptr;
    QCheckBox* m_case = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
};
