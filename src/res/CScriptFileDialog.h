#pragma once
// The editor's file dialog for opening and saving scripts: Qt's own dialog
// (so that it speaks the interface's language whatever the desktop is),
// the script type first, ".as" added to a typed name that has none, and an
// "all files" type that lists every file, also those without a dot.

#include <QFileDialog>
#include <QStringList>

class CScriptFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class Mode { Open, Save };

    // `filters` as QFileDialog takes them, the script type first; a filter
    // whose only pattern is "*.*" stands for every file.
    CScriptFileDialog(QWidget* parent, Mode mode, const QStringList& filters);

    // The chosen file after exec(); empty when cancelled.
    QString SelectedFile() const;

    // Runs an Open dialog; the chosen file or an empty string.
    static QString GetOpenFileName(QWidget* parent, const QStringList& filters);

    // True for a filter that stands for every file.
    static bool IsAllFilesFilter(const QString& filter);

public slots:
    void accept() override;

private:
    // Gives the dialog's file model the patterns of `filter`, with "*" for
    // the filter of every file.
    void ApplyFilter(const QString& filter);

    Mode m_mode;
    // The file name as last typed or chosen.
    QString m_name;
};
