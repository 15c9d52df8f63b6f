// The satellite picture of the idle display and the program's icon, both
// drawn from SVG sources built into the program.
#pragma once

#include <QIcon>
#include <QPixmap>

// The satellite picture, 443 x 442 pixels, sharp at `devicePixelRatio`.
QPixmap satellitePicture(qreal devicePixelRatio);

// The 32 x 32 satellite silhouette, at the sizes desktops ask for.
QIcon programIcon();
