// The import window driven as the user drives it: the real embedded browser
// on partner pages served from 127.0.0.1 by the test itself, the page
// reader, the photo fetch and the creation over a real collection file.
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "db/Schema.h"
#include "entry/Facile.h"
#include "entry/LecturePage.h"
#include "platform/Inet.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"
#include "support/ServeurPages.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}

// A photo of ours: a glass drawn on a dark ground, as JPEG.
QByteArray Jpeg() {
    QImage img(120, 160, QImage::Format_RGB32);
    img.fill(QColor(30, 20, 40));
    QPainter p(&img);
    p.setBrush(QColor(120, 220, 160));
    p.drawRect(35, 40, 50, 90);
    p.end();
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return b;
}

// The partner site: the fixture pages, their photo and pages built here.
struct Partenaire {
    ServeurPages srv;
    QByteArray photo = Jpeg();
    QHash<QString, QByteArray> pages;
    Partenaire() {
        const QDir dir(QStringLiteral(PAGES_DIR));
        for (const QString& n : dir.entryList({QStringLiteral("*.htm")})) {
            QByteArray b = Fixture::ReadFile(dir.filePath(n));
            b.replace("{{SITE}}", srv.Base().toUtf8());
            pages.insert(n, b);
            srv.Page(QLatin1Char('/') + n, b);
        }
        srv.Page(QStringLiteral("/"), "<html><body><p>Accueil du partenaire</p></body></html>");
        for (const char* nom : {"mojito", "gin-tonic", "planteur"})
            srv.Page(QStringLiteral("/photos/%1.jpg").arg(QLatin1String(nom)), photo, "image/jpeg");
        srv.Page(QStringLiteral("/photos/texte.jpg"), "ceci n'est pas une image", "image/jpeg");
        srv.Page(QStringLiteral("/photos/absente.jpg"), "non", "text/plain", 404);
        srv.Silence(QStringLiteral("/photos/muette.jpg"));
        srv.Page(QStringLiteral("/photos/enorme.jpg"), QByteArray(21 * 1024 * 1024, 'x'),
                 "image/jpeg");
        // The Mojito page with another photo address.
        for (const char* nom : {"texte", "absente", "muette", "enorme"}) {
            QByteArray b = pages.value(QStringLiteral("recette-cocktail-mojito.htm"));
            b.replace("/photos/mojito.jpg", QByteArray("/photos/") + nom + ".jpg");
            srv.Page(QStringLiteral("/recette-cocktail-photo-%1.htm").arg(QLatin1String(nom)), b);
        }
        srv.Page(QStringLiteral("/RECETTE-COCKTAIL-mojito.htm"),
                 pages.value(QStringLiteral("recette-cocktail-mojito.htm")));
    }
    QString Url(const QString& path) const { return srv.Base() + path; }
};

struct Ouvert {
    Fixture fx;
    Partenaire site;
    explicit Ouvert(const char* seed = nullptr) {
        if (seed)
            fx.WriteSeed(seed);
        else
            fx.WriteSample();
        Fixture::WriteFile(fx.Dir() + QStringLiteral("/brivanta.conf"),
                           "[Partenaire]\nAdresse=" + site.srv.Base().toUtf8() +
                               "/\nDomaine=127.0.0.1\nMarque=Recettes\n");
        QDir().mkpath(fx.Dir() + QStringLiteral("/astuces"));
        QFile::copy(QStringLiteral(ASTUCES_DIR "/facile.htm"),
                    fx.Dir() + QStringLiteral("/astuces/facile.htm"));
        platform::InetSeam::Clear();
        if (!fx.StartMain()) qFatal("start-up failed");
        QSignalSpy charge(&W().WebBrowser1, &platform::WebBrowser::DocumentComplete);
        F().Outils[1]->ClickIt();
        if (!charge.wait(30000)) qFatal("start page not loaded");
    }
    ~Ouvert() {
        Facile::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::InetSeam::SetDelai(0);
    }
    static Facile& W() { return Facile::Instance(); }
    // Does the action and waits for the page it loads.
    [[nodiscard]] static bool Charger(const std::function<void()>& action) {
        QSignalSpy fin(&W().WebBrowser1, &platform::WebBrowser::DocumentComplete);
        action();
        return fin.wait(30000);
    }
    [[nodiscard]] bool Aller(const QString& path) {
        return Charger([&] { W().WebBrowser1.Navigate(site.Url(path)); });
    }
    void Analyser() { W().Analyse.ClickIt(); }
    QStringList Messages() const {
        QStringList out;
        for (const auto& c : platform::MessageSeam::Calls()) out << c.prompt;
        return out;
    }
};

// A recipe page in the partner's layout: the title and the category in its
// head, `corps` first in its body, then the method of making with its
// instructions and the glass link, then `fin`.
QByteArray PageRecette(const QByteArray& titre, const QByteArray& categorie,
                       const QByteArray& corps, const QByteArray& instructions,
                       const QByteArray& lienVerre, const QByteArray& fin) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">\n<title>" + titre +
           "</title>\n<meta content=\"" + categorie +
           "\" itemprop=\"recipeCategory\">\n</head><body>\n" + corps +
           "<p class=\"realisation\">R\xc3\xa9"
           "alisez la recette <u>Au verre</u><span itemprop=\"recipeInstructions\"><br>" +
           instructions + "</span> Servir dans un verre de type " + lienVerre + "</p>\n" + fin;
}

QStringList Fichiers(const QString& dir) {
    return QDir(dir).entryList(QDir::Files);
}

// What a fixture page shows, field by field, as a reader of the page sees
// it; and the words the user adds before creating the recipe.
struct Attendu {
    QString recette;
    std::array<QString, 6> liste;
    std::array<QString, 4> saisie;
    QList<QStringList> lignes;  // quantity, measure, ingredient
    QString photo;              // its path on the site
    int cout = 0, difficulte = 0;
};

