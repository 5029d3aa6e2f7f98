#pragma once
// Dialog 132: asks for the line number to go to.

#include <QDialog>

class QLineEdit;

class CLineDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLineDlg(QWidget* parent = nullptr);

    // The digits at the start of `text` as a number; 0 when it starts with
    // no digit; INT_MAX when the number is too large for an int.
    static int ParseLineNumber(const QString& text);

    // The line entered, one-based; 0 when nothing usable was entered.
    int m_line = 0;

public slots:
    // OK: reads the box.
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
};
