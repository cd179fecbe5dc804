// Windows that show nothing but a colour, painted by the X server itself.
//
// A window that Qt paints keeps an image of its whole area in the program's
// memory (a screen-sized window costs megabytes). A window without controls
// needs none: the X server fills it with its background colour. Only on X11
// with a true-colour visual; elsewhere such windows are painted as usual.
#pragma once

#include <QColor>

class QWidget;

namespace wxqt {

// Whether windows of the given colour can be left to the X server here.
bool xFlaecheMoeglich();

// Makes the X server fill `fenster` (a native top-level window) with
// `farbe`; false when that is not possible, and nothing is changed then.
bool setzeXHintergrund(QWidget& fenster, const QColor& farbe);

}  // namespace wxqt
