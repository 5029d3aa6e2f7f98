#include "view/CFindReplaceDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <span>

#include "res/DialogUnits.h"
#include "view/CQuillView.h"
#include "view/CWaitCursor.h"

namespace {

enum class Kind { Label, Edit, Check, Radio, Group, Button, DefaultButton };

// The controls the dialog code talks to; None for static ones.
enum class Ctl {
    None,
    FindWhat,
    ReplaceWith,
    WholeWord,
    MatchCase,
    Up,
    Down,
    FindNext,
    Replace,
    ReplaceAll,
    Cancel
};

// One control of a layout, in dialog units. A label names the control it
// is the buddy of (its mnemonic moves the focus there).
struct ControlSpec {
    Kind kind;
    Ctl id;
    const char* name;
    const char* text;
    int x, y, cx, cy;
    Ctl buddy = Ctl::None;
};

struct DialogSpec {
    const char* caption;
    int cx, cy;
    std::span<const ControlSpec> controls;
};

// Controls are created in table order, which is also the tab order.
constexpr ControlSpec kFindControls[] = {
    {Kind::Label, Ctl::None, "findLabel", "検索する文字列(&N):", 6, 9, 72, 8, Ctl::FindWhat},
    {Kind::Edit, Ctl::FindWhat, "findWhat", "", 80, 7, 144, 12},
    {Kind::Check, Ctl::WholeWord, "wholeWord", "単語単位で探す(&W)", 6, 28, 110, 10},
    {Kind::Check, Ctl::MatchCase, "matchCase", "大文字と小文字を区別する(&C)", 6, 44, 126, 10},
    {Kind::Group, Ctl::None, "direction", "方向", 138, 24, 86, 32},
    {Kind::Radio, Ctl::Up, "up", "上へ(&U)", 144, 38, 38, 10},
    {Kind::Radio, Ctl::Down, "down", "下へ(&D)", 184, 38, 38, 10},
    {Kind::DefaultButton, Ctl::FindNext, "findNext", "次を検索(&F)", 230, 6, 62, 14},
    {Kind::Button, Ctl::Cancel, "cancel", "キャンセル", 230, 24, 62, 14},
};

constexpr ControlSpec kReplaceControls[] = {
    {Kind::Label, Ctl::None, "findLabel", "検索する文字列(&N):", 6, 9, 72, 8, Ctl::FindWhat},
    {Kind::Edit, Ctl::FindWhat, "findWhat", "", 80, 7, 144, 12},
    {Kind::Label, Ctl::None, "replaceLabel", "置換後の文字列(&P):", 6, 26, 72, 8, Ctl::ReplaceWith},
    {Kind::Edit, Ctl::ReplaceWith, "replaceWith", "", 80, 24, 144, 12},
    {Kind::Check, Ctl::WholeWord, "wholeWord", "単語単位で探す(&W)", 6, 46, 110, 10},
    {Kind::Check, Ctl::MatchCase, "matchCase", "大文字と小文字を区別する(&C)", 6, 62, 126, 10},
    {Kind::DefaultButton, Ctl::FindNext, "findNext", "次を検索(&F)", 230, 6, 62, 14},
    {Kind::Button, Ctl::Replace, "replace", "置換して次に(&R)", 230, 23, 62, 14},
    {Kind::Button, Ctl::ReplaceAll, "replaceAll", "すべて置換(&A)", 230, 40, 62, 14},
    {Kind::Button, Ctl::Cancel, "cancel", "キャンセル", 230, 57, 62, 14},
};

constexpr DialogSpec kFindDialog{"検索", 298, 62, kFindControls};
constexpr DialogSpec kReplaceDialog{"置換", 298, 78, kReplaceControls};

}  // namespace

CFindReplaceDlg::CFindReplaceDlg(CQuillView* view, QWidget* parent)
    : QDialog(parent), m_view(view) {
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    Build(Mode::Find);
}

CFindReplaceDlg::~CFindReplaceDlg() = default;