Attendu PageAttendue(const QString& page) {
    Attendu a;
    if (page == QStringLiteral("recette-cocktail-gin-tonic.htm")) {
        a.recette = QStringLiteral("Gin & tonic");
        a.liste = {General::Couts[2],
                   General::Difficultes[1],
                   QString(),
                   QStringLiteral("Long drinks & highballs"),
                   QStringLiteral("Highball"),
                   QStringLiteral("Au verre")};
        a.saisie = {
            QStringLiteral("- Remplir le verre de glaçons.\r\n- Verser le gin puis le tonic & "
                           "remuer au mélangeur.\r\n- Servir frais (< 6 °C) > jamais tiède."),
            QStringLiteral("une rondelle de citron & deux baies de genièvre."), QString(),
            QStringLiteral("Histoire du cocktail\r\nServi chaud (< 70 °C) aux marins "
                           "britanniques, le  gin & tonic chassait la fièvre des "
                           "colonies.\r\nLa quinine > tout le reste, disait-on.")};
        a.lignes = {{"5", "cl", "Gin <London Dry>"},
                    {"15", "cl", "Tonic & quinine"},
                    {"1", "rondelle", "Citron"},
                    {"", "glaçons", "Glace"}};
        a.photo = QStringLiteral("/photos/gin-tonic.jpg");
        a.cout = 2;
        a.difficulte = 1;
    } else if (page == QStringLiteral("recette-cocktail-planteur-ancien.htm")) {
        a.recette = QStringLiteral("Planter's punch");
        a.liste = {General::Couts[4],
                   General::Difficultes[3],
                   QString(),
                   QStringLiteral("Punchs & grogs"),
                   QStringLiteral("Tumbler"),
                   QStringLiteral("Shaker")};
        // The older layout's cut runs from "A préparer" to the end of the
        // method's cell, its no-break space first.
        a.saisie = {
            QStringLiteral("A préparer au shaker :\r\nFrapper le rhum, les jus & le sirop "
                           "avec des glaçons.\r\nVerser dans le verre Tumbler rempli de "
                           "glace pilée (< 0 °C).\u00a0Shaker"),
            QStringLiteral("une tranche d'ananas & une cerise."), QString(),
            QStringLiteral("Histoire du cocktail\r\nNé à la Jamaïque vers 1900, le punch des "
                           "planteurs se buvait « un de sucre, deux d'acide, trois de fort "
                           "& quatre de faible ».")};
        a.lignes = {{"6", "cl", "Rhum ambré"},
                    {"4", "cl", "Jus d'orange & d'ananas"},
                    {"2", "cl", "Sirop de sucre de canne"},
                    {"1", "trait", "Grenadine <maison>"}};
        a.photo = QStringLiteral("/photos/planteur.jpg");
        a.cout = 4;
        a.difficulte = 3;
    } else if (page == QStringLiteral("recette-cocktail-liens-parametres.htm")) {
        // Links whose addresses go on with parameters and fragments.
        a.recette = QStringLiteral("Whisky sour");
        a.liste = {
            General::Couts[1],       General::Difficultes[2],         QString(),
            QStringLiteral("Sours"), QStringLiteral("Old fashioned"), QStringLiteral("Au shaker")};
        a.saisie = {
            QStringLiteral("- Frapper au shaker avec des glaçons.\r\n- Servir dans un old "
                           "fashioned sur glace pilée.\r\n- Ou dans une coupe bien froide."),
            QStringLiteral("une cerise et un zeste de citron."), QString(),
            QStringLiteral("Histoire du cocktail\r\nLe premier sour fut servi au bar "
                           "d'un hôtel.")};
        a.lignes = {
            {"5", "cl", "Bourbon"}, {"3", "cl", "Jus de citron"}, {"2", "cl", "Sirop de sucre"}};
        a.photo = QStringLiteral("/photos/mojito.jpg");
        a.cout = 1;
        a.difficulte = 2;
    } else if (page == QStringLiteral("recette-cocktail-attributs-desordre.htm")) {
        // The template writes href before title, itemprop before content.
        a.recette = QStringLiteral("Mai tai");
        a.liste = {General::Couts[4],
                   QString(),
                   QString(),
                   QStringLiteral("Tiki"),
                   QStringLiteral("Tumbler"),
                   QStringLiteral("Au shaker")};
        a.saisie = {QStringLiteral("- Frapper avec de la glace pilée."), QString(), QString(),
                    QString()};
        a.lignes = {
            {"4", "cl", "Rhum ambré"}, {"2", "cl", "Curaçao"}, {"1", "cl", "Sirop d'orgeat"}};
        a.photo = QStringLiteral("/photos/mojito.jpg");
        a.cout = 4;
    } else if (page == QStringLiteral("recette-cocktail-ancienne-desordre.htm")) {
        // The older layout, its method cell written align, class, valign,
        // its links with parameters.
        a.recette = QStringLiteral("Sidecar");
        a.liste = {General::Couts[3],
                   QString(),
                   QString(),
                   QStringLiteral("Short drinks"),
                   QStringLiteral("Coupe"),
                   QStringLiteral("Shaker")};
        a.saisie = {QStringLiteral("A préparer au shaker :\r\nFrapper avec des glaçons.\r\nServir "
                                   "dans un verre à cocktail givré.\u00a0Shaker"),
                    QStringLiteral("une écorce d'orange."), QString(), QString()};
        a.lignes = {{"4", "cl", "Cognac"}, {"2", "cl", "Cointreau"}};
        a.photo = QStringLiteral("/photos/planteur.jpg");
        a.cout = 3;
    } else if (page == QStringLiteral("recette-cocktail-a-la-main.htm")) {
        // Written by hand: indented, items and sentences over several
        // source lines, tabs, a no-break space between number and unit. A
        // quantity text that begins with the space the page shows (after
        // the link, before "2 cl") gives an empty quantity, as " 4 cl" does.
        a.recette = QStringLiteral("Caïpirinha");
        a.liste = {General::Couts[2],
                   General::Difficultes[1],
                   QString(),
                   QStringLiteral("Short drinks"),
                   QStringLiteral("Old fashioned"),
                   QStringLiteral("Au verre")};
        a.saisie = {QStringLiteral("- Couper le citron vert en quartiers.\r\n- Piler avec le "
                                   "sucre, puis ajouter la cachaça."),
                    QStringLiteral("un quartier de citron vert."), QString(),
                    // The history's reader makes "<STRONG>" a space of its own.
                    QStringLiteral("Histoire du cocktail\r\nNée au Brésil, la  caïpirinha se "
                                   "boit très fraîche.\r\nC'est la boisson nationale.")};
        a.lignes = {{"5", "cl", "Cachaça"},
                    {"", "2 cl", "Citron vert"},
                    {"2", "cuillères à café", "Sucre de canne"}};
        a.photo = QStringLiteral("/photos/mojito.jpg");
        a.cout = 2;
        a.difficulte = 1;
    }
    return a;
}

