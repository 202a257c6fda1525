// The recipe page reader on saved page text: each field reader's cut and
// cleaning, the order of the readers on a line, the state kept from one
// page to the next, and pages built to hurt.
#include <QRandomGenerator>
#include <QtTest>

#include "entry/LecturePage.h"
#include "shell/General.h"

using Module1::Panneau;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

Module1::Site SiteTest() {
    return {QStringLiteral("http://recettes.test"), QStringLiteral("Recettes")};
}

// Records what the reader tells; fetches nothing.
struct Note : Module1::Suivi {
    QStringList photos;
    QList<int> pb;
    void Progression(int p) override { pb << p; }
    void PhotoTrouvee(const QString& a) override { photos << a; }
};

QString Ingredient(const QString& quantite, const QString& nom) {
    return QStringLiteral("<LI><A class=ajout href=\"#\">Ajouter à mes ingrédients</A>") +
           quantite + QStringLiteral("<A title=\"") + nom +
           QStringLiteral("\" href=\"http://recettes.test/cocktails/ingredients\">") + nom +
           QStringLiteral("</A></LI>");
}

int Lire(const QStringList& lignes, Panneau& p, Note* note = nullptr) {
    Note n;
    return Module1::Lire(lignes.join(kCrLf), p, note ? *note : n, SiteTest());
}

}  // namespace

