#pragma once
// The pictures of the tool bar buttons and the window icon, drawn in code so
// that they need no image files and no icon theme.

#include <QIcon>
#include <QPixmap>

namespace res {

// The 16 by 15 picture of a tool bar command; a null pixmap for a command
// that has no button.
QPixmap CommandIcon(int id);

}  // namespace res
