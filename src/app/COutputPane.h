#pragma once
// The output pane ("出力"): the command lines that F5 ran, what they
// printed and how they ended, the last kMaxLines lines of it, with a 停止
// button. A line that names a line of the script can be chosen (double-click,
// Enter, F8 / Shift+F8): it is marked and LineChosen tells where to go.

#include <QStringList>
#include <QTextCursor>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextBlock;

class COutputPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 10000;

    explicit COutputPane(QWidget* parent = nullptr);

    // A new F5: the pane is emptied; `names` are the names under which the
    // messages may give the script.
    void Begin(const QStringList& names);
    // A line of the session's own (command line, end), shown apart.
    void AppendNote(const QString& text);
    // Lines the programs printed.
    void AppendOutput(const QStringList& lines);
    // What runs now ("" when nothing does): shown beside 停止, which is
    // enabled while something runs.
    void SetRunning(const QString& what);

    // Choose the first, next or previous printed line that names a line of
    // the script; false (nothing changes) when there is none.
    bool ChooseFirst();
    bool ChooseNext();
    bool ChoosePrevious();
    // The number of the marked line in the pane, or -1.
    int MarkedLine() const;

    QPlainTextEdit* Text() const { return m_text; }
    QPushButton* StopButton() const { return m_stop; }

signals:
    void StopRequested();
    // A chosen pane line names line `scriptLine` (counted from 1) of the script.
    void LineChosen(int scriptLine);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Append(const QString& text, bool note);
    bool Choose(const QTextBlock& block);
    bool ChooseFrom(QTextBlock block, bool forward);

    QPlainTextEdit* m_text;
    QPushButton* m_stop;
    QLabel* m_state;
    QStringList m_names;
    // At the start of the marked line; null when none is marked.
    QTextCursor m_mark;
};
