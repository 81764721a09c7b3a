#pragma once

#include <QIcon>
#include <QImage>

// Loads the PNG image with the given resource id (":/png/<id>.png") fully
// decoded into a 32-bit ARGB image. A missing or undecodable resource gives a
// null image; callers skip every drawing step that needs it.
QImage LoadPngResource(int id);

// Reads a PNG file as PNG only: Qt's own guess at the format would first load
// every image format plugin to ask each about the file. Null when unreadable.
QImage ReadPngFile(const QString& path);
// The pixel size from the file's header, without decoding; invalid when unreadable.
QSize PngFileSize(const QString& path);

// The same image drawn `scale` times its natural size on a screen of the given
// device pixel ratio: its pixels are those of the screen (the largest drawn
// variant ":/png/<id>@<n>x.png" at or above the need, else the nearest below,
// resampled smoothly), and its device pixel ratio says so, so painters place it
// at scale x natural size in logical pixels. A scale of 1 on a ratio of 1 is
// the plain image.
QImage LoadPngResource(int id, double scale, qreal devicePixelRatio);

// The icon with the given resource id: ":/icons/<id>.png" and every size
// variant ":/icons/<id>-<size>.png" that exists. Null icon when none exists.
QIcon LoadIconResource(int id);
