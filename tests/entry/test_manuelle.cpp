// The manual entry window driven as the user drives it, over a real
// collection file.
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>

#include "db/Photo.h"
#include "db/Schema.h"
#include "entry/FicheSaisie.h"
#include "entry/Manuelle.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace {

const char* kSeed = R"({"categories": ["Tropical", "Classique", "Apéritif"],
  "verres": [{"nom": "Tumbler"}, {"nom": "Coupe"}], "realisations": ["Shaker"],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler",
                "realisation": "Shaker",
                "lignes": [["4", "cl", "Rhum blanc"], ["6", "feuilles", "Menthe"]]}]})";

Frmmain& F() {
    return Frmmain::Instance();
}

QStringList Items(const platform::ComboBox& c) {
    QStringList out;
    for (int i = 0; i < c.ListCount(); ++i) out << c.List(i);
    return out;
}

// The main window started and the entry window opened from its tool button.
struct Ouvert {
    Fixture fx;
    Ouvert() {
        fx.WriteSeed(kSeed);
        if (!fx.StartMain()) qFatal("start-up failed");
        F().Outils[0]->ClickIt();
    }
    ~Ouvert() {
        Manuelle::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Manuelle& M() { return Manuelle::Instance(); }
    // A recipe the checks accept, with a new category and two lines.
    void Remplir(const QString& nom) {
        Manuelle& m = M();
        m.Recette.TypeIt(nom);
        m.Liste[3]->lineEdit()->setText(QStringLiteral("Tiki"));
        m.Liste[4]->PickIt(0);
        m.Liste[5]->PickIt(0);
        m.Liste[0]->PickIt(3);
        m.Liste[2]->PickIt(6);
        m.Saisie[0]->TypeIt(QStringLiteral("Mixer.\r\nServir."));
        m.Qte[0]->ClickIt();
        m.LQte.PickIt(0);
        m.Ingre[0]->ClickIt();
        m.LIngre.lineEdit()->setText(QStringLiteral("Menthe fraîche"));
        emit m.LIngre.Change();
        m.Ingre[1]->ClickIt();
        m.LIngre.PickIt(Items(m.LIngre).indexOf("Rhum blanc"));
    }
    void Creer() { M().Creer.ClickIt(); }
};

// A real click of the mouse in a cell of the ingredient grid, or in any
// one-line box, near its left end or its right end.
void Cliquer(platform::TextBox& t, bool aDroite = false) {
    QWidget* e = t.Editor();
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(aDroite ? e->width() - 6 : 6, e->height() / 2));
}

// Keys typed where the keyboard is.
void Taper(const QString& texte) {
    QTest::keyClicks(QApplication::focusWidget(), texte);
}

// What line i of a column shows: the pick-list when it lies over the cell,
// else the cell.
QString Montre(const platform::ComboBox& liste, const FicheSaisie::Lignes& cellules, int i) {
    if (liste.isVisible() && liste.Tag == QString::number(i) &&
        liste.geometry() == cellules[size_t(i)]->geometry())
        return liste.Text();
    return cellules[size_t(i)]->Text();
}

QString Montre(const Manuelle& m, int i) {
    return Montre(m.LQte, m.Qte, i) + "|" + Montre(m.LQte2, m.Qte2, i) + "|" +
           Montre(m.LIngre, m.Ingre, i);
}

// The lines of the newest recipe as stored, in their order.
QStringList LignesEcrites() {
    return Fixture::Rows(
        "SELECT coalesce(q.Quantite, ''), coalesce(m.Mesure, ''), coalesce(i.Ingredient, '') "
        "From Ingre l left join Quantite q on q.NQuantite = l.NQuantite "
        "left join Mesure m on m.NMesure = l.NMesure "
        "left join Ingredient i on i.NIngredient = l.NIngre "
        "where l.Numero = (SELECT max(Numero) From Cocktails) order by l.rowid");
}

QString Image(const Fixture& fx) {
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString p = fx.Dir() + QStringLiteral("/photo.png");
    img.save(p);
    return p;
}

}  // namespace

