#pragma once

#include <QByteArray>
#include <QImage>

// Windows metafiles, which Qt has no reader for, drawn through libwmf into
// a picture like any other.
namespace platform {

// True when the bytes begin as a Windows metafile does, with or without
// its placeable header.
bool IsMetafile(const QByteArray& head);

struct MetafilePicture {
    QImage image;           // empty when the metafile cannot be drawn
    bool tooLarge = false;  // its size passes maxPixels: it was not drawn
};

// Draws the metafile at its own size: its frame at 96 pixels to the inch
// when it has a placeable header, else its drawing one pixel to the point.
MetafilePicture ReadMetafile(const QByteArray& bytes, qint64 maxPixels);

}  // namespace platform
