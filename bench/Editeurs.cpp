#include "Editeurs.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/Database.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"

namespace bench {
namespace {

// The value at fraction p of the sorted samples (0.5 the median).
double Centile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    if (v.empty()) return 0;
    const double pos = p * static_cast<double>(v.size() - 1);
    const size_t lo = static_cast<size_t>(pos);
    const size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (pos - static_cast<double>(lo));
}

template <class F>
double Temps(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void Verifier(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw platform::DbError(QString::fromUtf8(sqlite3_errmsg(db)));
}

// A fresh connection with the engine's default journal and sync, holding
// the file exclusively as ours do, one statement, closed.
void Instruction(const QByteArray& sql, const QByteArray& texte) {
    sqlite3* db = nullptr;
    const QByteArray chemin = db::DbPath().toUtf8();
    Verifier(db, sqlite3_open_v2(chemin.constData(), &db, SQLITE_OPEN_READWRITE, nullptr));
    Verifier(db, sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr));
    sqlite3_stmt* st = nullptr;
    Verifier(db, sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr));
    if (!texte.isNull()) sqlite3_bind_text(st, 1, texte.constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

void Photos() {
    QByteArray octets(1500, '\0');
    for (int i = 0; i < octets.size(); ++i) octets[i] = static_cast<char>((i * 37) % 256);
    const QString valeur = db::PhotoInline(octets);
    platform::Database d = db::OpenDb();
    platform::Transaction t(d);
    d.Execute(
        QStringLiteral("UPDATE Cocktails SET Photo = '%1' WHERE Numero % 10 = 0").arg(valeur));
    t.Commit();
}

// Gives one recipe an inline photo of a picture of `octets` bytes, bytes
// spread as a compressed picture's are; returns the value's length.
qint64 GrandePhoto(long long recette, qsizetype octets) {
    QByteArray image(octets, '\0');
    quint32 x = 2463534242u;
    for (qsizetype i = 0; i < image.size(); ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        image[i] = static_cast<char>(x & 0xff);
    }
    const QString valeur = db::PhotoInline(image);
    platform::Database d = db::OpenDb();
    d.SetFirstField(
        QStringLiteral("SELECT * From Cocktails where Numero = ") + QString::number(recette), 4,
        valeur);
    return valeur.size();
}

// Keystrokes in the first text of the recipe shown, each beside the same
// UPDATE on a fresh connection, of the text and `suffixe`: the samples of
// both. With two characters, every write of either changes the row's size,
// as a typed letter does: the engine cannot overwrite the row in place.
void Frapper(CadreRecette& r, long long recette, int frappes, const QString& suffixe,
             std::vector<double>& frappe, std::vector<double>& plancher) {
    QString texte;
    for (int i = 0; i < frappes; ++i) {
        texte += QChar(u'a' + i % 26);
        frappe.push_back(Temps([&] { r.Saisie[0]->TypeIt(texte); }));
        const QByteArray ecrit = (texte + suffixe).toUtf8();
        plancher.push_back(Temps([&] {
            Instruction("UPDATE Cocktails SET preparation = ?1 WHERE Numero = " +
                            QByteArray::number(recette),
                        ecrit);
        }));
    }
}

void Montrer(Frmmain& f, long long recette) {
    platform::ListItem* item = f.Liste.Find(QStringLiteral("N ") + platform::Str(recette));
    if (!item) throw platform::DbError(QStringLiteral("recette absente de la liste"));
    f.Liste.Select(item);
    f.Liste_Click();
    if (f.Recette().RecetteAffichee() != recette)
        throw platform::DbError(QStringLiteral("recette non affichée"));
}

}  // namespace

MesuresEditeurs MesurerEditeurs(int frappes) {
    MesuresEditeurs m;
    m.frappes = frappes;
    Photos();
    Frmmain& f = Frmmain::Instance();
    CadreRecette& r = f.Recette();
    const long long recette = 10;
    Montrer(f, recette);

    std::vector<double> frappe, plancher;
    Frapper(r, recette, frappes, QStringLiteral("."), frappe, plancher);
    m.saisie = Centile(frappe, 0.5);
    m.saisie95 = Centile(frappe, 0.95);
    m.saisieFloor = Centile(plancher, 0.5);
    m.saisieFloor95 = Centile(plancher, 0.95);

    // A recipe whose photo, a 2 MB picture, is kept inline.
    const long long grande = 30;
    m.grandePhoto = GrandePhoto(grande, 2 * 1024 * 1024);
    Montrer(f, grande);
    std::vector<double> frappeGrande, plancherGrande;
    Frapper(r, grande, std::max(20, frappes / 4), QStringLiteral(".."), frappeGrande,
            plancherGrande);
    m.saisieGrande = Centile(frappeGrande, 0.5);
    m.saisieGrandeFloor = Centile(plancherGrande, 0.5);
    Montrer(f, recette);

    // Two categories in turn, so that every pick changes the recipe.
    std::vector<double> choix, plancherChoix;
    const int picks = std::max(10, frappes / 4);
    for (int i = 0; i < picks; ++i) {
        r.Data[6].SetValue(true);
        r.Data_Click(6);
        const int index = r.LCategorie.ListIndex() == 0 ? 1 : 0;
        const QByteArray nom = r.LCategorie.List(index).toUtf8();
        choix.push_back(Temps([&] { r.LCategorie.PickIt(index); }));
        plancherChoix.push_back(Temps([&] {
            Instruction("SELECT * From Categorie where Categorie = ?1", nom);
            Instruction(
                "UPDATE Cocktails SET NCategorie = 1 WHERE Numero = " + QByteArray::number(recette),
                QByteArray());
        }));
    }
    m.categorie = Centile(choix, 0.5);
    m.categorieFloor = Centile(plancherChoix, 0.5);
    return m;
}

}  // namespace bench