class TestManuelle : public QObject {
    Q_OBJECT
private slots:
    void opensAsAnEmptyForm() {
        Ouvert o;
        Manuelle& m = o.M();
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Manuelle"});
        QCOMPARE(int(General::FenetreReduite), 0);
        QVERIFY(m.isVisible());
        QCOMPARE(m.Titre[2]->Caption(), QString("Création Recette"));
        QCOMPARE(m.Titre[3]->Caption(), QString("Création Recette"));
        QCOMPARE(m.Titre[0]->Caption(), QString("Brivanta"));
        for (size_t i = 0; i < 3; ++i) QCOMPARE(m.Liste[i]->Text(), QString("Sans Commentaire"));
        QCOMPARE(Items(*m.Liste[0]), General::Couts);
        QCOMPARE(Items(*m.Liste[1]), General::Difficultes);
        QCOMPARE(Items(*m.Liste[2]), General::Teneurs);
        QCOMPARE(Items(*m.Liste[3]), (QStringList{"Apéritif", "Classique", "Tropical"}));
        QCOMPARE(Items(*m.Liste[4]), (QStringList{"Coupe", "Tumbler"}));
        QCOMPARE(Items(*m.Liste[5]), QStringList{"Shaker"});
        QCOMPARE(Items(m.LQte), (QStringList{"4", "6"}));
        QCOMPARE(Items(m.LQte2), (QStringList{"cl", "feuilles"}));
        QCOMPARE(Items(m.LIngre), (QStringList{"Menthe", "Rhum blanc"}));
        for (size_t i = 3; i < 6; ++i) QCOMPARE(m.Liste[i]->Text(), QString());
        QVERIFY(m.Recette.Text().isEmpty());
        QVERIFY(m.Photo.Tag.isEmpty());
        QVERIFY(m.Photo.Picture().isNull());
        QCOMPARE(m.CadrePhoto.Caption(), QString("Pas de photo"));
        QCOMPARE(m.Photo.toolTip(), QString("Cliquer ICI pour modifier l'image"));
        for (auto* l : {&m.LQte, &m.LQte2, &m.LIngre}) QVERIFY(!l->Visible());
        QVERIFY(!m.RecetteCreee);
        QCOMPARE(m.Creer.Caption(), QString("Créer"));
        QCOMPARE(m.Libelle[7]->Caption(), QString("Catégorie"));
        QVERIFY(m.Libelle[7]->font().bold() && m.Libelle[7]->font().underline());
        // A few places of the design, in twips.
        QCOMPARE(QList<double>({m.Recette.Left(), m.Recette.Top(), m.Recette.Width()}),
                 QList<double>({3240, 480, 3135}));
        QCOMPARE(QList<double>({m.Ingre[6]->Left(), m.Ingre[6]->Top(), m.Ingre[6]->Width()}),
                 QList<double>({2580, 2880, 3530}));
        QCOMPARE(QList<double>({m.Creer.Left(), m.Creer.Top()}), QList<double>({8040, 7000}));
        QCOMPARE(QList<double>({m.Fond.Left(), m.Fond.Top()}), QList<double>({120, 480}));
        QVERIFY(m.Liste[3]->isEditable() && !m.Liste[0]->isEditable());
        QCOMPARE(m.Liste[4]->accessibleName(), QString("Type de verre"));
        QCOMPARE(m.Qte2[2]->accessibleName(), QString("Mesure 3"));
    }