// A text as a multi-line box of the panel hands it back (the box, not the
// reader, decides what becomes of a no-break space).
QString DansLaBoite(const QString& texte) {
    platform::TextBox boite(nullptr, true);
    boite.SetText(texte);
    return boite.Text();
}

// A click of the user's mouse on a button, a field, and typing into it.
void Cliquer(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
}
void Taper(platform::TextBox& t, const QString& texte) {
    QWidget* e = t.Editor();
    Cliquer(e);
    QTest::keyClicks(e, texte);
}

}  // namespace

class TestFacile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); }

    // The markup the reader gets, element by element: links resolved
    // against the page's address, text escaped, cells left open.
    void serialisation() {
        Ouvert o;
        o.site.srv.Page(
            QStringLiteral("/regles.htm"),
            "<!DOCTYPE html><html><head><title>R\xc3\xa8gles</title>"
            "<meta content=\"a b\" name=\"x\"></head><body><div id=\"d1\" class=\"c-1_x.y:z\">"
            "<p style=\"width:48px;color : red\">Un&nbsp;deux <b>trois</b><br>quatre</p><table "
            "cellpadding=\"2\"><tr>"
            "<td valign=\"top\" colspan=\"2\" data-x=\"1\" itemprop=\"nom\">x</td><td>y</td></tr>"
            "</table><img src=\"/i.png\" alt=\"une image\"><span title='dit \"oui\"'>a < b & "
            "c</span><!-- note --><ul>\n  <li>un<li>deux</ul>"
            "<table><tr><th>T&ecirc;te</th><td>1 &gt; 0</td></tr></table>"
            "<a href=\"../x/y.php?a=1&amp;b=2\" title=\"a &amp; b < c\">lien</a><a "
            "href=\"#haut\">haut</a><script>var a = 1 < 2 && true;</script></div></body></html>");
        QVERIFY(o.Aller(QStringLiteral("/regles.htm")));
        const QString base = o.site.srv.Base();
        QCOMPARE(
            o.W().WebBrowser1.InnerHTML(),
            QStringLiteral(
                "<HEAD>\r\n<TITLE>Règles</TITLE>\r\n<META content=\"a b\" name=x></HEAD>\r\n"
                "<BODY>\r\n<DIV id=d1 class=c-1_x.y:z>\r\n<P style=\"WIDTH: 48px; COLOR: "
                "red\">Un&nbsp;deux <B>trois</B><BR>"
                "quatre</P>\r\n<TABLE cellPadding=2>\r\n<TBODY>\r\n<TR><TD vAlign=top "
                "colSpan=2 data-x=\"1\" itemprop=\"nom\">x<TD>y</TR></TBODY>"
                "</TABLE><IMG src=\"%1/i.png\" alt=\"une image\"><SPAN title=\"dit "
                "&quot;oui&quot;\">a &lt; b &amp; c</SPAN><!-- note -->\r\n<UL>\r\n<LI>un</LI>\r\n"
                "<LI>deux</LI></UL>\r\n<TABLE>\r\n<TBODY>\r\n<TR><TH>Tête<TD>1 &gt; 0</TR>"
                "</TBODY></TABLE><A title=\"a &amp; b &lt; c\" "
                "href=\"%1/x/y.php?a=1&amp;b=2\">lien</A><A "
                "href=\"%1/regles.htm#haut\">haut</A><SCRIPT>var a = 1 < 2 && "
                "true;</SCRIPT></DIV></BODY>")
                .arg(base));
    }

    // A recipe page read, corrected, created twice, and the window closed:
    // the main list shows both recipes.
    void analyseEtCreation() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(!w.Analyse.Visible());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        QVERIFY(w.Analyse.Visible());
        const QStringList avant = Fichiers(o.fx.Dir());
        if (qEnvironmentVariableIsSet("VOIR")) qDebug().noquote() << w.WebBrowser1.InnerHTML();
        o.Analyser();
        QVERIFY(w.Scroll0.Visible());
        QVERIFY(!w.WebBrowser1.Visible() && !w.CadreBouton.Visible());
        QVERIFY(w.isEnabled() && !w.Pb.Visible() && !w.LPB.Visible());
        QVERIFY(!w.Analyse.Value());
        QVERIFY(F().Timer1.isActive());
        QCOMPARE(w.Recette.Text(), QStringLiteral("Mojito"));
        QCOMPARE(w.Liste[0]->Text(), General::Couts[3]);
        QCOMPARE(w.Liste[1]->Text(), General::Difficultes[1]);
        QCOMPARE(w.Liste[2]->Text(), QString());
        QCOMPARE(w.Liste[3]->Text(), QStringLiteral("Long drinks"));
        QCOMPARE(w.Liste[4]->Text(), QStringLiteral("Tumbler"));
        QCOMPARE(w.Liste[5]->Text(), QStringLiteral("Au verre"));
        QCOMPARE(w.Saisie[0]->Text(),
                 QStringLiteral("- Placer les feuilles de menthe et le sucre dans le verre.\r\n- "
                                "Piler doucement avec le citron vert.\r\n- Ajouter le rhum, la "
                                "glace pilée puis l'eau gazeuse."));
        QCOMPARE(w.Saisie[1]->Text(),
                 QStringLiteral("une branche de menthe et un quartier de citron vert."));
        QCOMPARE(w.Saisie[3]->Text(),
                 QStringLiteral("Histoire du cocktail\r\nNé à Cuba, le  Mojito était la boisson "
                                "des marins.\r\nHemingway l'a rendu célèbre."));
        const QStringList qte{"6", "3", "", "8", "", "10", "1"};
        const QStringList mes{"cl", "cl", "2 cuillères", "feuilles", "glace", "cl", "trait"};
        for (size_t i = 0; i < 7; ++i) {
            QCOMPARE(w.Qte[i]->Text(), qte[static_cast<int>(i)]);
            QCOMPARE(w.Qte2[i]->Text(), mes[static_cast<int>(i)]);
        }
        QCOMPARE(w.Ingre[3]->Text(), QStringLiteral("Menthe fraîche"));
        // Exactly seven lines: no warning.
        QCOMPARE(o.Messages(), QStringList());
        // The photo, fetched once, shown and kept whole.
        const QString photo = o.site.Url(QStringLiteral("/photos/mojito.jpg"));
        QCOMPARE(platform::InetSeam::Demandes(), QStringList{photo});
        QCOMPARE(w.Photo.Tag, photo);
        QCOMPARE(w.Photo.toolTip(), photo);
        QVERIFY(!w.Photo.Picture().isNull());
        QCOMPARE(Module1::PhotoOctets, o.site.photo);
        QCOMPARE(Module1::PhotoTaille, o.site.photo.size());
        // No scratch file in the application folder.
        QCOMPARE(Fichiers(o.fx.Dir()), avant);

        w.Liste[2]->TypeIt(General::Teneurs[2]);
        w.Creer.ClickIt();
        QCOMPARE(o.Messages(), QStringList{QStringLiteral("Création réussie ! ")});
        QVERIFY(!w.Creer.Value());
        QCOMPARE(w.Recette.Text(), QStringLiteral("Mojito (Le)"));
        const QString sql = QStringLiteral(
            "SELECT c.Recette, k.Categorie, v.Verre, r.Realisation, c.Cout, c.difficulte, "
            "c.Teneur, c.Photo From Cocktails c, Categorie k, Verre v, Realisation r where "
            "c.NCategorie = k.NCategorie and c.Nverre = v.Nverre and c.NReal = r.NRealisation "
            "and c.Recette like 'Mojito (Le)%' order by c.Numero");
        QStringList octets;
        for (unsigned char c : o.site.photo) octets << QString::number(c);
        const QString ligne =
            QStringLiteral("|Long drinks|Tumbler|Au verre|3|1|2|") + octets.join(u'#');
        QCOMPARE(Fixture::Rows(sql), QStringList{QStringLiteral("Mojito (Le)") + ligne});
        const QString numero =
            Fixture::Rows(QStringLiteral("SELECT max(Numero) From Cocktails")).value(0);
        QCOMPARE(
            Fixture::Rows(QStringLiteral("SELECT count(*) From Ingre where Numero = ") + numero),
            QStringList{QStringLiteral("7")});

        // Again from the same panel: the suffix doubles.
        w.Creer.ClickIt();
        QCOMPARE(Fixture::Rows(sql), (QStringList{QStringLiteral("Mojito (Le)") + ligne,
                                                  QStringLiteral("Mojito (Le) (Le)") + ligne}));
        w.Quit.ClickIt();
        QVERIFY(!Facile::Loaded());
        QVERIFY(Fixture::Texts(F().Liste).contains(QStringLiteral("Mojito (Le) (Le)")));
    }

    // Pages as the partner site writes them, in both layouts, with relative
    // and absolute links and with "<", ">", "&" and entities in their texts:
    // every field shows what the page shows, and the recipe created from it
    // is stored so.
    void pageTelleQuElleSeMontre_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("mise en page actuelle, liens relatifs")
            << QStringLiteral("recette-cocktail-gin-tonic.htm");
        QTest::newRow("ancienne mise en page")
            << QStringLiteral("recette-cocktail-planteur-ancien.htm");
        QTest::newRow("liens avec paramètres")
            << QStringLiteral("recette-cocktail-liens-parametres.htm");
        QTest::newRow("attributs dans un autre ordre")
            << QStringLiteral("recette-cocktail-attributs-desordre.htm");
        QTest::newRow("ancienne mise en page, attributs dans un autre ordre")
            << QStringLiteral("recette-cocktail-ancienne-desordre.htm");
        QTest::newRow("page écrite à la main") << QStringLiteral("recette-cocktail-a-la-main.htm");
    }
    void pageTelleQuElleSeMontre() {
        QFETCH(QString, page);
        Ouvert o;
        const Attendu a = PageAttendue(page);
        Facile& w = o.W();
        QVERIFY(o.Aller(QLatin1Char('/') + page));
        QVERIFY(w.Analyse.Visible());
        Cliquer(&w.Analyse);
        QVERIFY(w.Scroll0.Visible());
        QCOMPARE(o.Messages(), QStringList());

        QCOMPARE(w.Recette.Text(), a.recette);
        for (size_t i = 0; i < 6; ++i) QCOMPARE(w.Liste[i]->Text(), a.liste[i]);
        std::array<QString, 4> saisie;
        for (size_t i = 0; i < 4; ++i) saisie[i] = DansLaBoite(a.saisie[i]);
        for (size_t i = 0; i < 4; ++i) QCOMPARE(w.Saisie[i]->Text(), saisie[i]);
        for (size_t i = 0; i < 7; ++i) {
            const QStringList l = a.lignes.value(static_cast<int>(i), {"", "", ""});
            QCOMPARE(w.Qte[i]->Text(), l[0]);
            QCOMPARE(w.Qte2[i]->Text(), l[1]);
            QCOMPARE(w.Ingre[i]->Text(), l[2]);
        }
        const QString photo = o.site.Url(a.photo);
        QCOMPARE(w.Photo.toolTip(), photo);
        QCOMPARE(w.Photo.Tag, photo);
        QCOMPARE(Module1::PhotoOctets, o.site.photo);

        // The lookup rows that hold a line end or a tab, before the creation.
        const auto finsDeLigne = [] {
            QStringList n;
            for (const char* t :
                 {"Categorie", "Verre", "Realisation", "Quantite", "Mesure", "Ingredient"})
                n << Fixture::Rows(QStringLiteral("SELECT count(*) From %1 where instr(%1, "
                                                  "char(10)) or instr(%1, char(13)) or "
                                                  "instr(%1, char(9))")
                                       .arg(QLatin1String(t)));
            return n;
        };
        const QStringList avant = finsDeLigne();

        // The user adds the strength and a description, and creates it.
        Taper(*w.Liste[2], General::Teneurs[4]);
        Taper(*w.Saisie[2], QStringLiteral("À boire frais & sans attendre."));
        Cliquer(&w.Creer);
        QCOMPARE(o.Messages(), QStringList{QStringLiteral("Création réussie ! ")});
        const QString nom = a.recette + QStringLiteral(" (Le)");
        QCOMPARE(w.Recette.Text(), nom);
        QStringList octets;
        for (unsigned char c : o.site.photo) octets << QString::number(c);
        const QStringList stockee{nom,
                                  a.liste[3],
                                  a.liste[4],
                                  a.liste[5],
                                  saisie[0],
                                  saisie[1],
                                  QStringLiteral("À boire frais & sans attendre."),
                                  saisie[3],
                                  QString::number(a.cout),
                                  QString::number(a.difficulte),
                                  QStringLiteral("4"),
                                  octets.join(u'#')};
        QCOMPARE(
            Fixture::Rows(QStringLiteral(
                "SELECT c.Recette, k.Categorie, v.Verre, r.Realisation, c.preparation, c.Deco, "
                "c.Description, c.Histoire, c.Cout, c.difficulte, c.Teneur, c.Photo From "
                "Cocktails c, Categorie k, Verre v, Realisation r where c.NCategorie = "
                "k.NCategorie and c.Nverre = v.Nverre and c.NReal = r.NRealisation and "
                "c.Numero = (SELECT max(Numero) From Cocktails)")),
            QStringList{stockee.join(u'|')});
        QStringList lignes;
        for (const QStringList& l : a.lignes) lignes << l.join(u'|');
        QCOMPARE(Fixture::Rows(QStringLiteral(
                     "SELECT coalesce(q.Quantite, ''), coalesce(m.Mesure, ''), i.Ingredient From "
                     "Ingre g left join Quantite q on q.NQuantite = g.NQuantite left join Mesure m "
                     "on m.NMesure = g.NMesure left join Ingredient i on i.NIngredient = g.NIngre "
                     "where g.Numero = (SELECT max(Numero) From Cocktails) order by g.rowid desc")),
                 lignes);
        QCOMPARE(finsDeLigne(), avant);
        Cliquer(&w.Quit);
        QVERIFY(!Facile::Loaded());
        QVERIFY(Fixture::Texts(F().Liste).contains(nom));
    }

    // The recipe-page fragment counts only in its own letter case.
    void fragmentEnCasse() {
        Ouvert o;
        QVERIFY(o.Aller(QStringLiteral("/RECETTE-COCKTAIL-mojito.htm")));
        QVERIFY(!o.W().Analyse.Visible());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        QVERIFY(o.W().Analyse.Visible());
    }

    // Back and forward hide Analyse at once; it comes back when the recipe
    // page has loaded. The buttons follow what the browser allows.
    void precedentSuivant() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(!w.Navi[0]->isEnabled() && !w.Navi[1]->isEnabled());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-sans-photo.htm")));
        QVERIFY(w.Analyse.Visible());
        QVERIFY(w.Navi[0]->isEnabled() && !w.Navi[1]->isEnabled());
        QVERIFY(Ouvert::Charger([&] {
            w.Navi[0]->ClickIt();
            QVERIFY(!w.Analyse.Visible());
            QVERIFY(!w.Navi[0]->Value());
        }));
        QVERIFY(
            w.WebBrowser1.LocationURL().endsWith(QStringLiteral("/recette-cocktail-mojito.htm")));
        QVERIFY(w.Analyse.Visible());
        QVERIFY(w.Navi[1]->isEnabled());
        QVERIFY(Ouvert::Charger([&] {
            w.Navi[1]->ClickIt();
            QVERIFY(!w.Analyse.Visible());
        }));
        QVERIFY(w.Analyse.Visible());
        QVERIFY(!w.Navi[1]->isEnabled());
        // The partner's home: no recipe there.
        // The configured address ends with "/"; the program names the site without it.
        QCOMPARE(w.GotO1.toolTip(), QStringLiteral("Visiter le site ") + o.site.srv.Base());
        QVERIFY(Ouvert::Charger([&] { w.GotO1.ClickIt(); }));
        QCOMPARE(w.WebBrowser1.LocationURL(), o.site.srv.Base() + "/");
        QVERIFY(!w.Analyse.Visible() && !w.GotO1.Value());
    }

    // Navigateur empties the fields and keeps the photo: a page without
    // photo read next is created with the first page's photo.
    void navigateurGardeLaPhoto() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        o.Analyser();
        w.Revenir.ClickIt();
        QVERIFY(w.WebBrowser1.Visible() && w.CadreBouton.Visible() && !w.Scroll0.Visible());
        QVERIFY(!w.Revenir.Value());
        QCOMPARE(w.Recette.Text(), QString());
        for (size_t i = 0; i < 7; ++i) QCOMPARE(w.Ingre[i]->Text(), QString());
        for (auto& t : w.Saisie) QCOMPARE(t->Text(), QString());
        for (auto& t : w.Liste) QCOMPARE(t->Text(), QString());
        QVERIFY(!w.Photo.Picture().isNull());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-sans-photo.htm")));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), QStringLiteral("Americano   "));
        QCOMPARE(w.Liste[0]->Text(), General::Couts[0]);
        QCOMPARE(w.Liste[3]->Text(), QStringLiteral("Apéritifs"));
        QCOMPARE(w.Photo.toolTip(), QString());
        QCOMPARE(w.Photo.Tag, o.site.Url(QStringLiteral("/photos/mojito.jpg")));
        QCOMPARE(Module1::PhotoOctets, o.site.photo);
        w.Creer.ClickIt();
        QCOMPARE(w.Recette.Text(), QStringLiteral("Americano    (L')"));
        QStringList octets;
        for (unsigned char c : o.site.photo) octets << QString::number(c);
        QCOMPARE(Fixture::Rows(QStringLiteral("SELECT Photo From Cocktails where Recette = "
                                              "'Americano    (L'')'")),
                 QStringList{octets.join(u'#')});
    }

    // A refused creation after a good one: closing does not refresh the
    // main list.
    void refusPuisFermeture() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        o.Analyser();
        w.Creer.ClickIt();
        QVERIFY(Facile::RecetteCreee);
        db::OpenDb().Execute(
            QStringLiteral("INSERT INTO Cocktails (Numero, Recette) VALUES (9999, 'Témoin')"));
        w.Recette.TypeIt(QStringLiteral("   "));
        platform::MessageSeam::Clear();
        w.Creer.ClickIt();
        QCOMPARE(o.Messages(),
                 QStringList{QStringLiteral("Veuillez d'abord saisir le nom de la recette !")});
        QVERIFY(!Facile::RecetteCreee && !w.Creer.Value());
        w.Quit.ClickIt();
        QVERIFY(!Fixture::Texts(F().Liste).contains(QStringLiteral("Témoin")));
    }

    // The browser sent to the photo's address fetches the photo again; the
    // title colour then stays until the next analysis ends.
    void photoDepuisLeNavigateur() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        o.Analyser();
        w.Revenir.ClickIt();
        w.Photo.SetPicture(QPixmap());
        platform::InetSeam::Clear();
        const QString photo = o.site.Url(QStringLiteral("/photos/mojito.jpg"));
        QVERIFY(o.Aller(QStringLiteral("/photos/mojito.jpg")));
        QCOMPARE(platform::InetSeam::Demandes(), QStringList{photo});
        QVERIFY(!w.Photo.Picture().isNull());
        QCOMPARE(w.Pb.Value(), 100.0);
        QVERIFY(!F().Timer1.isActive());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-sans-photo.htm")));
        o.Analyser();
        QVERIFY(F().Timer1.isActive());
    }

    // A photo that cannot be had leaves the panel filled, no picture and no
    // bytes, and says why.
    void photoEnEchec_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("raison");
        QTest::newRow("pas une image") << "texte"
                                       << "n'est pas une image";
        QTest::newRow("absente") << "absente"
                                 << "le serveur a répondu 404";
        QTest::newRow("muette") << "muette"
                                << "pas de réponse";
        QTest::newRow("trop grande") << "enorme"
                                     << "plus de 20 Mo";
    }
    void photoEnEchec() {
        QFETCH(QString, page);
        QFETCH(QString, raison);
        Ouvert o;
        Facile& w = o.W();
        platform::InetSeam::SetDelai(1500);
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        o.Analyser();
        w.Revenir.ClickIt();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-photo-%1.htm").arg(page)));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), QStringLiteral("Mojito"));
        QCOMPARE(w.Ingre[6]->Text(), QStringLiteral("Angostura"));
        QVERIFY(w.Photo.Picture().isNull());
        QCOMPARE(w.Photo.Tag, QString());
        QVERIFY(Module1::PhotoOctets.isEmpty());
        QCOMPARE(Module1::PhotoTaille, 0);
        QVERIFY2(w.Status.Caption().contains(raison), qPrintable(w.Status.Caption()));
        QVERIFY(w.Status.Caption().startsWith(QStringLiteral("Photo non reçue")));
        QVERIFY(w.isEnabled());
        w.Creer.ClickIt();
        QCOMPARE(Fixture::Rows(
                     QStringLiteral("SELECT Photo From Cocktails where Recette = 'Mojito (Le)'")),
                 QStringList{QStringLiteral("<null>")});
    }

    // A photo address in https is found as one in http: the reader asks for
    // it (here where nothing answers) and the window says why none came.
    void photoEnHttps() {
        Ouvert o;
        Facile& w = o.W();
        QTcpServer libre;
        QVERIFY(libre.listen(QHostAddress::LocalHost));
        const QString photo =
            QStringLiteral("https://127.0.0.1:%1/photos/mojito.jpg").arg(libre.serverPort());
        libre.close();
        QByteArray b = o.site.pages.value(QStringLiteral("recette-cocktail-mojito.htm"));
        b.replace(o.site.Url(QStringLiteral("/photos/mojito.jpg")).toUtf8(), photo.toUtf8());
        o.site.srv.Page(QStringLiteral("/recette-cocktail-https.htm"), b);
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-https.htm")));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), QStringLiteral("Mojito"));
        QCOMPARE(w.Photo.toolTip(), photo);
        QCOMPARE(platform::InetSeam::Demandes(), QStringList{photo});
        QVERIFY2(w.Status.Caption().startsWith(QStringLiteral("Photo non reçue")),
                 qPrintable(w.Status.Caption()));
        QVERIFY(w.isEnabled());
    }

    // Nine ingredient lines: seven placed and the warning, exactly worded.
    void neufIngredients() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-neuf.htm")));
        o.Analyser();
        QCOMPARE(w.Ingre[6]->Text(), QStringLiteral("Angostura"));
        QCOMPARE(o.Messages(), QStringList{Module1::MessageTropIngredients()});
        QCOMPARE(platform::MessageSeam::Calls().value(0).style, int(platform::vbExclamation));
        QVERIFY(w.isEnabled());
    }

    // The older layout: the preparation from "A préparer" to the end of its
    // cell.
    void ancienneMiseEnPage() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-ancienne.htm")));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), QStringLiteral("du Cocktail Daïquiri"));
        QCOMPARE(w.Saisie[0]->Text(),
                 QStringLiteral("A préparer au shaker :\r\nFrapper le rhum, le citron et le "
                                "sirop avec de la glace.\r\nFiltrer dans le verre."));
        QCOMPARE(w.Liste[3]->Text(), QStringLiteral("Short drinks"));
        QCOMPARE(w.Liste[4]->Text(), QStringLiteral("Coupe"));
        // No ingredient line at all: no warning either.
        QCOMPARE(w.Ingre[0]->Text(), QString());
        QCOMPARE(o.Messages(), QStringList());
    }

    // Quotes, apostrophes, semicolons and a lone "<" in a 2 MB page reach
    // the collection as text, never as SQL.
    void pageHostile() {
        Ouvert o;
        Facile& w = o.W();
        const QByteArray titre =
            "Recette du Cocktail L'\xc3\x89t\xc3\xa9 \"indien\"; DROP TABLE Cocktails; "
            ".:. Recettes";
        const QByteArray categorie =
            "Tiki'; DELETE FROM Categorie; l'\xc3\xaele \xe2\x98\x80\xc5\x93 ";
        const QByteArray remplissage =
            "<p>Un paragraphe de remplissage, pour que la page p\xc3\xa8se deux m\xc3\xa9gaoctets "
            "comme les plus lourdes.</p>\n";
        const qsizetype tete = PageRecette(titre, categorie, {}, {}, {}, {}).indexOf("<p class");
        QByteArray corps;
        while (tete + corps.size() < 2 * 1024 * 1024) corps += remplissage;
        const QByteArray b =
            PageRecette(titre, categorie, corps, "M\xc3\xa9langer ; servir.",
                        "<a href=\"#\">Verre d'O'Neil</a>",
                        "<h2>Histoire du cocktail</h2>Le sucre < le citron, toujours.\n"
                        "<h2>Commentaires de la recette</h2></body></html>");
        o.site.srv.Page(QStringLiteral("/recette-cocktail-hostile.htm"), b);
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-hostile.htm")));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), QStringLiteral("L'Été \"indien\"; DROP TABLE Cocktails;"));
        QCOMPARE(w.Liste[3]->Text(), QStringLiteral("Tiki'; DELETE FROM Categorie; l'île ☀œ"));
        QCOMPARE(w.Liste[4]->Text(), QStringLiteral("Verre d'O'Neil"));
        QCOMPARE(w.Saisie[3]->Text(),
                 QStringLiteral("Histoire du cocktail\r\nLe sucre < le citron, toujours."));
        const int categories =
            Fixture::Rows(QStringLiteral("SELECT count(*) From Categorie")).value(0).toInt();
        w.Creer.ClickIt();
        QVERIFY(Facile::RecetteCreee);
        QCOMPARE(Fixture::Rows(QStringLiteral(
                     "SELECT c.Recette, k.Categorie, v.Verre From Cocktails c, Categorie k, "
                     "Verre v where c.NCategorie = k.NCategorie and c.Nverre = v.Nverre and "
                     "c.Numero = (SELECT max(Numero) From Cocktails)")),
                 QStringList{QStringLiteral("L'Été indien; DROP TABLE Cocktails; (Le)|Tiki'; "
                                            "DELETE FROM Categorie; l'île ☀œ|Verre d'O'Neil")});
        QCOMPARE(Fixture::Rows(QStringLiteral("SELECT count(*) From Categorie")).value(0).toInt(),
                 categories + 1);
        // Again: the category and the glass are found, not created twice.
        w.Creer.ClickIt();
        QCOMPARE(Fixture::Rows(QStringLiteral("SELECT count(*) From Categorie")).value(0).toInt(),
                 categories + 1);
    }

    // A name longer than a one-line box used to keep reaches the collection
    // whole; a NUL that a page's script puts in a category or a glass is
    // dropped from the looked-up text, and the creation succeeds.
    void nomLongEtNulDansLesRecherches() {
        Ouvert o;
        Facile& w = o.W();
        QString nom;
        for (int i = 0; i < 40000; ++i) nom += QChar(u'a' + i % 26);
        const QByteArray b = PageRecette(
            "Recette du Cocktail " + nom.toUtf8() + " .:. Recettes", "x", {}, "M\xc3\xa9langer.",
            "<a id=\"verre\" href=\"#\">x</a>",
            "<script>document.querySelector('meta[itemprop=recipeCategory]')"
            ".setAttribute('content', 'Tiki\\u0000 Bar ');"
            "document.getElementById('verre').textContent = 'Coll\\u0000ins';</script>\n"
            "<h2>Commentaires de la recette</h2></body></html>");
        o.site.srv.Page(QStringLiteral("/recette-cocktail-longue.htm"), b);
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-longue.htm")));
        o.Analyser();
        QCOMPARE(w.Recette.Text(), nom);
        QCOMPARE(w.Liste[3]->Text(), QStringLiteral("Tiki") + QChar(0) + QStringLiteral(" Bar"));
        QCOMPARE(w.Liste[4]->Text(), QStringLiteral("Coll") + QChar(0) + QStringLiteral("ins"));
        const int verres =
            Fixture::Rows(QStringLiteral("SELECT count(*) From Verre")).value(0).toInt();
        w.Creer.ClickIt();
        QCOMPARE(o.Messages(), QStringList{QStringLiteral("Création réussie ! ")});
        QCOMPARE(Fixture::Rows(QStringLiteral(
                     "SELECT length(c.Recette), k.Categorie, v.Verre From Cocktails c, "
                     "Categorie k, Verre v where c.NCategorie = k.NCategorie and c.Nverre = "
                     "v.Nverre and c.Numero = (SELECT max(Numero) From Cocktails)")),
                 QStringList{QStringLiteral("40005|Tiki Bar|Collins")});
        // The sample's Collins is found, not made again.
        QCOMPARE(Fixture::Rows(QStringLiteral("SELECT count(*) From Verre")).value(0).toInt(),
                 verres);
    }

    // A link that asks for a new window opens in the same view; the page's
    // own dialogs are not shown.
    void nouvelleFenetreEtSilence() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(w.WebBrowser1.Silent());
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        QVERIFY(Ouvert::Charger([&] {
            w.WebBrowser1.RunScript(
                QStringLiteral("alert('bonjour'); confirm('vraiment ?'); "
                               "document.querySelector('a[target]').click();"));
        }));
        QVERIFY(w.WebBrowser1.LocationURL().endsWith(
            QStringLiteral("/recette-cocktail-sans-photo.htm")));
        for (QWidget* t : QApplication::topLevelWidgets())
            QVERIFY2(!t->isVisible() || t == &w || t == &F() || t->objectName() == "Pop",
                     qPrintable(t->metaObject()->className()));
    }

    // The start page leads to the configured partner site.
    void pageAccueil() {
        Ouvert o;
        Facile& w = o.W();
        QCOMPARE(QUrl(w.WebBrowser1.LocationURL()), QUrl::fromLocalFile(Facile::PageAccueil()));
        QCOMPARE(w.WebBrowser1.LocationName(), QStringLiteral("Création facile"));
        QVERIFY(!w.Scroll0.Visible() && !w.Pb.Visible() && !w.LPB.Visible());
        QVERIFY(Ouvert::Charger([&] {
            w.WebBrowser1.RunScript(
                QStringLiteral("document.querySelector('a.partenaire').click();"));
        }));
        QCOMPARE(w.WebBrowser1.LocationURL(), o.site.srv.Base() + "/");
    }

    // Minimised and restored, the window comes back with its panel and its
    // page as they were.
    void reduireEtRestaurer() {
        Ouvert o;
        Facile& w = o.W();
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-mojito.htm")));
        o.Analyser();
        w.Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 1);
        QVERIFY(!w.isVisible() && !F().isVisible());
        Pop::Instance().Restaurer();
        QCOMPARE(&Facile::Instance(), &w);
        QVERIFY(w.isVisible() && w.Scroll0.Visible());
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"Facile", "Facile"}));
        QCOMPARE(w.Recette.Text(), QStringLiteral("Mojito"));
        QVERIFY(!w.Photo.Picture().isNull());
        QVERIFY(
            w.WebBrowser1.LocationURL().endsWith(QStringLiteral("/recette-cocktail-mojito.htm")));
    }

    // A photo address that answers a page reloading itself, where the recipe
    // page sends the browser, while the program's own fetch of it is held
    // back: one fetch at a time, the window keeps answering, and its close
    // button ends the wait at once. The user acts in the analysis' own wait,
    // or in the next one, when the reloaded page asks for the photo again.
    void photoQuiSeRecharge_data() {
        QTest::addColumn<int>("attente");
        QTest::newRow("pendant l'analyse") << 1;
        QTest::newRow("rechargée ensuite") << 2;
    }
    void photoQuiSeRecharge() {
        QFETCH(int, attente);
        Ouvert o;
        Facile& w = o.W();
        ServeurPages& srv = o.site.srv;
        const QString chemin = QStringLiteral("/photos/boucle.jpg");
        srv.Page(chemin,
                 "<html><head><meta http-equiv=\"refresh\" content=\"0\"></head>"
                 "<body><p>Image indisponible</p></body></html>");
        constexpr int kRetard = 3000;
        srv.Retarder(chemin, kRetard, "QtWebEngine");
        QByteArray b = o.site.pages.value(QStringLiteral("recette-cocktail-mojito.htm"));
        b.replace("/photos/mojito.jpg", chemin.toUtf8());
        b.replace("</body>", "<script>setTimeout(function () { location.href = '" +
                                 chemin.toUtf8() + "'; }, 800);</script></body>");
        srv.Page(QStringLiteral("/recette-cocktail-boucle.htm"), b);
        // The requests for the photo: the program's own, or the browser's.
        const auto compter = [&](bool navigateur) {
            int n = 0;
            for (qsizetype i = 0; i < srv.Demandes().size(); ++i)
                n += srv.Demandes()[i] == chemin &&
                     srv.Agents()[i].contains(QStringLiteral("QtWebEngine")) == navigateur;
            return n;
        };
        QTimer garde;
        garde.setSingleShot(true);
        QObject::connect(&garde, &QTimer::timeout,
                         [] { qFatal("l'attente de la photo ne finit pas"); });
        garde.start(90000);

        struct Vu {
            int telechargements = -1, rechargements = -1;
            QString saisie;
        } vu;
        QElapsedTimer depuisQuit;
        int retenues = 0;
        QObject::connect(&srv, &ServeurPages::Retenue, &srv, [&] {
            if (++retenues != attente) return;
            // Halfway through the held answer.
            QTimer::singleShot(kRetard / 2, &srv, [&] {
                vu.telechargements = compter(false);
                vu.rechargements = compter(true);
                // Seen: from here on the page stops reloading and the answers
                // come at once, so that the test ends even when fetches piled
                // up or the window stays (the answers held so far still wait).
                srv.Page(chemin, o.site.photo, "image/jpeg");
                srv.Retarder(chemin, 0);
                if (w.Scroll0.Visible()) {
                    QTest::mouseClick(w.Saisie[2]->Editor(), Qt::LeftButton);
                    QTest::keyClicks(w.Saisie[2]->Editor(), QStringLiteral("Frais et vif"));
                    vu.saisie = w.Saisie[2]->Text();
                }
                depuisQuit.start();
                QTest::mouseClick(&w.Quit, Qt::LeftButton);
            });
        });
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-boucle.htm")));
        QTest::mouseClick(&w.Analyse, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(vu.telechargements >= 0, 15000);
        // One fetch at a time, while the browser reloaded the page again and
        // again.
        QCOMPARE(vu.telechargements, attente);
        QVERIFY2(vu.rechargements >= 2, qPrintable(QString::number(vu.rechargements)));
        if (attente > 1) QCOMPARE(vu.saisie, QStringLiteral("Frais et vif"));
        // Closed before the held answer came.
        QTRY_VERIFY_WITH_TIMEOUT(!Facile::Loaded(), 3000);
        QVERIFY2(depuisQuit.elapsed() < kRetard / 2,
                 qPrintable(QString::number(depuisQuit.elapsed())));
        QVERIFY(F().isVisible());
        QTest::qWait(500);
        QCOMPARE(compter(false), attente);
        garde.stop();
    }

    // While the photo is awaited the window is painted but takes no input,
    // shows the hourglass and tells where it is; the title colour rests.
    void pendantLeTelechargement() {
        Ouvert o;
        Facile& w = o.W();
        platform::InetSeam::SetDelai(1500);
        QVERIFY(o.Aller(QStringLiteral("/recette-cocktail-photo-muette.htm")));
        struct Vu {
            QString lpb;
            bool pb = false, actif = true, sablier = false, minuterie = true;
        } vu;
        QTimer::singleShot(500, [&] {
            vu = {w.LPB.Caption(), w.Pb.Visible(), w.isEnabled(), platform::HourglassShown(),
                  F().Timer1.isActive()};
        });
        o.Analyser();
        QCOMPARE(vu.lpb, QStringLiteral("Debut recherche photo ..."));
        QVERIFY(vu.pb && !vu.actif && vu.sablier && !vu.minuterie);
        QVERIFY(w.isEnabled() && !w.Pb.Visible() && !w.LPB.Visible());
        QVERIFY(!platform::HourglassShown());
        QVERIFY(F().Timer1.isActive());
    }
};

QTEST_MAIN(TestFacile)
#include "test_facile.moc"
