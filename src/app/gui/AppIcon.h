#pragma once
// The application icon: a panel's SD card with an arrow to the computer,
// drawn at the sizes the window system asks for.
#include <QIcon>

QIcon MakeAppIcon();