    void skinCopiedAtLoad() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Patch", "Mode", "2");
        fx.SetSetting("Splash", "Splash", "1");
        QVERIFY(fx.StartMain());
        Manuelle& m = Manuelle::Instance();
        // The "Splash" key is read last and holds.
        QCOMPARE(m.SSSplash1.Mode(), 1);
        QCOMPARE(m.SSSplash1.Picture().cacheKey(), Pop::Instance().GrandEcran.Picture().cacheKey());
        QCOMPARE(m.Fond.Picture().cacheKey(), F().Fond.Picture().cacheKey());
        for (platform::ScrollPanel* sp : m.Scroll)
            QCOMPARE(static_cast<platform::Panel*>(sp->Content())->Picture().cacheKey(),
                     F().Liste.Picture().cacheKey());
        QCOMPARE(m.Mini.PictureHover.cacheKey(), F().Btn_Min.PictureHover.cacheKey());
        QCOMPARE(m.Quit.PictureUp.cacheKey(), F().Btn_Quit.PictureUp.cacheKey());
        QCOMPARE(m.Liste[2]->cursor().shape(), F().Liste.MouseIcon().shape());
        Manuelle::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void unreadableFileAtLoadIsTold() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        {
            auto autre = db::OpenDb();  // another operation holds the file
            F().Outils[0]->ClickIt();
        }
        QVERIFY(Manuelle::Loaded());
        Manuelle& m = Manuelle::Instance();
        QVERIFY(m.isVisible());
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(platform::MessageSeam::Calls()[0].prompt.contains("db.mdb"));
        QCOMPARE(m.Liste[0]->Text(), QString("Sans Commentaire"));
        Manuelle::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void pickListsFollowTheCells() {
        Ouvert o;
        Manuelle& m = o.M();
        m.Qte[3]->ClickIt();
        QVERIFY(m.LQte.Visible());
        QCOMPARE(QList<double>({m.LQte.Left(), m.LQte.Top(), m.LQte.Width(), m.LQte.Height()}),
                 QList<double>({0, 1440, 975, 315}));
        QCOMPARE(m.LQte.Tag, QString("3"));
        m.LQte.PickIt(1);
        QCOMPARE(m.Qte[3]->Text(), QString("6"));
        // Moved to another line: the cells keep their texts and the list
        // shows the line it lies on.
        m.Qte[5]->ClickIt();
        QCOMPARE(m.LQte.Top(), 2400.0);
        QCOMPARE(m.LQte.Tag, QString("5"));
        QCOMPARE(m.Qte[3]->Text(), QString("6"));
        QCOMPARE(m.Qte[5]->Text(), QString());
        QCOMPARE(m.LQte.Text(), QString());
        m.Qte[3]->ClickIt();
        QCOMPARE(m.LQte.Text(), QString("6"));
        m.Qte[5]->ClickIt();

        m.Ingre[2]->ClickIt();
        QVERIFY(!m.LQte.Visible());
        QVERIFY(m.LIngre.Visible());
        QCOMPARE(QList<double>({m.LIngre.Left(), m.LIngre.Top(), m.LIngre.Width()}),
                 QList<double>({2580, 960, 3530}));

        // Every keystroke in a pick-list goes to its cell at once.
        m.Qte2[1]->ClickIt();
        QVERIFY(m.LQte2.Visible() && !m.LIngre.Visible() && !m.LQte.Visible());
        QTest::keyClick(m.LQte2.lineEdit(), 'c');
        QCOMPARE(m.Qte2[1]->Text(), QString("c"));
        QTest::keyClick(m.LQte2.lineEdit(), 'l');
        QCOMPARE(m.Qte2[1]->Text(), QString("cl"));
        QCOMPARE(m.Qte2[0]->Text(), QString());
    }

