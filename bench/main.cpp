// Times the lists of the main window on a synthetic collection, each beside
// the bare SQLite work behind it. One line per measure: NAME ms FLOOR_ms.
//
//   brivanta-bench [recettes=50000] [--runs N] [--keep DOSSIER] [--image 4000x3000]

#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <tuple>
#include <vector>

#include "Editeurs.h"
#include "Synthetique.h"
#include "card/ChargerAlbums.h"
#include "card/FicheAlbum.h"
#include "card/FrmFind.h"
#include "db/Schema.h"
#include "entry/Creation.h"
#include "entry/LecturePage.h"
#include "pictures/Acquisition.h"
#include "pictures/Scan.h"
#include "platform/CommonDialog.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/Screen.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/General.h"

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Millis(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double MedianOf(int runs, const std::function<void()>& f) {
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) v.push_back(Millis(f));
    return Median(v);
}

// Paints what the call left to paint, as the user would see it.
void Settle() {
    QCoreApplication::processEvents();
}

// The bare statement: prepare, step every row, read the columns the
// program reads (ints and texts by number), on a fresh connection of ours.
struct Floor {
    std::vector<int> ints, texts;
};

long long Statement(sqlite3* db, const QByteArray& sql, const Floor& cols) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &st, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(st);
        throw platform::DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    long long sum = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i : cols.ints) sum += sqlite3_column_int64(st, i);
        for (int i : cols.texts) {
            const unsigned char* t = sqlite3_column_text(st, i);
            sum += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
    }
    sqlite3_finalize(st);
    return sum;
}

volatile long long g_sink = 0;

double FloorOf(int runs, const std::function<void(sqlite3*)>& f) {
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) {
        // A fresh connection each time, as every operation of the program opens one.
        platform::Database d = db::OpenDb();
        v.push_back(Millis([&] { f(d.Handle()); }));
        d.Close();
    }
    return Median(v);
}

QByteArray ListSql(int kind) {
    const General::ListKind& k = General::Kind(kind);
    // The key and the name, the two columns the list reads.
    const QByteArray table(k.table);
    const QByteArray cols = table == "Cocktails" ? "Numero, Recette" : "N" + table + ", " + table;
    return "SELECT " + cols + " From " + table + " order by " + k.sortColumn + " asc";
}

// The ingredient lines, then each recipe looked up on its own, as the
// lower list of an ingredient reads them.
long long IngredientStatements(sqlite3* db, long long ingredient) {
    long long sum = 0;
    std::vector<long long> numeros;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = "SELECT * From Ingre where NIngre = " + QByteArray::number(ingredient) +
                           " order by NIngre desc";
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) numeros.push_back(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    for (const long long n : numeros)
        sum += Statement(db,
                         "SELECT Numero, Recette From Cocktails where Numero = " +
                             QByteArray::number(n) + " order by Numero desc",
                         {{0}, {1}});
    return sum;
}

void Line(QTextStream& out, const char* name, double ms, double floor) {
    out << name << ' ' << QString::number(ms, 'f', 1) << ' ' << QString::number(floor, 'f', 1)
        << '\n';
    out.flush();
}

void Note(QTextStream& out, const QString& text) {
    out << "# " << text << '\n';
    out.flush();
}

// A picture of the given size with every row and column its own shade.
QImage Photo(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return img;
}

// The picture window's quarter turn and mirror, each as the user waits for
// it (the work, temp.bmp, the fitting and the repaint), beside a copy of
// the picture and its bitmap write.
void Images(QTextStream& out, const QString& dir, QSize size, int runs) {
    const QString source = dir + QStringLiteral("/photo.bmp");
    if (!Photo(size).save(source, "BMP")) throw platform::DbError(QStringLiteral("photo.bmp"));
    Acquisition& a = Acquisition::Instance();
    a.show();
    {
        platform::CommonDialogSeam::Scripted answer({source});
        if (!Scan::OuvrirImage()) throw platform::DbError(QStringLiteral("OuvrirImage"));
    }
    Settle();
    const double floor = MedianOf(runs, [&] {
        const QImage copy = a.PhotoScan.Picture().copy();
        QSaveFile f(dir + QStringLiteral("/plancher.bmp"));
        if (!f.open(QIODevice::WriteOnly) || !copy.save(&f, "BMP") || !f.commit())
            throw platform::DbError(QStringLiteral("plancher.bmp"));
    });
    const double turn = MedianOf(runs, [&] {
        Scan::PivoterGauche();
        a.PhotoScan.repaint();
        Settle();
    });
    Line(out, "PivoterGauche_12MP", turn, floor);
    const double mirror = MedianOf(runs, [&] {
        Scan::PivoterHorizontal();
        a.PhotoScan.repaint();
        Settle();
    });
    Line(out, "PivoterHorizontal_12MP", mirror, floor);
    Note(out, QStringLiteral("image de %1 × %2 points").arg(size.width()).arg(size.height()));
    Acquisition::Unload();
    Settle();
}

