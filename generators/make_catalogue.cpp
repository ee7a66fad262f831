// Build step: makes the delivered catalogue from its seed script.
// usage: varnel-make-catalogue SEED_SQL OUTPUT

#include <QFile>
#include <QString>

#include <cstdio>

#include "catalogue/catalogue_builder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: varnel-make-catalogue SEED_SQL OUTPUT\n");
        return 2;
    }
    const QString seed_path = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile seed(seed_path);
    if (!seed.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qUtf8Printable(seed.errorString()));
        return 1;
    }
    const QString script = QString::fromUtf8(seed.readAll());
    if (const auto problem = varnel::build_catalogue(script, output)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qUtf8Printable(*problem));
        return 1;
    }
    return 0;
}
