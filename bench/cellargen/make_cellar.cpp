// Writes a cellar file: the demo cellar, or a synthetic one of N lots.
//   tonnelix-make-cellar --demo FILE
//   tonnelix-make-cellar --lots N [--seed S] FILE
#include "CellarGenerator.h"

#include "db/CellarSession.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool demo = false;
    int lots = 0;
    unsigned seed = 1;
    QString file;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--demo"))
            demo = true;
        else if (args[i] == QLatin1String("--lots") && i + 1 < args.size())
            lots = args[++i].toInt();
        else if (args[i] == QLatin1String("--seed") && i + 1 < args.size())
            seed = args[++i].toUInt();
        else
            file = args[i];
    }
    if (file.isEmpty() || (!demo && lots <= 0)) {
        std::fprintf(stderr, "usage: tonnelix-make-cellar (--demo | --lots N [--seed S]) FILE\n");
        return 2;
    }
    if (QFile::exists(file)) {
        std::fprintf(stderr, "tonnelix-make-cellar: %s exists already\n", qUtf8Printable(file));
        return 2;
    }
    try {
        CellarGenerator::createCompleteCellar(file);
        Database db;
        db.open(file);
        if (demo)
            CellarGenerator::fillDemo(db);
        else
            CellarGenerator::fillSynthetic(db, lots, seed);
    } catch (const DbError& error) {
        std::fprintf(stderr, "tonnelix-make-cellar: %s (%d)\n", qUtf8Printable(error.description()), error.code());
        return 1;
    }
    return 0;
}
