#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "platform/Controls.h"

// The skin's pictures, drawn from the program's own SVG files.
namespace Skin {

// The colours of text on the dark skin: cream for text, gold for titles.
inline const QColor kCreme{240, 226, 196};
inline const QColor kOr{246, 208, 128};

// The picture named (without extension) at the given size in pixels; an
// empty size gives the picture's own size. A null pixmap when there is none.
QPixmap Picture(const QString& name, QSize size = QSize());

// Dresses a picture button in the three faces of a stem (stem_normal,
// stem_pressed, stem_hover) drawn at its size, and shows the normal one.
void Habiller(platform::PictureButton& b, const QString& stem);

}  // namespace Skin
