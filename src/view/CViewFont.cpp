#include "view/CViewFont.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include "view/CLineBoxLayout.h"
#include "view/EditorFont.h"

namespace {

// Pixels of room below every line beyond the ink the face draws there.
constexpr int kInkGap = 1;
// Wheel movement that makes one zoom step.
constexpr int kWheelStep = QWheelEvent::DefaultDeltasPerStep;

}  // namespace

CViewFont::CViewFont(QPlainTextEdit* edit, CLineBoxLayout* lineBox, const QFont& face)
    : QObject(edit),
      m_edit(edit),
      m_lineBox(lineBox),
      m_face(face),
      m_pointSize(editorfont::kDefaultPointSize) {
    Apply();
}

void CViewFont::Apply() {
    QFont font = m_face;
    font.setPointSize(m_pointSize);
    // Hinting snaps strokes to whole pixels; the hairline underscore of the
    // Japanese faces rounds to nothing under a desktop's full hinting, and
    // "move_player" would read "move player". Unhinted it always shows.
    font.setHintingPreference(QFont::PreferNoHinting);
    m_lineBox->SetExtraHeight(editorfont::InkBelowLine(font) + kInkGap);
    m_edit->setFont(font);
    m_edit->setTabStopDistance(m_edit->logicalDpiX() / 2.0 * m_pointSize /
                               editorfont::kDefaultPointSize);
    m_edit->viewport()->update();
}

void CViewFont::SetPointSize(int points) {
    points = editorfont::ClampPointSize(points);
    if (points == m_pointSize) {
        return;
    }
    m_pointSize = points;
    Apply();
    emit SizeChanged(points);
}

void CViewFont::SetFace(const QFont& face) {
    m_face = face;
    Apply();
}

void CViewFont::ZoomIn() {
    SetPointSize(m_pointSize + 1);
}
void CViewFont::ZoomOut() {
    SetPointSize(m_pointSize - 1);
}
void CViewFont::ZoomReset() {
    SetPointSize(editorfont::kDefaultPointSize);
}

bool CViewFont::HandleKey(const QKeyEvent& event) {
    // Shift is part of "+" on many keyboards; the keypad's keys count too.
    const Qt::KeyboardModifiers mods =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::ControlModifier) {
        return false;
    }
    switch (event.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            return true;
        case Qt::Key_Minus:
            ZoomOut();
            return true;
        case Qt::Key_0:
            ZoomReset();
            return true;
        default:
            return false;
    }
}

bool CViewFont::HandleWheel(const QWheelEvent& event) {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        m_wheelDelta = 0;
        return false;
    }
    m_wheelDelta += event.angleDelta().y();
    for (; m_wheelDelta >= kWheelStep; m_wheelDelta -= kWheelStep) {
        ZoomIn();
    }
    for (; m_wheelDelta <= -kWheelStep; m_wheelDelta += kWheelStep) {
        ZoomOut();
    }
    return true;
}
