// The typeface of the windows: MS Sans Serif at 11 pixels, or the nearest
// plain sans-serif face that this machine has.
//
// The fallback is chosen from the installed families by name, in order of
// likeness, so that it does not depend on what the font matcher substitutes
// for a missing face.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The first of our preferred faces among `installed`, or an empty text when
// none of them is there.
QString nearestSansSerifFamily(const QStringList& installed);

// The windows' regular font, 11 pixels high.
QFont windowFont();