    // Clicks and keys as the user makes them: after a click on a cell, what
    // is typed goes into the pick-list laid over it, and so into the cell;
    // a pick-list placed on a line shows what that line holds; Créer
    // stores for each line what the line showed.
    void typedWhereSeenAndStoredAsShown() {
        Ouvert o;
        Manuelle& m = o.M();
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        const struct {
            FicheSaisie::Lignes* colonne;
            platform::ComboBox* liste;
            int ligne;
            const char* texte;
        } saisies[] = {{&m.Ingre, &m.LIngre, 0, "Angostura"},
                       {&m.Ingre, &m.LIngre, 1, "Vodka"},
                       {&m.Qte, &m.LQte, 0, "2"},
                       {&m.Qte, &m.LQte, 1, "4"},
                       {&m.Qte2, &m.LQte2, 0, "trait"},
                       {&m.Qte2, &m.LQte2, 1, "cl"}};
        for (const auto& k : saisies) {
            platform::TextBox& cellule = *(*k.colonne)[size_t(k.ligne)];
            Cliquer(cellule);
            QVERIFY(k.liste->isVisible());
            QCOMPARE(k.liste->Tag, QString::number(k.ligne));
            // Placed on a line it has not been given yet: it shows that line.
            QCOMPARE(k.liste->Text(), QString());
            Taper(QString::fromUtf8(k.texte));
            QCOMPARE(k.liste->Text(), QString::fromUtf8(k.texte));
            QCOMPARE(cellule.Text(), QString::fromUtf8(k.texte));
        }
        // Back on a line already typed: the list shows it, and a key typed
        // goes where the click was, here after the text.
        Cliquer(*m.Ingre[0], true);
        QCOMPARE(m.LIngre.Text(), QString("Angostura"));
        QCOMPARE(Montre(m, 1), QString("4|cl|Vodka"));
        Taper("s");
        QCOMPARE(m.Ingre[0]->Text(), QString("Angosturas"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        const QStringList montre{Montre(m, 0), Montre(m, 1)};
        QCOMPARE(montre, (QStringList{"2|trait|Angostura", "4|cl|Vodka"}));

        Cliquer(m.Recette);
        Taper("Zombie");
        for (size_t i : {3, 4, 5}) {
            m.Liste[i]->setFocus(Qt::TabFocusReason);
            Taper("Tiki");
        }
        QTest::mouseClick(&m.Creer, Qt::LeftButton);
        QCOMPARE(platform::MessageSeam::Calls().value(0).prompt, QString("Création réussie ! "));
        QCOMPARE(Fixture::Rows("SELECT Recette From Cocktails where Numero = 2"),
                 QStringList{"Zombie"});
        QCOMPARE(LignesEcrites(), montre);
        // Cleared: the list left on its line shows it empty, as it is.
        QVERIFY(m.LIngre.isVisible());
        QCOMPARE(Montre(m, 0), QString("||"));
        QCOMPARE(Montre(m, 1), QString("||"));
    }

    // The Tab key goes as the eye does, from the name to the buttons, and
    // back round. The button reached by Tab is drawn marked, so that Space there
    // is no surprise.
    void tabFollowsTheScreen() {
        Ouvert o;
        Manuelle& m = o.M();
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        // Each control by the name the window gives it, else its tooltip.
        const auto nom = [&m](QWidget* w) {
            for (; w && w != &m; w = w->parentWidget())
                for (const QString& n : {w->accessibleName(), w->toolTip()})
                    if (!n.isEmpty()) return n;
            return QStringLiteral("?");
        };
        QStringList attendu{"Recette",    "Catégorie",   "Type de verre",    "Matériel",
                            "Coût",       "Difficulté",  "Teneur en alcool", "Préparation",
                            "Décoration", "Description", "Histoire"};
        for (int i = 1; i <= Creation::kLignes; ++i)
            attendu << QString("Quantité %1").arg(i) << QString("Mesure %1").arg(i)
                    << QString("Ingrédient %1").arg(i);
        attendu << "Créer"
                << "Minimiser"
                << "Fermer"
                << "Recette";

        const auto parcourir = [&](Qt::Key touche, int n) {
            QStringList vu{nom(QApplication::focusWidget())};
            for (int k = 1; k < n; ++k) {
                QTest::keyClick(QApplication::focusWidget(), touche);
                vu << nom(QApplication::focusWidget());
            }
            return vu;
        };
        Cliquer(m.Recette);
        const QImage sansFocus = m.Creer.grab().toImage();
        QCOMPARE(parcourir(Qt::Key_Tab, int(attendu.size())), attendu);
        // Shift+Tab goes back the same way, from the close button.
        attendu.removeLast();
        std::reverse(attendu.begin(), attendu.end());
        while (QApplication::focusWidget() != &m.Quit)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(parcourir(Qt::Key_Backtab, int(attendu.size())), attendu);

        // Forward to Créer: it shows the focus, and no more once left.
        while (QApplication::focusWidget() != &m.Creer)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(m.Creer.grab().toImage() != sansFocus);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(m.Creer.grab().toImage(), sansFocus);
    }

    // A pick-list laid over a cell takes that cell's turn: Tab and Shift+Tab
    // come to it and leave it for the cells either side, what is typed
    // there reaches the cell.
    void tabStopsAtTheListOverACell() {
        Ouvert o;
        Manuelle& m = o.M();
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        const auto dans = [](QWidget* w) {
            QWidget* f = QApplication::focusWidget();
            return f && (f == w || w->isAncestorOf(f));
        };
        const auto touche = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };

        Cliquer(*m.Ingre[0]);
        QVERIFY(m.LIngre.isVisible() && dans(&m.LIngre));
        touche(Qt::Key_Tab);
        QVERIFY(dans(m.Qte[1].get()));
        touche(Qt::Key_Backtab);
        QVERIFY(dans(&m.LIngre));
        Taper("Vodka");
        QCOMPARE(Montre(m, 0), QString("||Vodka"));
        QCOMPARE(m.Ingre[0]->Text(), QString("Vodka"));
        touche(Qt::Key_Backtab);
        QVERIFY(dans(m.Qte2[0].get()));
        touche(Qt::Key_Tab);
        QVERIFY(dans(&m.LIngre));

        // The quantity list on line 1 hides the ingredient list: line 0's
        // cell is a stop again, the list on line 1 is one.
        Cliquer(*m.Qte[1]);
        QVERIFY(!m.LIngre.isVisible() && dans(&m.LQte));
        touche(Qt::Key_Backtab);
        QVERIFY(dans(m.Ingre[0].get()));
        touche(Qt::Key_Tab);
        QVERIFY(dans(&m.LQte));
        Taper("4");
        touche(Qt::Key_Tab);
        QVERIFY(dans(m.Qte2[1].get()));
        Taper("cl");
        QCOMPARE(Montre(m, 1), QString("4|cl|"));

        // On through the grid, line by line, to Créer.
        QStringList vu;
        for (int k = 0; k < 3 * Creation::kLignes && !dans(&m.Creer); ++k) {
            touche(Qt::Key_Tab);
            vu << QApplication::focusWidget()->accessibleName();
        }
        QCOMPARE(vu.value(0), QString("Ingrédient 2"));
        QCOMPARE(vu.value(vu.size() - 2), QString("Ingrédient %1").arg(Creation::kLignes));
        QVERIFY(dans(&m.Creer));
    }

    void pickListsHidden_data() {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<bool>("cache");
        QTest::addColumn<int>("dialogues");
        QTest::newRow("level list") << "niveau" << true << 0;
        QTest::newRow("category list") << "categorie" << true << 0;
        QTest::newRow("text") << "texte" << true << 0;
        QTest::newRow("photo") << "photo" << true << 1;
        QTest::newRow("frame around the photo") << "cadre" << false << 1;
        QTest::newRow("cell of the same column") << "cellule" << false << 0;
    }
    void pickListsHidden() {
        QFETCH(QString, geste);
        QFETCH(bool, cache);
        QFETCH(int, dialogues);
        Ouvert o;
        Manuelle& m = o.M();
        platform::CommonDialogSeam::Scripted none({""});
        m.Qte2[4]->ClickIt();
        QVERIFY(m.LQte2.Visible());
        if (geste == "niveau")
            m.Liste[1]->PickIt(2);
        else if (geste == "categorie")
            m.Liste[3]->PickIt(0);
        else if (geste == "texte")
            m.Saisie[2]->ClickIt();
        else if (geste == "photo")
            QTest::mouseClick(&m.Photo, Qt::LeftButton, {}, QPoint(5, 5));
        else if (geste == "cadre")
            QTest::mouseClick(&m.CadrePhoto, Qt::LeftButton, {}, QPoint(2, 2));
        else
            m.Qte2[0]->ClickIt();
        QCOMPARE(m.LQte2.Visible(), !cache);
        QCOMPARE(platform::CommonDialogSeam::Calls().size(), dialogues);
    }

    void photoChosenOrKept() {
        Ouvert o;
        Manuelle& m = o.M();
        const QString image = Image(o.fx);
        {
            platform::CommonDialogSeam::Scripted pick({image});
            QTest::mouseClick(&m.CadrePhoto, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(platform::CommonDialogSeam::Calls().value(0).title,
                     QString("Chercher une image"));
        }
        QCOMPARE(m.Photo.Tag, image);
        QVERIFY(!m.Photo.Picture().isNull());
        QVERIFY(m.Photo.Visible());
        // Fitted: the width branch of a wide picture in a tall frame.
        QCOMPARE(m.Photo.Width(), m.CadrePhoto.Width() - 100);
        {
            platform::CommonDialogSeam::Scripted cancel({""});
            QTest::mouseClick(&m.Photo, Qt::LeftButton, {}, QPoint(5, 5));
        }
        QCOMPARE(m.Photo.Tag, image);
        QVERIFY(!m.Photo.Picture().isNull());
    }

    void refusedCreationKeepsTheForm_data() {
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("message");
        QTest::newRow("name") << 0 << "Veuillez d'abord saisir le nom de la recette !";
        QTest::newRow("category") << 3 << "Veuillez d'abord saisir une catégorie de recette !";
        QTest::newRow("glass") << 4 << "Veuillez d'abord saisir un type de verre !";
        QTest::newRow("method") << 5 << "Veuillez d'abord saisir une méthode de réalisation !";
    }
    void refusedCreationKeepsTheForm() {
        QFETCH(int, champ);
        QFETCH(QString, message);
        Ouvert o;
        Manuelle& m = o.M();
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        o.Remplir(QStringLiteral("Zombie"));
        QWidget* focus = &m.Recette;
        if (champ == 0) {
            m.Recette.TypeIt(QStringLiteral("   "));
        } else {
            m.Liste[size_t(champ)]->lineEdit()->setText(QStringLiteral(" "));
            focus = m.Liste[size_t(champ)].get();
        }
        m.Saisie[3]->setFocus();
        o.Creer();
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].prompt, message);
        QCOMPARE(calls[0].style, int(platform::vbExclamation));
        QVERIFY(!m.Creer.Value());
        QVERIFY(!m.RecetteCreee);
        QTRY_VERIFY(focus->hasFocus());
        QCOMPARE(m.Liste[0]->ListIndex(), 3);
        QCOMPARE(m.Saisie[0]->Text(), QString("Mixer.\r\nServir."));
        QCOMPARE(m.Ingre[0]->Text(), QString("Menthe fraîche"));
        QCOMPARE(m.Ingre[1]->Text(), QString("Rhum blanc"));
        QCOMPARE(Fixture::Rows("SELECT count(*) From Cocktails"), QStringList{"1"});
    }

