#pragma once
// Dialog 131: lists the script's labels and asks for the name to go to.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QListWidget;

class CLabelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelDlg(QWidget* parent = nullptr);

    // In: label names in text order and their one-based line numbers.
    QStringList m_labels;
    QList<int> m_lines;
    // Out: the text of the name box.
    QString m_label;
    // The number shown in the read-only line box.
    int m_line = 0;

    int exec() override;

public slots:
    void accept() override;

private:
    void OnSelchangeList();
    void OnDblclkList();
    int SelectedRow() const;
    // Shows m_label and m_line in the boxes.
    void UpdateBoxes();

    QLineEdit* m_nameBox = nullptr;
    QLineEdit* m_lineBox = nullptr;
    QListWidget* m_list = nullptr;
};