class TestLecture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { General::ChargerLibelles(); }
    void init() {
        Module1::TypeNotation = 0;
        Module1::DansHistoire = false;
    }

    void ingredient_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("compte");
        QTest::addColumn<QString>("qte");
        QTest::addColumn<QString>("mesure");
        QTest::addColumn<QString>("nom");
        QTest::newRow("4 cl et blanc") << Ingredient("4 cl ", "Rhum") << 1 << "4"
                                       << "cl"
                                       << "Rhum";
        QTest::newRow("blanc puis 4 cl") << Ingredient(" 4 cl", "Rhum") << 1 << ""
                                         << "4 cl"
                                         << "Rhum";
        QTest::newRow("un mot") << Ingredient("sucre", "Sucre") << 1 << ""
                                << "sucre"
                                << "Sucre";
        QTest::newRow("rien") << Ingredient("", "Glace") << 1 << ""
                              << ""
                              << "Glace";
        QTest::newRow("trois mots") << Ingredient("1 trait fin ", "Angostura") << 1 << "1"
                                    << "trait fin"
                                    << "Angostura";
        QTest::newRow("une seule fin de lien")
            << QStringLiteral("Ajouter à mes ingrédients</A>4 cl <A title=x ingredients\">Rhum")
            << 0 << ""
            << ""
            << "";
        QTest::newRow("sans la marque du nom")
            << QStringLiteral("<A>Ajouter à mes ingrédients</A>4 cl <A title=x>Rhum</A>") << 0 << ""
            << ""
            << "";
        // The link to the ingredients' page with parameters or a fragment.
        QTest::newRow("lien avec paramètres")
            << QStringLiteral(
                   "<A>Ajouter à mes ingrédients</A>4 cl <A title=Rhum "
                   "href=\"http://x/ingredients?id=3&amp;p=2\">Rhum</A>")
            << 1 << "4"
            << "cl"
            << "Rhum";
        QTest::newRow("lien avec fragment")
            << QStringLiteral(
                   "<A>Ajouter à mes ingrédients</A>4 cl <A title=Rhum "
                   "href=\"http://x/ingredients#rhum\">Rhum</A>")
            << 1 << "4"
            << "cl"
            << "Rhum";
        QTest::newRow("sans le titre du lien")
            << QStringLiteral("<A>Ajouter à mes ingrédients</A>4 cl <A x=\"ingredients\">Rhum</A>")
            << 0 << ""
            << ""
            << "";
    }
    void ingredient() {
        QFETCH(QString, ligne);
        QFETCH(int, compte);
        Panneau p;
        QCOMPARE(Lire({ligne}, p), compte);
        QTEST(p.Qte[0], "qte");
        QTEST(p.Qte2[0], "mesure");
        QTEST(p.Ingre[0], "nom");
    }

    // Nine lines fill the seven rows with the first seven and are all
    // counted; seven fill them exactly.
    void neufIngredients() {
        for (int n : {7, 9}) {
            QStringList lignes;
            for (int i = 1; i <= n; ++i)
                lignes << Ingredient(QStringLiteral("%1 cl ").arg(i), QStringLiteral("I%1").arg(i));
            Panneau p;
            QCOMPARE(Lire(lignes, p), n);
            for (int i = 0; i < 7; ++i) {
                QCOMPARE(p.Qte[static_cast<size_t>(i)], QString::number(i + 1));
                QCOMPARE(p.Ingre[static_cast<size_t>(i)], QStringLiteral("I%1").arg(i + 1));
            }
        }
        QCOMPARE(Module1::MessageTropIngredients(),
                 QStringLiteral("           Le nombre d'ingrédients est plus que 7  !!!\r\r"
                                "Veuillez noter les ingrédients manquants pour les ajouter "
                                "manuellement !"));
    }

    void notation_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("cout");
        QTest::addColumn<QString>("difficulte");
        const QString cher = QStringLiteral("Coût : <EM>cher</EM>");
        const QString diff = QStringLiteral("Niveau : <EM>difficile</EM>");
        auto barre = [](const QString& w) {
            return QStringLiteral("<SPAN class=ratingFill style=\"WIDTH: %1\"></SPAN>").arg(w);
        };
        QTest::newRow("48 après le coût")
            << QStringList{cher, barre("48px")} << General::Couts[3] << "";
        QTest::newRow("48 après la difficulté")
            << QStringList{diff, barre("48px")} << "" << General::Difficultes[3];
        QTest::newRow("96 ne dit rien")
            << QStringList{cher, barre("96px")} << General::Couts[0] << "";
        QTest::newRow("95 %") << QStringList{cher, barre("95%")} << General::Couts[5] << "";
        QTest::newRow("moitié vers le pair, en haut")
            << QStringList{cher, barre("47.5px")} << General::Couts[3] << "";
        QTest::newRow("moitié vers le pair, en bas")
            << QStringList{cher, barre("46.5px")} << General::Couts[2] << "";
        QTest::newRow("pas un nombre")
            << QStringList{cher, barre("grand")} << General::Couts[0] << "";
        QTest::newRow("négative") << QStringList{cher, barre("-40px")} << General::Couts[0] << "";
        QTest::newRow("avant toute étiquette") << QStringList{barre("48px")} << ""
                                               << "";
        QTest::newRow("la dernière barre l'emporte")
            << QStringList{cher, barre("16px"), barre("80px")} << General::Couts[5] << "";
        QTest::newRow("les deux sur une ligne")
            << QStringList{cher + diff + barre("32px")} << "" << General::Difficultes[2];
    }
    void notation() {
        QFETCH(QStringList, lignes);
        Panneau p;
        Lire(lignes, p);
        QTEST(p.Liste[0], "cout");
        QTEST(p.Liste[1], "difficulte");
    }

    // The kind of the last label carries over to the next page.
    void notationGardeSonType() {
        Panneau p;
        Lire({QStringLiteral("<EM>difficile</EM>")}, p);
        Panneau q;
        Lire({QStringLiteral("<SPAN class=ratingfill style=\"width:64px\">")}, q);
        QCOMPARE(q.Liste[1], General::Difficultes[4]);
    }

    void titre_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("nom");
        QTest::newRow("au début")
            << "<TITLE>Recette du Cocktail Mojito .:. Recettes, cocktails</TITLE>"
            << "Mojito";
        QTest::newRow("plus loin") << "<TITLE>Recettes : Recette du Cocktail Daïquiri</TITLE>"
                                   << "du Cocktail Daïquiri";
        QTest::newRow("point d'exclamation et Recette Cocktail")
            << "<TITLE>Americano ! Recette Cocktail</title>"
            << "Americano";
        QTest::newRow("tiret") << "<TITLE>Recette du Cocktail Sex-on-the-beach</TITLE>"
                               << "Sex";
        QTest::newRow("sans fin") << "<HEAD><TITLE>Recette du Cocktail Bellini"
                                  << "Bellini";
        QTest::newRow("vide") << "<TITLE>!</TITLE>"
                              << "";
        QTest::newRow("sans titre") << "<H1>Mojito</H1>"
                                    << "";
    }
    void titre() {
        QFETCH(QString, ligne);
        Panneau p;
        Module1::LireTitre(ligne, p, SiteTest());
        QTEST(p.Recette, "nom");
    }

    // The first title wins; an empty one lets a later line fill the name.
    void premierTitre() {
        Panneau p;
        Lire({QStringLiteral("<TITLE>!</TITLE>"), QStringLiteral("<TITLE>Recette Cocktail Zombie"),
              QStringLiteral("<TITLE>Bronx</TITLE>")},
             p);
        QCOMPARE(p.Recette, QStringLiteral("Zombie"));
    }

    void champs_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("champ");  // 3 category, 4 glass, 5 method, 10 decoration
        QTest::addColumn<QString>("valeur");
        QTest::newRow("catégorie")
            << "<META content=\"Long drinks \" itemprop=\"recipeCategory\">" << 3 << "Long drinks";
        QTest::newRow("catégorie, deux méta")
            << "<META content=x><META content=\"Short-drinks+tiki \" itemprop=\"recipeCategory\">"
               "                                   "
            << 3 << "Short drinks tiki";
        // "recipeCategory" is searched from the sum of both positions on.
        QTest::newRow("catégorie trop près")
            << "<META content=a><META content=\"b\" itemprop=\"recipeCategory\">" << 3 << "";
        QTest::newRow("catégorie absente") << "<META content=\"fr\" name=language>" << 3 << "";
        QTest::newRow("verre") << "Servir dans un verre de type <A href=\"x\"><U>Tumbler</U></a>."
                               << 4 << "Tumbler";
        QTest::newRow("verre sans fin") << "Servir dans un verre de type Coupe" << 4 << " Coupe";
        QTest::newRow("matériel") << "Réalisez la recette <A href=\"x\"><U>Au shaker</U></A>" << 5
                                  << "Au shaker";
        QTest::newRow("matériel sans fin") << "Réalisez la recette au verre" << 5 << " au verre";
        QTest::newRow("décor") << "<P><B>Décor:</B>&nbsp;une cerise<BR></P><B>Autre</B>" << 10
                               << "une cerise";
        QTest::newRow("décor sans fin") << "Décor: une olive <BR>" << 10 << "une olive ";
    }
    void champs() {
        QFETCH(QString, ligne);
        QFETCH(int, champ);
        Panneau p;
        Lire({ligne}, p);
        QTEST(champ == 10 ? p.Saisie[1] : p.Liste[static_cast<size_t>(champ)], "valeur");
    }

    void preparation() {
        Panneau p;
        Lire({QStringLiteral(
                 "<P>Réalisez la recette <A href=\"x\"><U>Au verre</U></A><SPAN "
                 "itemprop=\"recipeInstructions\"><BR>Piler la menthe.<BR>Ajouter le <B>rhum</B> "
                 "et <A href=\"http://recettes.test/cocktail.php\">la glace</A>.</SPAN> "
                 "Servir dans un verre de type <A href=\"y\">Tumbler</A></P>")},
             p);
        QCOMPARE(p.Liste[5], QStringLiteral("Au verre"));
        QCOMPARE(p.Saisie[0], QStringLiteral("- Piler la menthe.\r\n- Ajouter le \r\nrhum\r\n et "
                                             "la glace."));
        QCOMPARE(p.Liste[4], QStringLiteral("Tumbler"));
    }

    // The older layout: from "A préparer" on, the cells left open as the
    // browser writes them, and the method from the cell of the marker when
    // it stands in that cut; the fields read as the page shows them.
    void preparationAncienne() {
        Panneau p;
        Lire({QStringLiteral("<TR><TD>A préparer au <A href=\"http://recettes.test/cocktail.php\">"
                             "<U>shaker</U></A><BR>Frapper.<TD class=important2gras vAlign=center "
                             "align=left>&nbsp;<A href=\"http://recettes.test/materiel.php\">"
                             "Shaker</A></TR>")},
             p);
        QCOMPARE(p.Saisie[0], QStringLiteral("A préparer au shaker\r\nFrapper.\u00a0Shaker"));
        QCOMPARE(p.Liste[5], QStringLiteral("Shaker"));
        Panneau q;
        Lire({QStringLiteral("<TR><TD>A préparer au shaker<BR>Frapper.<TD>Coupe</TR>")}, q);
        QCOMPARE(q.Saisie[0], QStringLiteral("A préparer au shaker\r\nFrapper.Coupe"));
        QCOMPARE(q.Liste[5], QString());
    }

    void histoire() {
        Panneau p;
        p.Saisie[3] = QStringLiteral("ancienne");
        Lire(
            {QStringLiteral("<P>avant</P>"), QStringLiteral("<H2>Histoire du cocktail</H2>"),
             QStringLiteral("<P>Né à <STRONG>Cuba</STRONG>&nbsp;en 1930.<BR>Fin</P>"),
             QStringLiteral("<P>Sucre &lt; citron, et voilà"),
             QStringLiteral("<P><A href=x>• Variantes de Cocktails</A> &nbsp;<A href=y>• Dates "
                            "de conception des grands cocktails classiques</A></P>"),
             QStringLiteral("<H2>Commentaires de la recette</H2>"), QStringLiteral("<P>après</P>")},
            p);
        QCOMPARE(p.Saisie[3], QStringLiteral("Histoire du cocktail\r\nNé à  Cuba en 1930.\r\nFin"
                                             "Sucre < citron, et voilà"));
        QVERIFY(!Module1::DansHistoire);
    }

    // Each end line cleans the history it follows, also after many end
    // lines and in a history begun again.
    void histoireReprise() {
        const QString liens = QStringLiteral(
            "<P><A href=\"http://recettes.test/v.php\">• Variantes de Cocktails</A> &nbsp;<A "
            "href=\"http://recettes.test/d.php\">• Dates de conception des grands cocktails "
            "classiques</A></P>");
        const QString fin = QStringLiteral("<H2>Commentaires de la recette</H2>");
        Panneau p;
        Lire({QStringLiteral("<H2>Histoire du cocktail</H2>"), QStringLiteral("<P>un</P>"), liens,
              fin, fin, QStringLiteral("<P>Commentaires de la recette : bon</P>"), fin,
              QStringLiteral("<H2>Histoire du cocktail</H2>"), QStringLiteral("<P>deux</P>"), liens,
              fin, fin},
             p);
        QCOMPARE(p.Saisie[3], QStringLiteral("Histoire du cocktail\r\ndeux"));
        QVERIFY(!Module1::DansHistoire);
    }

    // The partner's links cut in halves and nested in the history: each
    // end line removes the links once, as removing every occurrence left to
    // right does, so a removal that joins two halves leaves that link to the
    // next end line; however deep they nest, however many end lines follow.
    void histoireImbriquee_data() {
        QTest::addColumn<int>("profondeur");
        QTest::addColumn<int>("fins");
        QTest::newRow("une fin pour trois") << 3 << 1;
        QTest::newRow("deux fins pour trois") << 3 << 2;
        QTest::newRow("autant de fins") << 3 << 3;
        QTest::newRow("plus de fins") << 3 << 7;
        QTest::newRow("profonde") << 400 << 150;
        QTest::newRow("profonde, et des fins de reste") << 400 << 1000;
    }
    void histoireImbriquee() {
        QFETCH(int, profondeur);
        QFETCH(int, fins);
        const QString debut = QStringLiteral(
            "<P><A href=\"http://recettes.test/v.php\">• Variantes de Cocktails</A> "
            "&nbsp;");
        const QString fin = QStringLiteral(
            "<A href=\"http://recettes.test/d.php\">• Dates de conception des grands cocktails "
            "classiques</A></P>");
        QStringList lignes{QStringLiteral("<H2>Histoire du cocktail</H2>")};
        for (int i = 0; i < profondeur; ++i) lignes << debut;
        for (int i = 0; i < profondeur; ++i) lignes << fin;
        for (int i = 0; i < fins; ++i)
            lignes << QStringLiteral("<P>Commentaires de la recette : avis %1</P>").arg(i);
        Panneau p;
        Lire(lignes, p);
        const int reste = std::max(0, profondeur - fins);
        QCOMPARE(p.Saisie[3],
                 QStringLiteral("Histoire du cocktail\r\n") +
                     QStringLiteral("• Variantes de Cocktails  ").repeated(reste) +
                     QStringLiteral("• Dates de conception des grands cocktails classiques")
                         .repeated(reste));
    }

    // Histories of the links' pieces in any order, with text between them
    // and the links in both forms, cleaned by a number of end lines: the
    // reader gives what as many removals over the whole history give.
    void histoireEnMorceaux() {
        const QString liens = Module1::LiensHistoire();
        const QString nettoyes =
            QString(liens).replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
        // Lines of the page, and what each adds to the history.
        const QList<std::pair<QString, QString>> morceaux{
            {QStringLiteral("<A href=x>• Variantes de Cocktails</A> &nbsp;"),
             QStringLiteral("• Variantes de Cocktails  ")},
            {QStringLiteral("<A href=y>• Dates de conception des grands cocktails "
                            "classiques</A>"),
             QStringLiteral("• Dates de conception des grands cocktails classiques")},
            {QStringLiteral("• Variantes"), QStringLiteral("• Variantes")},
            {QStringLiteral(" de Cocktails  • Dates de conception"),
             QStringLiteral(" de Cocktails  • Dates de conception")},
            {QStringLiteral(" des grands cocktails classiques"),
             QStringLiteral(" des grands cocktails classiques")},
            {QStringLiteral("x"), QStringLiteral("x")},
            {QStringLiteral("•"), QStringLiteral("•")}};
        QRandomGenerator hasard(29303);
        for (int essai = 0; essai < 300; ++essai) {
            QStringList lignes{QStringLiteral("<H2>Histoire du cocktail</H2>")};
            QString attendu = QStringLiteral("Histoire du cocktail\r\n");
            const int n = hasard.bounded(1, 60);
            for (int i = 0; i < n; ++i) {
                const auto& m = morceaux[hasard.bounded(morceaux.size())];
                lignes << m.first;
                attendu += m.second;
            }
            const int fins = hasard.bounded(0, 12);
            for (int i = 0; i < fins; ++i) {
                lignes << QStringLiteral("<H2>Commentaires de la recette</H2>");
                attendu.remove(liens);
                attendu.remove(nettoyes);
            }
            Module1::DansHistoire = false;
            Panneau p;
            Lire(lignes, p);
            QCOMPARE(p.Saisie[3], attendu);
        }
    }

    // Fields read as the page shows them: the markup's entities decoded
    // once, the tags the cuts leave removed; a field the page does not fill
    // keeps its text as it was.
    void texteDeLaPage_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("champ");  // 3 category, 4 glass, 5 method, 10 decoration,
                                         // 11 name, 12 ingredient, 13 history
        QTest::addColumn<QString>("valeur");
        QTest::newRow("nom") << "<TITLE>Recette du Cocktail Gin &amp; tonic .:. Recettes</TITLE>"
                             << 11 << "Gin & tonic";
        QTest::newRow("une seule fois")
            << "<TITLE>Recette Cocktail A &amp;lt; B</TITLE>" << 11 << "A &lt; B";
        QTest::newRow("catégorie") << "<META content=\"Punchs &amp; grogs &quot;maison&quot; \" "
                                      "itemprop=\"recipeCategory\">"
                                   << 3 << "Punchs & grogs \"maison\"";
        QTest::newRow("verre")
            << "Servir dans un verre de type <A href=\"http://x/v.php?a=1&amp;b=2\">"
               "Flûte &lt;haute&gt;</A>"
            << 4 << "Flûte <haute>";
        QTest::newRow("matériel")
            << "Réalisez la recette <A href=\"x\"><U><STRONG>Shaker &amp; passoire</STRONG></U></A>"
            << 5 << "Shaker & passoire";
        QTest::newRow("décor") << "<P><B>Décor:</B>&nbsp;une <I>cerise</I> &amp; un zeste<BR></P>"
                               << 10 << "une cerise & un zeste";
        QTest::newRow("ingrédient") << Ingredient("2 cl ", "Sirop &lt;maison&gt; &amp; citron")
                                    << 12 << "Sirop <maison> & citron";
        QTest::newRow("histoire")
            << "<H2>Histoire du cocktail</H2>Servi chaud (&lt; 70 °C) aux marins&nbsp;!" << 13
            << "Histoire du cocktail\r\nServi chaud (< 70 °C) aux marins !";
    }
    void texteDeLaPage() {
        QFETCH(QString, ligne);
        QFETCH(int, champ);
        Panneau p;
        const QString tape = QStringLiteral("a < b & c\u00a0d <B>e</B> &amp;");
        p.Saisie[2] = tape;
        Lire({ligne}, p);
        const QString lu = champ == 10   ? p.Saisie[1]
                           : champ == 11 ? p.Recette
                           : champ == 12 ? p.Ingre[0]
                           : champ == 13 ? p.Saisie[3]
                                         : p.Liste[static_cast<size_t>(champ)];
        QTEST(lu, "valeur");
        QCOMPARE(p.Saisie[2], tape);
    }

    // A history without its end goes on into the next page from its first
    // line.
    void histoireSansFin() {
        Panneau p;
        Lire({QStringLiteral("<H2>Histoire du cocktail</H2>"), QStringLiteral("<P>un</P>")}, p);
        QVERIFY(Module1::DansHistoire);
        Panneau q;
        Lire({QStringLiteral("<P>deux</P>")}, q);
        QCOMPARE(q.Saisie[3], QStringLiteral("deux"));
    }

    void enleverBalises_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("reste");
        QTest::newRow("balises") << "<P>a<B>b</B>c</P>"
                                 << "abc";
        QTest::newRow("< sans >") << "<P>a < b"
                                  << "a < b";
        QTest::newRow("< puis > plus loin") << "a < b <I>c"
                                            << "a c";
        QTest::newRow("> seul") << "a > b"
                                << "a > b";
        QTest::newRow("vide") << ""
                              << "";
    }
    void enleverBalises() {
        QFETCH(QString, texte);
        Module1::EnleverBalises(texte);
        QTEST(texte, "reste");
    }

    // Only the first usable address is fetched; the readers after it on
    // the line see the address in place of the line.
    void photo() {
        Panneau p;
        Note n;
        Lire({QStringLiteral("<META content=\"ftp://x/a.jpg\" property=\"og:image\">"),
              QStringLiteral("<META content=\"http://x/B.jpg\" property=\"og:image\"> Servir dans "
                             "un verre de type <A>Coupe</A>"),
              QStringLiteral("<META content=\"http://x/c.jpg\" property=\"og:image\">")},
             p, &n);
        QCOMPARE(n.photos, QStringList{QStringLiteral("http://x/b.jpg")});
        QCOMPARE(p.PhotoAdresse, QStringLiteral("http://x/b.jpg"));
        QCOMPARE(p.Liste[4], QString());
    }

    // An address in https is taken as one in http; on a line that holds
    // both, the first one.
    void photoHttps_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("adresse");
        QTest::newRow("https") << "<META content=\"https://x/A.jpg\" property=\"og:image\">"
                               << "https://x/a.jpg";
        QTest::newRow("https puis http")
            << "<META content=\"https://x/a.jpg\" property=\"og:image\"> http://x/b.jpg"
            << "https://x/a.jpg";
        QTest::newRow("http puis https")
            << "<META content=\"http://x/a.jpg\" property=\"og:image\"> https://x/b.jpg"
            << "http://x/a.jpg";
        QTest::newRow("https sans .jpg")
            << "<META content=\"https://x/a.png\" property=\"og:image\">"
            << "";
    }
    void photoHttps() {
        QFETCH(QString, ligne);
        Panneau p;
        Note n;
        Lire({ligne}, p, &n);
        QTEST(p.PhotoAdresse, "adresse");
    }

    // Pages built to hurt: one endless line, markers in the wrong order,
    // cuts without their ends. Nothing hangs and nothing is invented.
    void pagesHostiles() {
        QString longue;
        longue.reserve(10'000'000);
        const QString motif = QStringLiteral(
            "</A></A><TITLE>x Réalisez la recette <U>Décor: Servir dans un verre de type >");
        while (longue.size() < 10'000'000) longue += motif;
        Panneau p;
        Lire({longue}, p);
        QVERIFY(p.Recette.startsWith(QStringLiteral("x Réalisez")));
        QCOMPARE(p.Liste[4].size(), 0);

        Panneau q;
        Lire({QStringLiteral("</TITLE>Mojito<TITLE>"),
              QStringLiteral("</U>Réalisez la recette au verre"),
              QStringLiteral("recipeCategory<META content=\"Tiki\">"),
              QStringLiteral(".jpg http:// og:image"), QString(1000, u'<')},
             q);
        QCOMPARE(q.Recette, QString());
        QCOMPARE(q.Liste[5], QStringLiteral(" au verre"));
        QCOMPARE(q.Liste[3], QString());
        QCOMPARE(q.PhotoAdresse, QString());
    }

    // Lines end at a carriage return, with or without a line feed; a line
    // feed alone stays inside the line.
    void finsDeLigne() {
        Panneau p;
        Note n;
        Module1::Lire(QStringLiteral("<TITLE>Recette Cocktail A\nB</TITLE>\rDécor: c\r\n"
                                     "<B>Décor: d"),
                      p, n, SiteTest());
        QCOMPARE(p.Recette, QStringLiteral("A\nB"));
        QCOMPARE(p.Saisie[1], QStringLiteral("c"));
    }
};

QTEST_MAIN(TestLecture)
#include "test_lecture.moc"
