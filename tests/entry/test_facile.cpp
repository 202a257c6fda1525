// The import window driven as the user drives it: the real embedded browser
// on partner pages served from 127.0.0.1 by the test itself, the page
// reader, the photo fetch and the creation over a real collection file.
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "db/Schema.h"
#include "entry/Facile.h"
#include "entry/LecturePage.h"
#include "platform/Inet.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
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
        srv.Page(QStringLiteral("/photos/mojito.jpg"), photo, "image/jpeg");
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

QStringList Fichiers(const QString& dir) {
    return QDir(dir).entryList(QDir::Files);
}

}  // namespace

class TestFacile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); }

    // The markup the reader gets, element by element.
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
            "c</span><!-- note --><ul>\n  <li>un<li>deux</ul></div></body></html>");
        QVERIFY(o.Aller(QStringLiteral("/regles.htm")));
        QCOMPARE(o.W().WebBrowser1.InnerHTML(),
                 QStringLiteral(
                     "<HEAD>\r\n<TITLE>Règles</TITLE>\r\n<META content=\"a b\" name=x></HEAD>\r\n"
                     "<BODY>\r\n<DIV id=d1 class=c-1_x.y:z>\r\n<P style=\"WIDTH: 48px; COLOR: "
                     "red\">Un&nbsp;deux <B>trois</B><BR>"
                     "quatre</P>\r\n<TABLE cellPadding=2>\r\n<TBODY>\r\n<TR><TD vAlign=top "
                     "colSpan=2 data-x=\"1\" itemprop=\"nom\">x</TD><TD>y</TD></TR></TBODY>"
                     "</TABLE><IMG src=\"/i.png\" alt=\"une image\"><SPAN title=\"dit "
                     "&quot;oui&quot;\">a < b & c</SPAN><!-- note -->\r\n<UL>\r\n<LI>un</LI>\r\n"
                     "<LI>deux</LI></UL></DIV></BODY>"));
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
};

QTEST_MAIN(TestFacile)
#include "test_facile.moc"
