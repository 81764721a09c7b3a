// Build step: writes the help's levels page from its template, with the table
// of what each learning level asks filled in from the game's own defaults.
//   kestavo-levels-page TEMPLATE OUTPUT
#include "config/LevelGuide.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestavo-levels-page TEMPLATE OUTPUT\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kestavo-levels-page: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString page = CLevelGuide::FillTemplate(QString::fromUtf8(in.readAll()));
    if (page.isEmpty()) {
        std::fprintf(stderr, "kestavo-levels-page: %s has no marker %s\n", argv[1], CLevelGuide::kMarker);
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(page.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "kestavo-levels-page: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
