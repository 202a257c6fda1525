#include "shell/AccesBase.h"

#include <QRegularExpression>
#include <optional>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/General.h"

using platform::Doubled;
using platform::Str;
using platform::Trim;
using platform::Val;

namespace AccesBase {

namespace {

const QString kSelect = QStringLiteral("SELECT * From ");

// A value pasted into SQL text the way the program concatenates it.
QString Pasted(const QVariant& v) {
    return v.toString();
}

QString KeyQuery(const QString& table, const QString& column, const QString& key) {
    return kSelect + table + QStringLiteral(" where ") + column + QStringLiteral(" = ") + key;
}

// An ingredient part as the line statements write it: " 12", blank as 0.
QString Part(const QVariant& v, bool blankIsZero) {
    const QString s = v.toString();
    if (blankIsZero && Trim(s).isEmpty()) return Str(0);
    return Str(Val(s));
}

QString LineQuery(const QVariant& recipe, const QString& q, const QString& m, const QString& i) {
    return QStringLiteral("SELECT * From Ingre where Numero = ") + Pasted(recipe) +
           QStringLiteral(" and NQuantite = ") + q + QStringLiteral(" and NMesure = ") + m +
           QStringLiteral(" and NIngre = ") + i;
}

}  // namespace

long long NouvelleCle(platform::Database& d, const QString& Table, const QString& Champ) {
    auto rs =
        d.OpenRecordset(QStringLiteral("SELECT max(+") + Champ + QStringLiteral(") From ") + Table);
    const QVariant top = rs.Fields(0);
    return top.isNull() ? 1 : top.toLongLong() + 1;
}

void RemplirListeTable(const QString& Table, const QString& Tri, int Colonne,
                       platform::ComboBox& Liste) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(kSelect + Table + QStringLiteral("  order by ") + Tri +
                              QStringLiteral(" asc"));
    for (long n = 0; n < rs.RecordCount(); ++n, rs.MoveNext()) Liste.AddItem(rs.Text(Colonne));
}

void RenommerEnregistrement(const QString& Table, const QVariant& Cle, const QString& Texte,
                            const QString& Champ) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(KeyQuery(Table, Champ, Pasted(Cle)));
    rs.Edit();
    rs.SetField(1, Texte);
    rs.Update();
}

void ModifierChamp(const QString& Table, const QVariant& Cle, const QVariant& Valeur,
                   const QString& Champ, int Colonne, platform::Database* Base) {
    std::optional<platform::Database> propre;
    platform::Database& d = Base ? *Base : propre.emplace(db::OpenDb());
    const bool empty = Valeur.isNull() || Valeur.toString().isEmpty();
    // Only the one column is written: a recipe's other columns (an inline
    // photo of megabytes) are not read back at every keystroke.
    d.SetFirstField(KeyQuery(Table, Champ, Pasted(Cle)), Colonne,
                    empty ? QVariant(QStringLiteral(" ")) : Valeur);
}

void RemplirComboTable(platform::ComboBox& Liste, const QString& Table, const QString& Tri) {
    Liste.Clear();
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(kSelect + Table + QStringLiteral(" order by ") + Tri +
                              QStringLiteral(" asc"));
    QStringList textes;
    textes.reserve(rs.RecordCount());
    for (long n = 0; n < rs.RecordCount(); ++n, rs.MoveNext()) {
        const QVariant v = rs.Fields(1);
        if (!v.isNull() && !Trim(v.toString()).isEmpty()) textes.append(v.toString());
    }
    Liste.AddItems(textes);
}

void ModifierLigneIngredient(const QVariant& Numero, const QVariant& QteAncien,
                             const QVariant& QteNouveau, const QVariant& MesAncien,
                             const QVariant& MesNouveau, const QVariant& IngAncien,
                             const QVariant& IngNouveau, bool Ajout, platform::Database* Base) {
    std::optional<platform::Database> propre;
    platform::Database& d = Base ? *Base : propre.emplace(db::OpenDb());
    // The old line goes and the new one comes together, or neither does;
    // within the caller's transaction when it holds the file.
    std::optional<platform::Transaction> t;
    if (!Base) t.emplace(d);
    {
        auto old = d.OpenRecordset(
            LineQuery(Numero, Part(QteAncien, true), Part(MesAncien, true), Part(IngAncien, true)));
        if (old.RecordCount() > 0) old.Delete();
    }
    if (Ajout) {
        const QString q = Part(QteNouveau, false);
        const QString m = Part(MesNouveau, false);
        const QString i = Part(IngNouveau, false);
        auto now = d.OpenRecordset(LineQuery(Numero, q, m, i));
        if (now.RecordCount() == 0) {
            now.AddNew();
            now.SetField(QStringLiteral("Numero"), Val(Pasted(Numero)));
            now.SetField(QStringLiteral("NQuantite"), Val(q));
            now.SetField(QStringLiteral("NMesure"), Val(m));
            now.SetField(QStringLiteral("NIngre"), Val(i));
            now.Update();
        }
    }
    if (t) t->Commit();
}

