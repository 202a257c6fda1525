// brivanta-mkdb SEED.json OUT.mdb: writes a whole collection file.
#include <QCoreApplication>
#include <cstdio>

#include "db/Collection.h"
#include "platform/Database.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage : brivanta-mkdb COLLECTION.json SORTIE.mdb\n");
        return 2;
    }
    try {
        db::WriteCollection(args[2], db::ReadSeed(args[1]));
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
