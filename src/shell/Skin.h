#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The skin's pictures, drawn from the program's own SVG files.
namespace Skin {

// The picture named (without extension) at the given size in pixels; an
// empty size gives the picture's own size. A null pixmap when there is none.
QPixmap Picture(const QString& name, QSize size = QSize());

}  // namespace Skin
