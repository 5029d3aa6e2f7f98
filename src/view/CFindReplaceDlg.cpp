#include "view/CFindReplaceDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "res/DialogResources.h"
#include "view/CQuillView.h"
#include "view/CWaitCursor.h"

CFindReplaceDlg::CFindReplaceDlg(CQuillView* view, QWidget* parent)
    : CDialogBase(IDD_FIND, parent), m_view(view) {
    setModal(false);
    AttachControls();
}

CFindReplaceDlg::~CFindReplaceDlg() = default;

void CFindReplaceDlg::AttachControls() {
    m_find = Control<QLineEdit>(IDC_FIND_WHAT);
    m_replace = Control<QLineEdit>(IDC_REPLACE_WITH);
    m_word = Control<QCheckBox>(IDC_WHOLE_WORD);
    m_case = Control<QCheckBox>(IDC_MATCH_CASE);
    m_up = Control<QRadioButton>(IDC_UP);
    if (auto* down = Control<QRadioButton>(IDC_DOWN)) {
        down->setChecked(true);
    }
    connect(m_find, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    if (auto* replace = Control<QPushButton>(IDC_REPLACE)) {
        connect(replace, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceClicked);
    }
    if (auto* replaceAll = Control<QPushButton>(IDC_REPLACE_ALL)) {
        connect(replaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceAllClicked);
    }
    UpdateButtons();
}

void CFindReplaceDlg::Open(Mode mode, const QString& findWhat) {
    if (mode != m_mode) {
        // What the user entered stays across the change of layout.
        const QString find = FindWhat();
        const QString replace = ReplaceWith();
        const bool word = WholeWord();
        const bool matchCase = MatchCase();
        const bool up = !SearchDown();
        m_mode = mode;
        SetTemplate(mode == Mode::Find ? IDD_FIND : IDD_REPLACE);
        AttachControls();
        m_find->setText(find);
        if (m_replace) {
            m_replace->setText(replace);
        }
        m_word->setChecked(word);
        m_case->setChecked(matchCase);
        if (m_up && up) {
            m_up->setChecked(true);
        }
    }
    if (!findWhat.isEmpty()) {
        m_find->setText(findWhat);
    }
    show();
    raise();
    activateWindow();
    m_find->setFocus();
    m_find->selectAll();
}

QString CFindReplaceDlg::FindWhat() const {
    return m_find->text();
}

QString CFindReplaceDlg::ReplaceWith() const {
    return m_replace ? m_replace->text() : QString();
}

bool CFindReplaceDlg::MatchCase() const {
    return m_case->isChecked();
}
bool CFindReplaceDlg::WholeWord() const {
    return m_word->isChecked();
}
bool CFindReplaceDlg::SearchDown() const {
    return !m_up || !m_up->isChecked();
}

void CFindReplaceDlg::UpdateButtons() {
    const bool any = !m_find->text().isEmpty();
    for (int id : {IDOK, IDC_REPLACE, IDC_REPLACE_ALL}) {
        if (QWidget* button = GetDlgItem(id)) {
            button->setEnabled(any);
        }
    }
}

void CFindReplaceDlg::OnOK() {
    m_view->OnFindNext(FindWhat(), SearchDown(), MatchCase(), WholeWord());
}

void CFindReplaceDlg::OnReplaceClicked() {
    m_view->OnReplaceSel(FindWhat(), true, MatchCase(), WholeWord(), ReplaceWith());
}

void CFindReplaceDlg::OnReplaceAllClicked() {
    // A new pass over the whole text that starts at the selection and
    // includes it: a selected occurrence is replaced too.
    m_view->Search().Restart(true);
    CWaitCursor wait;
    m_view->OnReplaceAll(FindWhat(), ReplaceWith(), MatchCase(), WholeWord());
}
