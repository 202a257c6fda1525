#include <QApplication>
#include <QFileInfo>

#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/General.h"

using platform::Str;

namespace General {

short FenetreReduite = 99;
QStringList Couts;
QStringList Difficultes;
QStringList Teneurs;
QColor CouleurSelection;

void ChargerLibelles() {
    Couts = {QStringLiteral("Sans Commentaire"),
             QStringLiteral("Peu Coûteux"),
             QStringLiteral("Raisonnable"),
             QStringLiteral("Moyen"),
             QStringLiteral("Cher"),
             QStringLiteral("Très Cher")};
    Difficultes = {QStringLiteral("Sans Commentaire"), QStringLiteral("Très Facile"),
                   QStringLiteral("Facile"),           QStringLiteral("Faible"),
                   QStringLiteral("Moyenne"),          QStringLiteral("Difficile")};
    Teneurs = {QStringLiteral("Sans Commentaire"),
               QStringLiteral("Sans Alcool"),
               QStringLiteral("Très Faible"),
               QStringLiteral("Faible"),
               QStringLiteral("Moyen"),
               QStringLiteral("Fort"),
               QStringLiteral("Très Fort")};
}

// FF0000 in blue-green-red order: pure blue.
void InitCouleurSelection() {
    CouleurSelection = QColor(0, 0, 255);
}

const ListKind& Kind(int kind) {
    static const ListKind kinds[7] = {
        {"Cocktails", "Recette", " Liste des Cocktails ", " Cocktail(s) ..."},
        {"Categorie", "Categorie", " Liste des Catégories ", " Catégorie(s) ..."},
        {"Verre", "Verre", " Liste des Verres", " Verre(s) ..."},
        {"", "", "  Coûts ", ""},
        {"", "", " Niveaux de difficulté", ""},
        {"", "", " Teneurs en alcool", ""},
        {"Ingredient", "Ingredient", " Liste des Ingrédients ", " Ingrédient(s) ..."},
    };
    return kinds[kind];
}

int Tris() {
    // Only a hand-edited file holds another kind; it reads as the recipes.
    const long long kind =
        platform::Val(platform::GetSetting(platform::AppTitle(), QStringLiteral("Settings"),
                                           QStringLiteral("Tris"), QStringLiteral("0")));
    return kind >= 0 && kind <= 6 ? static_cast<int>(kind) : 0;
}

namespace {

// Messages kept for the end of the start-up, while it runs.
QStringList* g_differes = nullptr;
// Tables whose left-out rows the user was told of.
QSet<QString> g_signalees;

QString MessageCollection(const QString& path, const QString& why) {
    // The button's name is held together by no-break blanks.
    return QStringLiteral(
               "Le fichier de la collection « %1 » ne peut pas être utilisé : %2.\n"
               "Une ancienne base peut être remise en place avec le bouton "
               "«\u00a0Restaurer\u00a0une\u00a0ancienne\u00a0base\u00a0».")
        .arg(path, why);
}

}  // namespace

void Avertir(const QString& texte) {
    if (g_differes)
        g_differes->append(texte);
    else
        platform::MsgBox(texte, platform::vbExclamation + platform::vbOKOnly, platform::AppTitle());
}

void OublierAvertissements() {
    g_signalees.clear();
}

Remplissage::Remplissage(platform::ListView& liste, QString table)
    : liste_(liste), table_(std::move(table)) {}

void Remplissage::Ajouter(const QVariant& numero, const QString& texte, int icone) {
    // Only a number stored as a whole number names its row without doubt.
    if (numero.typeId() != QMetaType::LongLong) {
        ++ecartees_;
        return;
    }
    QString key = QStringLiteral("N ") + Str(numero.toLongLong());
    if (cles_.contains(key) || liste_.Find(key)) {
        ++ecartees_;
        return;
    }
    cles_.insert(key);
    lignes_.push_back({std::move(key), texte, icone});
}

void Remplissage::Terminer() {
    liste_.AddMany(std::move(lignes_));
    lignes_.clear();
    cles_.clear();
    if (ecartees_ == 0 || g_signalees.contains(table_)) return;
    g_signalees.insert(table_);
    Avertir(QStringLiteral("La table %1 a %2 ligne(s) qui ne peuvent pas être affichées : leur "
                           "numéro n'est pas un nombre entier ou figure déjà dans la liste.\n"
                           "Les autres lignes sont affichées.")
                .arg(table_)
                .arg(ecartees_));
}

QString AfficherListeDemarrage() {
    QStringList avis;
    g_differes = &avis;
    platform::Finally fin([] { g_differes = nullptr; });
    OublierAvertissements();
    const QString path = db::DbPath();
    // A write cut short leaves a journal that the engine plays back when
    // our own file is opened for writing; the examination only reads.
    if (QFileInfo::exists(path + QStringLiteral("-journal")))
        platform::Resume([&] { db::OpenDb().Close(); });
    const db::Examination e = db::Examine(path);
    if (!e) avis << MessageCollection(path, e.why);
    // The list is shown for what can be read; its failure is told only when
    // the examination found nothing.
    try {
        AfficherListe(Tris());
    } catch (const platform::DbError& err) {
        if (e) avis << MessageCollection(path, db::Why(err));
    } catch (const std::exception& err) {
        if (e) avis << MessageCollection(path, QString::fromUtf8(err.what()));
    }
    return avis.join(QStringLiteral("\n\n"));
}

namespace {
// The two columns a list shows of a table: its key and its name.
QString KeyAndName(const QString& table) {
    if (table == QStringLiteral("Cocktails")) return QStringLiteral("Numero, Recette");
    return QStringLiteral("N") + table + QStringLiteral(", ") + table;
}
}  // namespace

void AfficherListe(int kind) {
    Frmmain& f = Frmmain::Instance();
    f.LTCentre2.show();
    if (kind >= 0 && kind <= 6) {
        const ListKind& k = Kind(kind);
        RemplirListe(QString::fromUtf8(k.table), QString::fromUtf8(k.sortColumn),
                     QString::fromUtf8(k.title), QString::fromUtf8(k.suffix), kind);
        f.ListeHaute();
    }
    platform::Resume([&] { f.Liste.raise(); });
    platform::Resume([&] {
        if (f.Liste.Count() > 0) {
            f.LFilms.SetMouseIcon(f.Liste.MouseIcon());
            f.Liste.UseCustomPointer(true);
            f.LFilms.UseCustomPointer(true);
        } else {
            f.Liste.UseCustomPointer(false);
        }
    });
}

void RemplirListe(const QString& table, const QString& sortColumn, const QString& title,
                  const QString& suffix, int kind) {
    Frmmain& f = Frmmain::Instance();
    platform::ShowHourglass();
    // A failing read still takes the hourglass and the loading panel away.
    platform::Finally restore([&] {
        f.Chargement.hide();
        platform::RestorePointer();
    });

    f.Liste.Clear();
    f.Liste.Tag = QString::number(kind);
    f.Liste.SetSmallIcons(&f.Img);

    const double G = f.Gauche.Height();
    const double T = f.TGauche.Height();
    const double L = f.Liste.Top();
    const double U = f.TCentre.Height();
    if (kind == 0) {
        f.Liste.SetHeight(G - 2 * T - 2 * (L - T));
        f.TCentre.hide();
        f.LTCentre2.hide();
        f.LFilms.hide();
    } else {
        f.LFilms.Clear();
        f.LFilms.SetHeight(f.Liste.Height());
        f.LFilms.SetTop(f.Liste.Top());
        f.LFilms.show();
        f.Liste.SetHeight((G - 2 * T - 2 * (L - T)) / 2);
        f.TCentre.SetTop(L + f.Liste.Height());
        f.LTCentre2.SetTop(f.TCentre.Top() + 30);
        f.LFilms.SetHeight(f.Liste.Height() - T);
        f.LFilms.SetTop(f.TCentre.Top() + U);
        f.TCentre.show();
    }

    f.Chargement.raise();
    f.Pb.SetValue(0);
    f.Chargement.show();
    f.Chargement.repaint();

    f.LTGauche.SetCaption(title);
    f.Liste.setAccessibleName(platform::Trim(title));
    f.LTGauche.Tag = title;
    f.LBGauche.SetCaption(QString());
    f.Liste.SetSorted(false);

    if (kind == 0 || kind == 1 || kind == 2 || kind == 6) {
        f.Liste.SetSorted(true);
        auto d = db::OpenDb();
        // Only the key and the name are read: photos and long texts stay on
        // disk.
        // A table of another layout is refused before any key is read.
        db::CheckColumns(
            d.OpenRecordset(QStringLiteral("SELECT * From ") + table + QStringLiteral(" where 0")),
            table);
        auto rs = d.OpenRecordset(QStringLiteral("SELECT ") + KeyAndName(table) +
                                  QStringLiteral(" From ") + table + QStringLiteral(" order by ") +
                                  sortColumn + QStringLiteral(" asc"));
        const long count = rs.RecordCount();
        Remplissage entries(f.Liste, table);
        int shown = 0;
        for (long walked = 1; walked <= count; ++walked, rs.MoveNext()) {
            const QVariant name = rs.Fields(1);
            if (!name.isNull()) entries.Ajouter(rs.Fields(0), name.toString(), kind + 1);
            // The bar moves by whole percents: one repaint per step, not per row.
            const double pct = static_cast<double>(walked) / count * 100.0;
            f.Pb.SetValue(pct);
            if (static_cast<int>(pct) != shown) {
                shown = static_cast<int>(pct);
                f.Pb.repaint();
            }
        }
        entries.Terminer();
        f.LBGauche.SetCaption(Str(count) + suffix);
        f.LBGauche.repaint();
        rs.Close();
        d.Close();
    } else if (kind >= 3 && kind <= 5) {
        const QStringList& words = kind == 3 ? Couts : kind == 4 ? Difficultes : Teneurs;
        for (qsizetype i = 0; i < words.size(); ++i)
            f.Liste.Add(QStringLiteral("N ") + Str(i), words[i], kind + 1);
    }

    if (f.Liste.Count() > 0) {
        platform::ListItem* first = f.Liste.Item(1);
        f.Liste.Select(first);
        f.LTDroit.SetCaption(first->Text());
        first->SetForeColor(CouleurSelection);
        first->SetBold(true);
        f.LTDroit.Tag = QStringLiteral("1");
    }
}

void ListerRecettesLiees(int kind) {
    switch (kind) {
        case 1:
            ListerRecettesCritere(QStringLiteral("Cocktails"), QStringLiteral("NCategorie"));
            break;
        case 2:
            ListerRecettesCritere(QStringLiteral("Cocktails"), QStringLiteral("NVerre"));
            break;
        case 3:
            ListerRecettesCritere(QStringLiteral("Cocktails"), QStringLiteral("Cout"));
            break;
        case 4:
            ListerRecettesCritere(QStringLiteral("Cocktails"), QStringLiteral("Difficulte"));
            break;
        case 5:
            ListerRecettesCritere(QStringLiteral("Cocktails"), QStringLiteral("Teneur"));
            break;
        case 6:
            ListerRecettesIngredient();
            break;
        default:
            break;
    }
}

namespace {
QString SelectedKeyNumber() {
    const platform::ListItem* it = Frmmain::Instance().Liste.SelectedItem();
    return it ? platform::KeyNumber(it->Key()) : QString();
}
}  // namespace

void ListerRecettesCritere(const QString& table, const QString& column) {
    Frmmain& f = Frmmain::Instance();
    platform::ShowHourglass();
    platform::Finally restore([] { platform::RestorePointer(); });
    f.LFilms.Clear();
    f.LFilms.SetSmallIcons(&f.Img);
    auto d = db::OpenDb();
    db::CheckColumns(
        d.OpenRecordset(QStringLiteral("SELECT * From ") + table + QStringLiteral(" where 0")),
        table);
    auto rs = d.OpenRecordset(QStringLiteral("SELECT ") + KeyAndName(table) +
                              QStringLiteral(" From ") + table + QStringLiteral(" where ") +
                              column + QStringLiteral(" = ") + SelectedKeyNumber() +
                              QStringLiteral(" order by ") + column + QStringLiteral(" desc"));
    Remplissage entries(f.LFilms, table);
    for (long i = 0; i < rs.RecordCount(); ++i, rs.MoveNext())
        entries.Ajouter(rs.Fields(0), rs.Text(1), 1);
    d.Close();
    entries.Terminer();
}

void ListerRecettesIngredient() {
    Frmmain& f = Frmmain::Instance();
    platform::ShowHourglass();
    platform::Finally restore([] { platform::RestorePointer(); });
    f.LFilms.Clear();
    f.LFilms.SetSmallIcons(&f.Img);
    // From here on a failing step leaves the list with what could be added.
    std::vector<platform::ListView::Entry> entries;
    QSet<QString> keys;
    platform::Resume([&] {
        auto d = db::OpenDb();
        auto lines = d.OpenRecordset(QStringLiteral("SELECT * From Ingre where NIngre = ") +
                                     SelectedKeyNumber() + QStringLiteral(" order by NIngre desc"));
        for (long i = 0; i < lines.RecordCount(); ++i, lines.MoveNext()) {
            platform::Resume([&] {
                const long long n = lines.Fields(0).toLongLong();
                auto rs = d.OpenRecordset(
                    QStringLiteral("SELECT Numero, Recette From Cocktails where Numero = ") +
                    Str(n) + QStringLiteral(" order by Numero desc"));
                const QString key = QStringLiteral("N ") + Str(n);
                // A recipe with several lines of the ingredient is listed once.
                if (rs.RecordCount() > 0 && !keys.contains(key)) {
                    keys.insert(key);
                    entries.push_back({key, rs.Text(QStringLiteral("Recette")), 1});
                }
            });
        }
    });
    platform::Resume([&] { f.LFilms.AddMany(std::move(entries)); });
}

}  // namespace General
