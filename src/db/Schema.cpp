#include "db/Schema.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

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

QStringList Columns(const QString& table) {
    for (const Table& t : Tables())
        if (table.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0) {
            QStringList names;
            for (const QString& c : t.columns) names << c.section(u' ', 0, 0);
            return names;
        }
    return {};
}

void CheckColumns(const platform::Recordset& rs, const QString& table) {
    const QStringList want = Columns(table);
    bool same = rs.FieldCount() >= want.size();
    for (qsizetype i = 0; same && i < want.size(); ++i)
        same = rs.FieldName(static_cast<int>(i)).compare(want[i], Qt::CaseInsensitive) == 0;
    if (!same)
        throw platform::DbError(
            QStringLiteral("Le fichier « %1 » n'est pas une collection de Brivanta : la table %2 "
                           "n'a pas les colonnes attendues, dans leur ordre.")
                .arg(DbPath(), table));
}

namespace {

const QString kMissing = QStringLiteral("il est introuvable");
const QString kNotADatabase = QStringLiteral("ce n'est pas une base de données");
const QString kInUse = QStringLiteral("il est utilisé par un autre programme");
const QString kDamaged = QStringLiteral("il est endommagé");

Examination Found(Defect d, const QString& why) {
    return {d, why};
}

// A read-only connection of our own: the examined file is never written,
// and only its last committed state is read.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path) {
        rc_ = sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr);
        if (db_) {
            sqlite3_extended_result_codes(db_, 1);
            sqlite3_busy_timeout(db_, 1500);
        }
    }
    ~ReadOnly() { sqlite3_close_v2(db_); }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

    bool Opened() const { return rc_ == SQLITE_OK; }
    int Code() const { return db_ ? sqlite3_errcode(db_) & 0xff : rc_ & 0xff; }
    QString Message() const { return db_ ? platform::EngineReason(db_) : QString(); }
    bool Run(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == 0; }
    // The rows of a statement, each as its columns' texts; false on failure.
    bool Rows(const QString& sql, QList<QStringList>* out) {
        sqlite3_stmt* st = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, text.constData(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return false;
        }
        int step;
        while ((step = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            out->append(row);
        }
        sqlite3_finalize(st);
        return step == SQLITE_DONE;
    }

private:
    sqlite3* db_ = nullptr;
    int rc_ = SQLITE_OK;
};

// The reason of a failing read, in the words the user is told.
Examination Failed(const ReadOnly& c) {
    switch (c.Code()) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Found(Defect::InUse, kInUse);
        case SQLITE_NOTADB:
            return Found(Defect::NotADatabase, kNotADatabase);
        case SQLITE_CORRUPT:
            return Found(Defect::Damaged, kDamaged);
        case SQLITE_READONLY:
            // A journal beside it that only a writer may play back.
            return Found(Defect::Damaged,
                         QStringLiteral("une écriture interrompue l'a laissé inachevé"));
        default:
            return Found(Defect::Damaged,
                         QStringLiteral("il ne peut pas être lu (%1)").arg(c.Message()));
    }
}

Examination Layout(ReadOnly& c) {
    for (const Table& t : Tables()) {
        QList<QStringList> rows;
        if (!c.Rows(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(t.name)), &rows))
            return Failed(c);
        const QString name = QString::fromLatin1(t.name);
        if (rows.isEmpty())
            return Found(Defect::Foreign,
                         QStringLiteral("ce n'est pas une collection de Brivanta (la table %1 "
                                        "manque)")
                             .arg(name));
        bool same = rows.size() >= t.columns.size();
        for (qsizetype i = 0; same && i < t.columns.size(); ++i)
            same = rows[i].value(1).compare(t.columns[i].section(u' ', 0, 0),
                                            Qt::CaseInsensitive) == 0;
        if (!same)
            return Found(Defect::Foreign,
                         QStringLiteral("ce n'est pas une collection de Brivanta (la table %1 "
                                        "n'a pas les colonnes attendues, dans leur ordre)")
                             .arg(name));
    }
    return {};
}

// Every key that a list shows must be a whole number, and only once.
Examination Keys(ReadOnly& c) {
    for (const Table& t : Tables()) {
        if (!t.columns.first().contains(QLatin1String("PRIMARY KEY"))) continue;
        const QString name = QString::fromLatin1(t.name);
        const QString key = t.columns.first().section(u' ', 0, 0);
        QList<QStringList> rows;
        if (!c.Rows(QStringLiteral("SELECT count(*) - count(CASE WHEN typeof(%1) = 'integer' "
                                   "THEN 1 END), count(CASE WHEN typeof(%1) = 'integer' THEN 1 "
                                   "END) - count(DISTINCT CASE WHEN typeof(%1) = 'integer' THEN "
                                   "%1 END) FROM %2")
                        .arg(key, name),
                    &rows) ||
            rows.size() != 1)
            return Failed(c);
        const long long notWhole = rows[0].value(0).toLongLong();
        const long long twice = rows[0].value(1).toLongLong();
        if (notWhole > 0)
            return Found(Defect::BadKeys,
                         QStringLiteral("la table %1 a %2 numéro(s) qui ne sont pas des "
                                        "nombres entiers")
                             .arg(name)
                             .arg(notWhole));
        if (twice > 0)
            return Found(
                Defect::BadKeys,
                QStringLiteral("la table %1 a %2 numéro(s) en double").arg(name).arg(twice));
    }
    return {};
}

}  // namespace

Examination Examine(const QString& path, Depth depth, const std::function<void()>& whileHeld) {
    const QFileInfo info(path);
    if (info.isDir())
        return Found(Defect::Missing, QStringLiteral("c'est un dossier et non un fichier"));
    if (!info.exists()) return Found(Defect::Missing, kMissing);
    // A device or a pipe would be read without end.
    if (!info.isFile()) return Found(Defect::NotADatabase, kNotADatabase);
    {
        // The engine would take an empty file for an empty database.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return Found(Defect::Unreadable, QStringLiteral("il ne peut pas être lu"));
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return Found(Defect::NotADatabase, kNotADatabase);
    }
    ReadOnly c(path);
    if (!c.Opened()) return Failed(c);
    // One read transaction for the whole examination: no writer can change
    // the file between the checks and whatever runs while it is held.
    if (!c.Run("BEGIN") || !c.Run("SELECT count(*) FROM sqlite_schema")) return Failed(c);
    QList<QStringList> check;
    if (!c.Rows(depth == Depth::Whole ? QStringLiteral("PRAGMA integrity_check(1)")
                                      : QStringLiteral("PRAGMA quick_check(1)"),
                &check))
        return Failed(c);
    if (check.size() != 1 || check[0].value(0) != QLatin1String("ok"))
        return Found(Defect::Damaged, kDamaged);
    if (Examination e = Layout(c); !e) return e;
    if (depth == Depth::Whole)
        if (Examination e = Keys(c); !e) return e;
    if (whileHeld) whileHeld();
    return {};
}

QString Why(const platform::DbError& e) {
    switch (e.Fault()) {
        case platform::DbFault::Missing:
            return kMissing;
        case platform::DbFault::NotADatabase:
            return kNotADatabase;
        case platform::DbFault::InUse:
            return kInUse;
        case platform::DbFault::Damaged:
            return kDamaged;
        default:
            return e.Message();
    }
}

bool IsCollection(const QString& path, QString* why) {
    const Examination e = Examine(path, Depth::Whole);
    if (why) *why = e.why;
    return bool(e);
}

}  // namespace db