// The writes of the recipe panel's editors, on the window as it stands.
void MesurerLesEditeurs(QTextStream& out, int runs) {
    const bench::MesuresEditeurs e = bench::MesurerEditeurs(std::max(100, runs * 40));
    Line(out, "Saisie_Change", e.saisie, e.saisieFloor);
    Line(out, "Saisie_Change_p95", e.saisie95, e.saisieFloor95);
    Line(out, "Saisie_Change_photo2MB", e.saisieGrande, e.saisieGrandeFloor);
    Line(out, "LCategorie_Click", e.categorie, e.categorieFloor);
    Note(out, QStringLiteral("éditeurs : %1 frappes dans une recette avec photo ; photo de 2 Mo "
                             "gardée dans la base : %2 caractères")
                  .arg(e.frappes)
                  .arg(e.grandePhoto));
}

}  // namespace

// The same list and the recipe panel on a collection whose recipes hold
// photos inline, as collections filled from the partner site do.
void Photos(QTextStream& out, const QString& dir, int recettes, int runs) {
    const QString photos = dir + QStringLiteral("/photos");
    QDir().mkpath(photos);
    bench::EcrireCollection(photos + QStringLiteral("/db.mdb"), recettes, true);
    const QByteArray before = qgetenv("BRIVANTA_DOSSIER");
    qputenv("BRIVANTA_DOSSIER", photos.toUtf8());
    Frmmain::Unload();
    if (!Frmmain::Instance().Form_Load()) throw platform::DbError(QStringLiteral("Form_Load"));
    Settle();
    Frmmain& f = Frmmain::Instance();

    const double liste = MedianOf(runs, [&] {
        General::AfficherListe(0);
        Settle();
    });
    const double listeFloor = FloorOf(runs, [](sqlite3* db) {
        g_sink =
            g_sink +
            Statement(db, "SELECT Numero, Recette From Cocktails order by Recette asc", {{0}, {1}});
    });
    Line(out, "AfficherListe_0_photos", liste, listeFloor);

    // A recipe with each size of photo, of ten lines where there is one.
    auto recette = [&](int from, int to) {
        platform::Database d = db::OpenDb();
        auto rs = d.OpenRecordset(
            QStringLiteral("SELECT Numero From Cocktails c WHERE length(Photo) BETWEEN %1 AND %2 "
                           "ORDER BY abs((SELECT count(*) FROM Ingre i WHERE i.Numero = c.Numero) "
                           "- 10), Numero LIMIT 1")
                .arg(from)
                .arg(to));
        if (rs.RecordCount() == 0)
            throw platform::DbError(QStringLiteral("aucune recette à photo"));
        return rs.Fields(0).toLongLong();
    };
    CadreRecette& r = f.Recette();
    for (const auto& [name, from, to] : {std::tuple{"ChargerRecette_photo7k", 5000, 9000},
                                         std::tuple{"ChargerRecette_photo140k", 100000, 180000}}) {
        const long long n = recette(from, to);
        // What a click in the lower list does: the recipe, then the six lists.
        const double ms = MedianOf(runs, [&] {
            r.ChargerRecette(n);
            r.RemplirListes();
            Settle();
        });
        const QByteArray num = QByteArray::number(n);
        const double floor = FloorOf(runs, [&](sqlite3* db) {
            long long sum = Statement(db, "SELECT * From Cocktails where Numero = " + num,
                                      {{0, 2, 3, 5}, {1, 4, 6, 7, 11, 12}});
            sum += Statement(db, "SELECT * From Ingre where Numero = " + num, {{1, 2, 3}, {}});
            for (const char* t :
                 {"Categorie", "Verre", "Realisation", "Mesure", "Quantite", "Ingredient"})
                sum += Statement(db, QByteArray("SELECT * From ") + t + " order by " + t + " asc",
                                 {{}, {1}});
            g_sink = g_sink + sum;
        });
        Line(out, name, ms, floor);
    }
    Frmmain::Unload();
    qputenv("BRIVANTA_DOSSIER", before);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // What a real start adds before the window: the application object.
    QElapsedTimer appTimer;
    appTimer.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivanta"));
    const double appMs = static_cast<double>(appTimer.nsecsElapsed()) / 1e6;

    int recettes = 50000;
    int runs = 5;
    QString keep;
    QSize image(4000, 3000);
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QStringLiteral("--keep") && i + 1 < args.size())
            keep = args[++i];
        else if (args[i] == QStringLiteral("--image") && i + 1 < args.size()) {
            const QStringList wh = args[++i].split(u'x');
            image = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
            if (image.isEmpty()) return 2;
        } else if (args[i].toInt() > 0)
            recettes = args[i].toInt();
        else {
            std::fprintf(stderr,
                         "usage: brivanta-bench [recettes] [--runs N] [--keep DOSSIER] "
                         "[--image LxH]\n");
            return 2;
        }
    }

    QTextStream out(stdout);
    QTemporaryDir temp;
    const QString dir = keep.isEmpty() ? temp.path() : keep;
    QDir().mkpath(dir);
    if (QFile::exists(dir + QStringLiteral("/db.mdb"))) {
        std::fprintf(stderr, "brivanta-bench: %s holds a collection already\n", qPrintable(dir));
        return 2;
    }
    const QString settings = dir + QStringLiteral("/reglages/Brivanta.ini");
    QDir().mkpath(dir + QStringLiteral("/reglages"));
    {
        QFile ini(settings);
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
        ini.write("[Settings]\nSplashAuto=False\n");
    }
    qputenv("BRIVANTA_DOSSIER", dir.toUtf8());
    qputenv("BRIVANTA_REGLAGES", settings.toUtf8());
    // No message box may wait for a click during a measure.
    platform::MessageSeam::Enable();
    platform::OverrideScreenTwips(15360, 11520);

    bench::Synthese s;
    try {
        const double written =
            Millis([&] { s = bench::EcrireCollection(dir + QStringLiteral("/db.mdb"), recettes); });
        Note(out,
             QStringLiteral("%1 recettes, ingrédient n° %2 dans %3 recettes, écrites en %4 ms, "
                            "%5 mesures par ligne (médiane)")
                 .arg(recettes)
                 .arg(s.ingredientVedette)
                 .arg(s.recettesVedette)
                 .arg(written, 0, 'f', 0)
                 .arg(runs));
        Note(out, QStringLiteral("application Qt créée en %1 ms").arg(appMs, 0, 'f', 1));

        Frmmain* f = nullptr;
        const double cold = Millis([&] {
            if (!Frmmain::Instance().Form_Load())
                throw platform::DbError(QStringLiteral("Form_Load"));
            Settle();
        });
        f = &Frmmain::Instance();
        const double floor0 = FloorOf(runs, [](sqlite3* db) {
            g_sink = g_sink + Statement(db, ListSql(0), {{0}, {1}});
        });

        for (const int kind : {0, 1, 6}) {
            const double ms = MedianOf(runs, [&] {
                General::AfficherListe(kind);
                Settle();
            });
            const double floor = kind == 0 ? floor0 : FloorOf(runs, [&](sqlite3* db) {
                g_sink = g_sink + Statement(db, ListSql(kind), {{0}, {1}});
            });
            const QByteArray name = "AfficherListe_" + QByteArray::number(kind);
            Line(out, name.constData(), ms, floor);
        }

        // Lower list of the first category.
        General::AfficherListe(1);
        Settle();
        const QString categorie = platform::KeyNumber(f->Liste.Item(1)->Key());
        const double categorieMs = MedianOf(runs, [&] {
            f->Liste.Select(f->Liste.Item(1));
            f->ListeHaute();
            Settle();
        });
        const int categorieCount = f->LFilms.Count();
        const double categorieFloor = FloorOf(runs, [&](sqlite3* db) {
            g_sink = g_sink + Statement(db,
                                        "SELECT * From Cocktails where NCategorie = " +
                                            categorie.toUtf8() + " order by NCategorie desc",
                                        {{0}, {1}});
        });
        Line(out, "ListeBasse_categorie", categorieMs, categorieFloor);

        // Lower list of the ingredient most recipes use.
        General::AfficherListe(6);
        Settle();
        platform::ListItem* vedette =
            f->Liste.Find(QStringLiteral("N ") + platform::Str(s.ingredientVedette));
        if (!vedette) throw platform::DbError(QStringLiteral("ingrédient absent de la liste"));
        const double ingredientMs = MedianOf(runs, [&] {
            f->Liste.Select(vedette);
            f->ListeHaute();
            Settle();
        });
        const int ingredientCount = f->LFilms.Count();
        const double ingredientFloor = FloorOf(runs, [&](sqlite3* db) {
            g_sink = g_sink + IngredientStatements(db, s.ingredientVedette);
        });
        Line(out, "ListeBasse_ingredient", ingredientMs, ingredientFloor);
        // What one joined statement would cost for the same list.
        const double joinFloor = FloorOf(runs, [&](sqlite3* db) {
            g_sink = g_sink + Statement(db,
                                        "SELECT DISTINCT c.Numero, c.Recette FROM Ingre i JOIN "
                                        "Cocktails c ON c.Numero = i.Numero WHERE i.NIngre = " +
                                            QByteArray::number(s.ingredientVedette),
                                        {{0}, {1}});
        });

        // Where the list of recipes spends its time: the recordset layer
        // over the same statement, the statement reading only the two
        // columns shown, and the same sort without our collation.
        std::vector<double> layer;
        for (int i = 0; i < runs; ++i) {
            platform::Database d = db::OpenDb();
            layer.push_back(Millis([&] {
                auto rs = d.OpenRecordset(QString::fromUtf8(ListSql(0)));
                g_sink = g_sink + rs.RecordCount();
            }));
        }
        const double recordset = Median(layer);
        const double narrow = FloorOf(runs, [](sqlite3* db) {
            g_sink =
                g_sink + Statement(db, "SELECT Numero, Recette From Cocktails order by Recette asc",
                                   {{0}, {1}});
        });
        const double binary = FloorOf(runs, [](sqlite3* db) {
            g_sink = g_sink + Statement(db,
                                        "SELECT Numero, Recette From Cocktails order by Recette "
                                        "COLLATE BINARY asc",
                                        {{0}, {1}});
        });
        const double unsorted = FloorOf(runs, [](sqlite3* db) {
            g_sink = g_sink + Statement(db, "SELECT * From Cocktails", {{0}, {1}});
        });
        Note(out,
             QStringLiteral("liste des recettes : recordset %1 ms ; deux colonnes %2 ms ; "
                            "deux colonnes sans collation %3 ms ; toutes colonnes sans tri %4 ms")
                 .arg(recordset, 0, 'f', 1)
                 .arg(narrow, 0, 'f', 1)
                 .arg(binary, 0, 'f', 1)
                 .arg(unsorted, 0, 'f', 1));

        // Start-up on a fresh window, upper list filled.
        const double startup = MedianOf(runs, [&] {
            Frmmain::Unload();
            if (!Frmmain::Instance().Form_Load())
                throw platform::DbError(QStringLiteral("Form_Load"));
            Settle();
        });
        Line(out, "Demarrage", startup, floor0);
        Line(out, "Demarrage_premier", cold, floor0);

        // The examination of the collection that the start-up runs first.
        const double examen = MedianOf(runs, [] {
            if (!db::Examine(db::DbPath())) throw platform::DbError(QStringLiteral("Examine"));
        });
        const double examenFloor = FloorOf(runs, [](sqlite3* db) {
            g_sink = g_sink + Statement(db, "PRAGMA quick_check(1)", {{}, {0}});
        });
        Line(out, "Examen_collection", examen, examenFloor);
        f = &Frmmain::Instance();

        // One card printed to a PDF file with a 12-megapixel photo, beside
        // the same page without the photo.
        {
            QImage photo(4000, 3000, QImage::Format_RGB32);
            for (int y = 0; y < photo.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
                for (int x = 0; x < photo.width(); ++x)
                    line[x] = qRgb(x * 255 / 4000, y * 255 / 3000, (x ^ y) & 255);
            }
            const QString chemin = dir + QStringLiteral("/photo12.jpg");
            if (!photo.save(chemin, "JPG", 90))
                throw platform::DbError(QStringLiteral("photo non écrite"));
            General::AfficherListe(0);
            Settle();
            platform::ListItem* premier = f->Liste.Item(1);
            {
                platform::Database d = db::OpenDb();
                auto rs =
                    d.OpenRecordset(QStringLiteral("SELECT * From Cocktails where Numero = ") +
                                    platform::KeyNumber(premier->Key()));
                rs.Edit();
                rs.SetField(QStringLiteral("Photo"), chemin);
                rs.Update();
            }
            f->Liste.Select(premier);
            f->ListeHaute();
            ChargerAlbums::ChargerFiche();
            FicheAlbum& fiche = FicheAlbum::Instance();
            if (fiche.Photo.Picture().width() != 4000)
                throw platform::DbError(QStringLiteral("photo non chargée"));
            platform::PrinterSeam::UsePdf(
                dir + QStringLiteral("/fiche.pdf"),
                QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                            QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch),
                600);
            const double avec = MedianOf(runs, [&] { fiche.Imprimer(); });
            const QPixmap garde = fiche.Photo.Picture();
            fiche.Photo.SetPicture(QPixmap());
            const double sans = MedianOf(runs, [&] { fiche.Imprimer(); });
            fiche.Photo.SetPicture(garde);
            Line(out, "Imprimer_PDF", avec, sans);
            platform::PrinterSeam::Disable();
            FicheAlbum::Unload();
            Settle();
        }

        Note(out, QStringLiteral("liste haute : %1 entrées ; catégorie %2 : %3 recettes ; "
                                 "ingrédient : %4 recettes ; requête jointe : %5 ms")
                      .arg(f->Liste.Count())
                      .arg(categorie.trimmed())
                      .arg(categorieCount)
                      .arg(ingredientCount)
                      .arg(joinFloor, 0, 'f', 1));
        // A new recipe with four lines, two of them with a new ingredient,
        // beside the bare inserts of the same rows in one transaction.
        int essai = 0;
        const double creation = MedianOf(runs, [&] {
            Creation::Fiche fiche;
            const QString n = QString::number(++essai);
            fiche.Recette = QStringLiteral("Essai ") + n;
            fiche.Liste[3] = QStringLiteral("Catégorie ") + n;
            fiche.Liste[4] = QStringLiteral("Verre ") + n;
            fiche.Liste[5] = QStringLiteral("Réalisation ") + n;
            for (size_t i = 0; i < 4; ++i) {
                fiche.Qte[i] = QString::number(i + 1);
                fiche.Qte2[i] = QStringLiteral("cl");
                fiche.Ingre[i] = QStringLiteral("Ingrédient %1 %2").arg(n).arg(i % 2);
            }
            Creation::Ecrire(fiche, Creation::Variante::Manuelle);
        });
        const double creationFloor = FloorOf(runs, [](sqlite3* db) {
            const char* steps[] = {
                "BEGIN IMMEDIATE",
                "INSERT INTO Cocktails (Numero, Recette) VALUES "
                "((SELECT max(Numero) + 1 From Cocktails), 'x')",
                "INSERT INTO Ingre VALUES ((SELECT max(Numero) From Cocktails), 1, 1, 1)",
                "INSERT INTO Ingre VALUES ((SELECT max(Numero) From Cocktails), 2, 1, 2)",
                "INSERT INTO Ingre VALUES ((SELECT max(Numero) From Cocktails), 3, 1, 3)",
                "INSERT INTO Ingre VALUES ((SELECT max(Numero) From Cocktails), 4, 1, 4)",
                "COMMIT"};
            for (const char* sql : steps) g_sink = g_sink + Statement(db, sql, {});
        });
        Line(out, "CreerRecette", creation, creationFloor);

        // The search window over the recipes, once every recipe has a photo
        // kept in the file (as the photos taken from the partner site are).
        {
            platform::Database d = db::OpenDb();
            d.Execute(
                QStringLiteral("UPDATE Cocktails SET Photo = "
                               "substr(replace(hex(randomblob(2000)), 'A', '#'), 1, 4000)"));
        }
        FrmFind& w = FrmFind::Instance();
        const QString mot = f->Liste.Item(std::max(1, f->Liste.Count() / 2))->Text().left(4);
        auto chercher = [&](const QString& texte) {
            w.Saisie.SetText(texte);
            w.Creer.SetValue(true);
            w.Creer_Click();
            Settle();
        };
        const double motMs = MedianOf(runs, [&] { chercher(mot); });
        const int motCount = w.Liste.Count();
        const double videMs = MedianOf(runs, [&] { chercher(QString()); });
        const int videCount = w.Liste.Count();
        const QByteArray sql = w.Requete().toUtf8();
        const double rechercheFloor = FloorOf(runs, [&](sqlite3* db) {
            g_sink = g_sink + Statement(db, sql, {{0}, {1}});
        });
        Line(out, "RechercherTexte_mot", motMs, rechercheFloor);
        Line(out, "RechercherTexte_vide", videMs, rechercheFloor);
        // The same search reading every column, photos and texts included.
        const double toutesMs = MedianOf(runs, [&] {
            AccesBase::RechercherTexte(QStringLiteral("Select * From Cocktails where Numero > 0 "
                                                      "   order by Numero desc"),
                                       w.Liste, 1, true, mot);
            Settle();
        });
        Note(out, QStringLiteral("recherche « %1 » : %2 recettes ; mot vide : %3 recettes ; "
                                 "la même recherche sur toutes les colonnes : %4 ms")
                      .arg(mot)
                      .arg(motCount)
                      .arg(videCount)
                      .arg(toutesMs, 0, 'f', 1));
        FrmFind::Unload();

        MesurerLesEditeurs(out, runs);
        Images(out, dir, image, runs);
        Photos(out, dir, recettes, runs);
        Frmmain::Unload();

        // The page reader on saved pages of 1 and 10 MB (no browser, no
        // download), beside one pass of a line split over the same text; on
        // a page whose long history is followed by many lines of readers'
        // comments; and on one whose history is the partner's links nested.
        enum Genre { Recette, Commentaires, Imbriquee };
        for (const auto& [name, megas, genre] :
             {std::tuple{"AnalyserPage_1MB", 1, Recette},
              std::tuple{"AnalyserPage_10MB", 10, Recette},
              std::tuple{"AnalyserPage_commentaires_10MB", 10, Commentaires},
              std::tuple{"AnalyserPage_histoire_imbriquee_2MB", 2, Imbriquee}}) {
            const qsizetype taille = qsizetype{megas} * 1024 * 1024;
            const QString page = genre == Commentaires ? bench::PageCommentaires(taille)
                                 : genre == Imbriquee  ? bench::PageHistoireImbriquee(taille)
                                                       : bench::PageRecette(taille);
            const Module1::Site site{QStringLiteral("http://recettes.exemple.org"),
                                     QStringLiteral("Recettes")};
            Module1::Suivi muet;
            int lignes = 0;
            const double ms = MedianOf(runs, [&] {
                Module1::Panneau p;
                Module1::TypeNotation = 0;
                Module1::DansHistoire = false;
                lignes = Module1::Lire(page, p, muet, site);
            });
            const double floor = MedianOf(runs, [&] {
                long long n = 0;
                for (QStringView l : QStringView(page).split(u'\r')) n += l.size();
                g_sink = g_sink + n;
            });
            Line(out, name, ms, floor);
            Note(out, QStringLiteral("page de %1 Mo : %2 lignes d'ingrédients lues")
                          .arg(megas)
                          .arg(lignes));
        }
        // A box raised on the way means a measure ran into an error.
        for (const platform::MessageSeam::Call& c : platform::MessageSeam::Calls())
            Note(out, QStringLiteral("message : ") + c.prompt);
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "brivanta-bench: %s\n", qPrintable(e.Message()));
        Frmmain::Unload();
        return 1;
    }
    platform::MessageSeam::Disable();
    return 0;
}
