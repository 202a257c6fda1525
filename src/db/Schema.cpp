#include "db/Schema.h"

#include <sqlite3.h>

#include "platform/AppFolder.h"

namespace db {

QString DbPath() {
    return platform::AppFile(QStringLiteral("db.mdb"));
}

platform::Database OpenDb() {
    return platform::Database::OpenDatabase(DbPath());
}

namespace {
struct Table {
    const char* name;
    QStringList columns;  // "Name TYPE"
};

// Keys are whole numbers; every text compares without regard to letter case.
// Integer keys are indexed; text columns never are.
const QList<Table>& Tables() {
    static const QList<Table> t = {
        {"Cocktails",
         {"Numero INTEGER PRIMARY KEY", "Recette TEXT COLLATE NOCASE", "NCategorie INTEGER",
          "Nverre INTEGER", "Photo TEXT COLLATE NOCASE", "NReal INTEGER",
          "preparation TEXT COLLATE NOCASE", "Deco TEXT COLLATE NOCASE", "Cout INTEGER",
          "difficulte INTEGER", "Teneur INTEGER", "Description TEXT COLLATE NOCASE",
          "Histoire TEXT COLLATE NOCASE"}},
        {"Categorie", {"NCategorie INTEGER PRIMARY KEY", "Categorie TEXT COLLATE NOCASE"}},
        {"Verre",
         {"NVerre INTEGER PRIMARY KEY", "Verre TEXT COLLATE NOCASE",
          "Contenance TEXT COLLATE NOCASE", "Description TEXT COLLATE NOCASE",
          "Image TEXT COLLATE NOCASE"}},
        {"Realisation", {"NRealisation INTEGER PRIMARY KEY", "Realisation TEXT COLLATE NOCASE"}},
        {"Ingredient", {"NIngredient INTEGER PRIMARY KEY", "Ingredient TEXT COLLATE NOCASE"}},
        {"Quantite", {"NQuantite INTEGER PRIMARY KEY", "Quantite TEXT COLLATE NOCASE"}},
        {"Mesure", {"NMesure INTEGER PRIMARY KEY", "Mesure TEXT COLLATE NOCASE"}},
        {"Ingre", {"Numero INTEGER", "NQuantite INTEGER", "NMesure INTEGER", "NIngre INTEGER"}},
        {"lexique", {"Mot TEXT COLLATE NOCASE", "Info TEXT COLLATE NOCASE"}},
    };
    return t;
}
}  // namespace

QStringList SchemaStatements() {
    QStringList out;
    for (const Table& t : Tables())
        out << QStringLiteral("CREATE TABLE %1 (%2)")
                   .arg(QString::fromLatin1(t.name), t.columns.join(QStringLiteral(", ")));
    out << QStringLiteral("CREATE INDEX IngreRecette ON Ingre (Numero)")
        << QStringLiteral("CREATE INDEX IngreIngredient ON Ingre (NIngre)")
        << QStringLiteral("CREATE INDEX CocktailsCategorie ON Cocktails (NCategorie)")
        << QStringLiteral("CREATE INDEX CocktailsVerre ON Cocktails (Nverre)");
    return out;
}

void CreateSchema(platform::Database& d) {
    for (const QString& s : SchemaStatements()) d.Execute(s);
}

bool IsCollection(const QString& path, QString* why) {
    auto fail = [&](const QString& w) {
        if (why) *why = w;
        return false;
    };
    try {
        // Read-only and without our lock: a foreign file is never touched.
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        struct Closer {
            sqlite3* d;
            ~Closer() { sqlite3_close_v2(d); }
        } closer{raw};
        if (rc != SQLITE_OK) return fail(QStringLiteral("le fichier ne peut pas être ouvert"));
        for (const Table& t : Tables()) {
            sqlite3_stmt* st = nullptr;
            const QByteArray sql =
                QStringLiteral("PRAGMA table_info(%1)").arg(QString::fromLatin1(t.name)).toUtf8();
            if (sqlite3_prepare_v2(raw, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
                sqlite3_finalize(st);
                return fail(QStringLiteral("le fichier n'est pas une base de données"));
            }
            QStringList seen;
            int step;
            while ((step = sqlite3_step(st)) == SQLITE_ROW)
                seen << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            sqlite3_finalize(st);
            if (step != SQLITE_DONE)
                return fail(QStringLiteral("le fichier n'est pas une base de données"));
            if (seen.size() < t.columns.size())
                return fail(QStringLiteral("la table %1 manque ou est incomplète")
                                .arg(QString::fromLatin1(t.name)));
            for (qsizetype i = 0; i < t.columns.size(); ++i)
                if (seen[i].compare(t.columns[i].section(u' ', 0, 0), Qt::CaseInsensitive) != 0)
                    return fail(QStringLiteral("la table %1 n'a pas les colonnes attendues")
                                    .arg(QString::fromLatin1(t.name)));
        }
        return true;
    } catch (...) {
        return fail(QStringLiteral("le fichier ne peut pas être lu"));
    }
}

}  // namespace db
