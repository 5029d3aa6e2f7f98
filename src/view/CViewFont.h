#pragma once
// The face and size of the editor's text, and zooming it: one point a step
// by Ctrl+wheel, Ctrl++ / Ctrl+- and Ctrl+0 for the default size. It gives
// the text widget the font, the line boxes the room below each line that
// the face's ink needs, and the tab stops their width: half an inch at the
// default size, scaled with the text so that indents keep their shape.

#include <QFont>
#include <QObject>

class CLineBoxLayout;
class QKeyEvent;
class QPlainTextEdit;
class QWheelEvent;

class CViewFont : public QObject {
    Q_OBJECT
public:
    // Applies `face` at the default size to `edit`, whose document `lineBox`
    // lays out.
    CViewFont(QPlainTextEdit* edit, CLineBoxLayout* lineBox, const QFont& face);

    int PointSize() const { return m_pointSize; }
    // Sets the size, kept within the zoom range.
    void SetPointSize(int points);
    // The face, for a test that shows the text in each face a desktop may
    // give the editor.
    void SetFace(const QFont& face);
    void ZoomIn();
    void ZoomOut();
    void ZoomReset();

    // Zooms for Ctrl++, Ctrl+- or Ctrl+0; false for any other key.
    bool HandleKey(const QKeyEvent& event);
    // Zooms for a wheel turned with Ctrl held; false without Ctrl.
    bool HandleWheel(const QWheelEvent& event);

signals:
    // The size was changed (by a zoom or SetPointSize).
    void SizeChanged(int points);

private:
    void Apply();

    QPlainTextEdit* m_edit;
    CLineBoxLayout* m_lineBox;
    QFont m_face;
    int m_pointSize;
    // Wheel movement with Ctrl held not yet turned into zoom steps.
    int m_wheelDelta = 0;
};