    void successfulCreationClearsTheForm() {
        Ouvert o;
        Manuelle& m = o.M();
        const QString image = Image(o.fx);
        o.Remplir(QStringLiteral("le Zombie"));
        {
            platform::CommonDialogSeam::Scripted pick({image});
            QTest::mouseClick(&m.CadrePhoto, Qt::LeftButton, {}, QPoint(2, 2));
        }
        o.Creer();
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].prompt, QString("Création réussie ! "));
        QCOMPARE(calls[0].style, int(platform::vbInformation));
        QVERIFY(m.RecetteCreee);
        QVERIFY(!m.Creer.Value());

        QCOMPARE(Fixture::Rows("SELECT Recette || '|' || Cout || '|' || difficulte || '|' || "
                               "Teneur || '|' || preparation From Cocktails where Numero = 2"),
                 QStringList{"Zombie (Le)|3|0|6|Mixer.\r\nServir."});
        QCOMPARE(Fixture::Rows("SELECT Categorie From Categorie, Cocktails "
                               "where Categorie.NCategorie = Cocktails.NCategorie and Numero = 2"),
                 QStringList{"Tiki"});
        // A small picture file is kept inline, byte for byte.
        QByteArray octets;
        QVERIFY(db::PhotoBytes(
            Fixture::Rows("SELECT Photo From Cocktails where Numero = 2").value(0), &octets));
        QCOMPARE(octets, Fixture::ReadFile(image));
        QCOMPARE(Fixture::Rows("SELECT count(*) From Ingre where Numero = 2"), QStringList{"2"});

        // Cleared for the next recipe; the new entries are in the lists.
        QVERIFY(m.Recette.Text().isEmpty());
        for (auto& s : m.Saisie) QVERIFY(s->Text().isEmpty());
        for (size_t i = 0; i < 3; ++i) QCOMPARE(m.Liste[i]->Text(), QString("Sans Commentaire"));
        for (size_t i = 3; i < 6; ++i) QCOMPARE(m.Liste[i]->Text(), QString());
        QVERIFY(m.Photo.Tag.isEmpty());
        QVERIFY(m.Photo.Picture().isNull());
        for (int i = 0; i < 7; ++i) {
            QVERIFY(m.Qte[size_t(i)]->Text().isEmpty());
            QVERIFY(m.Ingre[size_t(i)]->Text().isEmpty());
        }
        QVERIFY(Items(*m.Liste[3]).contains("Tiki"));
        QCOMPARE(Items(m.LIngre), (QStringList{"Menthe", "Rhum blanc", "Menthe fraîche"}));
        // The pick-lists keep their line.
        QCOMPARE(m.LIngre.Tag, QString("1"));
    }

    void closingRefreshesTheMainList() {
        Ouvert o;
        QVERIFY(!Fixture::Texts(F().Liste).contains("Zombie"));
        o.Remplir(QStringLiteral("Zombie"));
        o.Creer();
        // A refused click after the creation does not hide the new recipe.
        o.M().Recette.TypeIt(QString());
        o.Creer();
        QVERIFY(!o.M().RecetteCreee);
        o.M().Quit.ClickIt();
        QVERIFY(!Manuelle::Loaded());
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Mojito", "Zombie"}));
    }

    void escapeDoesNotClose() {
        Ouvert o;
        Manuelle& m = o.M();
        m.Recette.TypeIt(QStringLiteral("Zombie"));
        QTest::keyClick(m.Recette.Editor(), Qt::Key_Escape);
        QTest::keyClick(&m, Qt::Key_Escape);
        QVERIFY(m.isVisible());
        QCOMPARE(m.Recette.Text(), QString("Zombie"));
    }

    void systemCloseActsAsTheCloseButton() {
        Ouvert o;
        o.Remplir(QStringLiteral("Zombie"));
        o.Creer();
        o.M().close();
        QVERIFY(!Manuelle::Loaded());
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Mojito", "Zombie"}));
    }

    void closingWithoutCreationLeavesTheMainList() {
        Ouvert o;
        // Written behind the program's back: only a refresh would show it.
        db::OpenDb().Execute("INSERT INTO Cocktails (Numero, Recette) VALUES (7, 'Bellini')");
        o.M().Quit.ClickIt();
        QVERIFY(!Manuelle::Loaded());
        QCOMPARE(Fixture::Texts(F().Liste), QStringList{"Mojito"});
    }

    void minimiseAndRestoreKeepTheForm() {
        Ouvert o;
        Manuelle& m = o.M();
        o.Remplir(QStringLiteral("Zombie"));
        General::FenetreReduite = 99;
        m.Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 0);
        QVERIFY(!m.isVisible());
        QVERIFY(!F().isVisible());
        Pop::Instance().Restaurer();
        QVERIFY(Manuelle::Loaded());
        QCOMPARE(&Manuelle::Instance(), &m);
        QVERIFY(m.isVisible());
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"Manuelle", "Manuelle"}));
        QCOMPARE(m.Recette.Text(), QString("Zombie"));
        QCOMPARE(m.Liste[3]->Text(), QString("Tiki"));
        QCOMPARE(m.Ingre[0]->Text(), QString("Menthe fraîche"));
    }

    void unreadablePictureKeepsTheForm() {
        Ouvert o;
        Manuelle& m = o.M();
        o.Remplir(QStringLiteral("Zombie"));
        m.Photo.Tag = o.fx.Dir() + "/partie.jpg";
        o.Creer();
        QVERIFY(!m.RecetteCreee);
        QVERIFY(platform::MessageSeam::Calls().value(0).prompt.contains("partie.jpg"));
        QCOMPARE(m.Recette.Text(), QString("Zombie"));
        QCOMPARE(Fixture::Rows("SELECT count(*) From Cocktails"), QStringList{"1"});
        // Nothing new in the lists either.
        QVERIFY(!Items(*m.Liste[3]).contains("Tiki"));
    }
};

QTEST_MAIN(TestManuelle)
#include "test_manuelle.moc"
