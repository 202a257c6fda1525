#include "db/Collection.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <filesystem>

#include "db/Schema.h"
#include "platform/Collation.h"
#include "platform/Database.h"

namespace db {
namespace {

using platform::Database;
using platform::DbError;

// A lookup table filled as names come: the first spelling wins, later ones
// in other letter case get the same number.
class Lookup {
public:
    Lookup(Database& d, const QString& table) : d_(d), table_(table) {}
    long long Number(const QString& name) {
        if (name.isEmpty()) return 0;
        const QString folded = name.toCaseFolded();
        const auto it = numbers_.constFind(folded);
        if (it != numbers_.constEnd()) return it.value();
        const long long n = numbers_.size() + 1;
        numbers_.insert(folded, n);
        pending_.append({n, name});
        return n;
    }
    void Flush() {
        if (pending_.isEmpty()) return;
        auto rs = d_.OpenRecordset(QStringLiteral("SELECT * From ") + table_);
        for (const auto& [n, name] : pending_) {
            rs.AddNew();
            rs.SetField(0, n);
            rs.SetField(1, name);
            rs.Update();
        }
        pending_.clear();
    }

private:
    Database& d_;
    QString table_;
    QHash<QString, long long> numbers_;
    QList<QPair<long long, QString>> pending_;
};

QVariant TextOrNull(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? QVariant(v.toString()) : QVariant();
}

}  // namespace

QJsonObject ReadSeed(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Le fichier « %1 » ne peut pas être lu.").arg(file));
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw DbError(QStringLiteral("Le fichier « %1 » n'est pas une collection valide : %2")
                          .arg(file, err.errorString()));
    return doc.object();
}

void WriteCollection(const QString& path, const QJsonObject& seed) {
    const QString temp = path + QStringLiteral(".nouveau");
    QFile::remove(temp);
    try {
        Database d = Database::CreateDatabase(temp);
        d.Execute(QStringLiteral("BEGIN"));
        CreateSchema(d);
        Lookup categories(d, QStringLiteral("Categorie"));
        Lookup realisations(d, QStringLiteral("Realisation"));
        Lookup ingredients(d, QStringLiteral("Ingredient"));
        Lookup quantities(d, QStringLiteral("Quantite"));
        Lookup measures(d, QStringLiteral("Mesure"));
        for (const QJsonValue v : seed.value(QLatin1String("categories")).toArray())
            categories.Number(v.toString());
        for (const QJsonValue v : seed.value(QLatin1String("realisations")).toArray())
            realisations.Number(v.toString());

        // Glasses carry more than a name, so they are written as they come.
        QHash<QString, long long> glasses;
        auto verres = d.OpenRecordset(QStringLiteral("SELECT * From Verre"));
        auto glass = [&](const QString& name, const QJsonObject& o) -> long long {
            if (name.isEmpty()) return 0;
            const QString folded = name.toCaseFolded();
            if (glasses.contains(folded)) return glasses.value(folded);
            const long long n = glasses.size() + 1;
            glasses.insert(folded, n);
            verres.AddNew();
            verres.SetField(0, n);
            verres.SetField(1, name);
            verres.SetField(2, TextOrNull(o, "contenance"));
            verres.SetField(3, TextOrNull(o, "description"));
            verres.SetField(4, TextOrNull(o, "image"));
            verres.Update();
            return n;
        };
        for (const QJsonValue v : seed.value(QLatin1String("verres")).toArray()) {
            const QJsonObject o = v.toObject();
            glass(o.value(QLatin1String("nom")).toString(), o);
        }

        auto cocktails = d.OpenRecordset(QStringLiteral("SELECT * From Cocktails"));
        auto lines = d.OpenRecordset(QStringLiteral("SELECT * From Ingre"));
        long long numero = 0;
        for (const QJsonValue v : seed.value(QLatin1String("recettes")).toArray()) {
            const QJsonObject r = v.toObject();
            numero = r.contains(QLatin1String("numero"))
                         ? r.value(QLatin1String("numero")).toInteger()
                         : numero + 1;
            cocktails.AddNew();
            cocktails.SetField(QStringLiteral("Numero"), numero);
            cocktails.SetField(QStringLiteral("Recette"), TextOrNull(r, "nom"));
            cocktails.SetField(QStringLiteral("NCategorie"),
                               categories.Number(r.value(QLatin1String("categorie")).toString()));
            cocktails.SetField(QStringLiteral("Nverre"),
                               glass(r.value(QLatin1String("verre")).toString(), {}));
            cocktails.SetField(QStringLiteral("Photo"), TextOrNull(r, "photo"));
            cocktails.SetField(
                QStringLiteral("NReal"),
                realisations.Number(r.value(QLatin1String("realisation")).toString()));
            cocktails.SetField(QStringLiteral("preparation"), TextOrNull(r, "preparation"));
            cocktails.SetField(QStringLiteral("Deco"), TextOrNull(r, "deco"));
            cocktails.SetField(QStringLiteral("Cout"), r.value(QLatin1String("cout")).toInt());
            cocktails.SetField(QStringLiteral("difficulte"),
                               r.value(QLatin1String("difficulte")).toInt());
            cocktails.SetField(QStringLiteral("Teneur"), r.value(QLatin1String("teneur")).toInt());
            cocktails.SetField(QStringLiteral("Description"), TextOrNull(r, "description"));
            cocktails.SetField(QStringLiteral("Histoire"), TextOrNull(r, "histoire"));
            cocktails.Update();
            for (const QJsonValue l : r.value(QLatin1String("lignes")).toArray()) {
                const QJsonArray parts = l.toArray();
                lines.AddNew();
                lines.SetField(0, numero);
                lines.SetField(1, quantities.Number(parts.at(0).toString()));
                lines.SetField(2, measures.Number(parts.at(1).toString()));
                lines.SetField(3, ingredients.Number(parts.at(2).toString()));
                lines.Update();
            }
        }
        categories.Flush();
        realisations.Flush();
        ingredients.Flush();
        quantities.Flush();
        measures.Flush();

        auto lexique = d.OpenRecordset(QStringLiteral("SELECT * From lexique"));
        for (const QJsonValue v : seed.value(QLatin1String("lexique")).toArray()) {
            const QJsonObject o = v.toObject();
            lexique.AddNew();
            lexique.SetField(0, TextOrNull(o, "mot"));
            lexique.SetField(1, TextOrNull(o, "info"));
            lexique.Update();
        }
        d.Execute(QStringLiteral("COMMIT"));
        d.Close();
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    std::error_code ec;
    std::filesystem::rename(temp.toStdString(), path.toStdString(), ec);
    if (ec) {
        QFile::remove(temp);
        throw DbError(QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(path));
    }
}

}  // namespace db