void CFindReplaceDlg::Build(Mode mode) {
    // Keep what the user entered across a change of mode.
    const QString find = m_find ? m_find->text() : QString();
    const QString replace = m_replace ? m_replace->text() : QString();
    const bool word = m_word && m_word->isChecked();
    const bool matchCase = m_case && m_case->isChecked();
    const bool up = m_up && m_up->isChecked();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        delete w;
    }
    m_find = m_replace = nullptr;
    m_word = m_case = nullptr;
    m_up = m_down = nullptr;
    m_findNext = m_replaceOne = m_replaceAll = nullptr;

    m_mode = mode;
    const DialogSpec& layout = mode == Mode::Find ? kFindDialog : kReplaceDialog;
    const DialogBaseUnits base = BaseUnitsOf(font());
    setWindowTitle(QString::fromUtf8(layout.caption));
    setFixedSize(MapDialogRect(QRect(0, 0, layout.cx, layout.cy), base).size());

    QMap<Ctl, QWidget*> byId;
    QList<QPair<QLabel*, Ctl>> buddies;
    for (const ControlSpec& c : layout.controls) {
        const QString text = QString::fromUtf8(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
            case Kind::Label: {
                auto label = new QLabel(text, this);
                buddies.append({label, c.buddy});
                w = label;
                break;
            }
            case Kind::Edit:
                w = new QLineEdit(this);
                break;
            case Kind::Check:
                w = new QCheckBox(text, this);
                break;
            case Kind::Radio:
                w = new QRadioButton(text, this);
                break;
            case Kind::Group:
                w = new QGroupBox(text, this);
                break;
            case Kind::Button:
            case Kind::DefaultButton: {
                auto button = new QPushButton(text, this);
                button->setDefault(c.kind == Kind::DefaultButton);
                w = button;
                break;
            }
        }
        w->setObjectName(QString::fromLatin1(c.name));
        w->setGeometry(MapDialogRect(QRect(c.x, c.y, c.cx, c.cy), base));
        w->show();  // needed when the controls are rebuilt in a visible dialog
        if (c.id != Ctl::None) {
            byId.insert(c.id, w);
        }
    }
    for (const auto& [label, buddy] : buddies) {
        label->setBuddy(byId.value(buddy));
    }

    m_find = qobject_cast<QLineEdit*>(byId.value(Ctl::FindWhat));
    m_replace = qobject_cast<QLineEdit*>(byId.value(Ctl::ReplaceWith));
    m_word = qobject_cast<QCheckBox*>(byId.value(Ctl::WholeWord));
    m_case = qobject_cast<QCheckBox*>(byId.value(Ctl::MatchCase));
    m_up = qobject_cast<QRadioButton*>(byId.value(Ctl::Up));
    m_down = qobject_cast<QRadioButton*>(byId.value(Ctl::Down));
    m_findNext = qobject_cast<QPushButton*>(byId.value(Ctl::FindNext));
    m_replaceOne = qobject_cast<QPushButton*>(byId.value(Ctl::Replace));
    m_replaceAll = qobject_cast<QPushButton*>(byId.value(Ctl::ReplaceAll));
    auto cancel = qobject_cast<QPushButton*>(byId.value(Ctl::Cancel));

    m_find->setText(find);
    if (m_replace) {
        m_replace->setText(replace);
    }
    m_word->setChecked(word);
    m_case->setChecked(matchCase);
    if (m_up) {
        (up ? m_up : m_down)->setChecked(true);
    }

    connect(m_find, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &CFindReplaceDlg::OnFindNextClicked);
    if (m_replaceOne) {
        connect(m_replaceOne, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceClicked);
    }
    if (m_replaceAll) {
        connect(m_replaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceAllClicked);
    }
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

void CFindReplaceDlg::Open(Mode mode, const QString& findWhat) {
    if (mode != m_mode) {
        Build(mode);
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
    for (QPushButton* b : {m_findNext, m_replaceOne, m_replaceAll}) {
        if (b) {
            b->setEnabled(any);
        }
    }
}

void CFindReplaceDlg::OnFindNextClicked() {
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
