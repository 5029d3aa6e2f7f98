#pragma once
// The editor's one top-level window: menu, tool bar, status bar, the view in
// the middle; keeps its placement in the settings and serves the two
// run-option toggles.

#include <QMainWindow>

#include "app/CommandTarget.h"

class CQuillDoc;
class CQuillView;

class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CQuillDoc* doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds bars and menus and places the window; false when that failed.
    bool OnCreate();

    CQuillView* GetView() const { return m_view; }
    CQuillDoc* GetDocument() const { return m_doc; }

    bool OnCommand(int id) override;
    // Routes a command to view, document, frame, application in turn.
    void DispatchCommand(int id);

    void OnHspFullscreen();
    void OnHspDebugwin();
    // Stores the placement in the settings.
    void OnDestroy();

    // Refreshes the window title from the document.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CQuillDoc* m_doc;
    CQuillView* m_view;
};
