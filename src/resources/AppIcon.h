#pragma once
// The program's own icon: a night-blue tile with a crescent moon and a white EEG trace,
// drawn in code at the usual icon sizes.

#include <QIcon>
#include <QImage>

QIcon MakeAppIcon();
// One rendering of the icon, size × size pixels.
QImage RenderAppIcon(int size);
