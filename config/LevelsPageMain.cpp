// Build step: writes the help's levels page from its template, with the table
// of what each learning level asks filled in from the game's own defaults.
//   kestavo-levels-page TEMPLATE OUTPUT [TRANSLATION.qm LANGUAGE]
// Without a translation the page is English, whatever the build machine's
// locale; with one, its texts and numbers are in that language.
#include "config/LevelGuide.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QTranslator>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: kestavo-levels-page TEMPLATE OUTPUT [TRANSLATION.qm LANGUAGE]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    QTranslator translator;
    if (argc == 5) {
        if (!translator.load(QString::fromLocal8Bit(argv[3]))) {
            std::fprintf(stderr, "kestavo-levels-page: cannot read the translation %s\n", argv[3]);
            return 1;
        }
        QCoreApplication::installTranslator(&translator);
        QLocale::setDefault(QLocale(QString::fromLocal8Bit(argv[4])));
    } else {
        QLocale::setDefault(QLocale(QLocale::English));
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
