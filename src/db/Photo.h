#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// The recipe photo value of Cocktails.Photo: a picture file's bytes kept
// inline as decimal numbers joined by "#", a picture file's path, or one
// blank (or no value) for no photo. Every writer and reader goes through here.
namespace db {

// Files shorter than this are kept inline; larger ones by their path.
inline constexpr qint64 kPhotoInlineLimit = 2000;

// Bytes to the inline text: "0#7#255".
QString PhotoInline(const QByteArray& bytes);
// The inline text back to bytes. False when a part is not a byte value.
bool PhotoBytes(const QString& value, QByteArray* bytes);

// The bytes an inline value shows: the pieces between "#" in order, up to
// the first empty one; a piece that is not a number from 0 to 255 is 0.
QByteArray PhotoShownBytes(const QString& value);

enum class PhotoKind { None, Inline, Path };
// How a stored value reads: with a "#" inline unless it is the full path
// of an existing file, else a path when its trimmed text is not empty, else
// no photo.
PhotoKind PhotoKindOf(const QVariant& value);

// The value to store for a chosen picture file: a blank path gives " ", a
// file under the limit its bytes inline, any other its path. Raises
// platform::DbError when a small file cannot be read.
QString PhotoValue(const QString& path);

}  // namespace db
