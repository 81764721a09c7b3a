#pragma once

#include <QIcon>
#include <QImage>

// Loads the PNG image with the given resource id (":/png/<id>.png") fully
// decoded into a 32-bit ARGB image. A missing or undecodable resource gives a
// null image; callers skip every drawing step that needs it.
QImage LoadPngResource(int id);

// The icon with the given resource id: ":/icons/<id>.png" and every size
// variant ":/icons/<id>-<size>.png" that exists. Null icon when none exists.
QIcon LoadIconResource(int id);