void SupprimerEnregistrement(const QString& Table, const QVariant& Cle, const QString& Champ) {
    const QString key = Trim(Pasted(Cle));
    auto d = db::OpenDb();
    if (Table == QStringLiteral("Ingre")) {
        auto rs =
            d.OpenRecordset(KeyQuery(Table, Champ, key) + QStringLiteral(" order by NIngre asc"));
        for (long n = 0; n < rs.RecordCount(); ++n, rs.MoveNext()) rs.Delete();
    } else {
        auto rs = d.OpenRecordset(KeyQuery(Table, Champ, key));
        if (rs.RecordCount() > 0) rs.Delete();
    }
}

void SupprimerRecette(const QVariant& Numero) {
    const QString key = Trim(Pasted(Numero));
    auto d = db::OpenDb();
    platform::Transaction t(d);
    auto lines = d.OpenRecordset(KeyQuery(QStringLiteral("Ingre"), QStringLiteral("Numero"), key));
    for (long n = 0; n < lines.RecordCount(); ++n, lines.MoveNext()) lines.Delete();
    auto rs = d.OpenRecordset(KeyQuery(QStringLiteral("Cocktails"), QStringLiteral("Numero"), key));
    if (rs.RecordCount() > 0) rs.Delete();
    t.Commit();
}

bool InformationUtilisee(const QString& Table, const QVariant& Cle) {
    const QString key = Str(Val(Trim(Pasted(Cle))));
    QString sql;
    if (Table == QStringLiteral("Categorie"))
        sql = QStringLiteral("SELECT Numero From Cocktails where NCategorie = ") + key;
    else if (Table == QStringLiteral("Verre"))
        sql = QStringLiteral("SELECT Numero From Cocktails where Nverre = ") + key;
    else if (Table == QStringLiteral("Ingredient"))
        // A line counts only while its recipe exists.
        sql = QStringLiteral("SELECT Ingre.Numero From Ingre, Cocktails where Ingre.NIngre = ") +
              key + QStringLiteral(" and Cocktails.Numero = Ingre.Numero");
    else
        return false;
    auto d = db::OpenDb();
    return d.OpenRecordset(sql + QStringLiteral(" limit 1")).RecordCount() > 0;
}

void RechercherTexte(const QString& Sql, platform::ListView& Liste, int Icone, bool Debut,
                     const QString& Texte) {
    Liste.Clear();
    Liste.SetSmallIcons(&Frmmain::Instance().Img);
    const QString wanted = Texte.toUpper();
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(Sql);
    // The table the statement reads names the left-out rows, if any.
    static const QRegularExpression from(QStringLiteral(R"(\bFrom\s+(\w+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    General::Remplissage found(Liste, from.match(Sql).captured(1));
    for (long n = 0; n < rs.RecordCount(); ++n, rs.MoveNext()) {
        const QVariant name = rs.Fields(1);
        if (name.isNull()) continue;
        const QString s = name.toString();
        const QString upper = s.toUpper();
        const bool match = Debut ? upper.left(wanted.size()) == wanted : upper.contains(wanted);
        if (match) found.Ajouter(rs.Fields(0), s, Icone);
    }
    d.Close();
    found.Terminer();
}

void EnregistrerPhoto(const QString& Chemin, const QString& Table, const QVariant& Cle,
                      int Colonne) {
    if (Chemin.isEmpty()) return;
    if (Table == QStringLiteral("Cocktails"))
        ModifierChamp(Table, Cle, db::PhotoValue(Chemin), QStringLiteral("Numero"), Colonne);
    else
        ModifierChamp(Table, Cle, Chemin, QStringLiteral("NVerre"), Colonne);
}

void AjouterInformation(const QString& Texte, const QString& Table, const QString& Champ) {
    const QString texte = platform::SansNul(Texte);
    auto d = db::OpenDb();
    {
        auto rs = d.OpenRecordset(kSelect + Table + QStringLiteral(" where ") + Table +
                                  QStringLiteral("='") + Doubled(Trim(texte)) + u'\'');
        if (rs.RecordCount() > 0) {
            // The file is closed before the message waits for the user.
            rs.Close();
            d.Close();
            platform::MsgBox(QStringLiteral("Information déjà existante !"),
                             platform::vbInformation + platform::vbOKOnly, platform::AppTitle());
            return;
        }
    }
    const long long key = NouvelleCle(d, Table, Champ);
    auto rs = d.OpenRecordset(kSelect + Table);
    rs.AddNew();
    rs.SetField(0, key);
    rs.SetField(1, texte);
    if (Table == QStringLiteral("Verre"))
        for (int c = 2; c <= 4; ++c) rs.SetField(c, QStringLiteral(" "));
    rs.Update();
}

}  // namespace AccesBase
