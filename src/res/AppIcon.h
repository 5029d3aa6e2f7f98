#pragma once
// The application icon (shown in the about box and as the windows' icon).

#include <QIcon>

QIcon AppIcon();
