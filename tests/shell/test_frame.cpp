// The task-bar window, the minimise and restore roads, the quit question,
// the splash window and the display-mode chooser.
#include <QMessageBox>
#include <QtTest>

#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Patch.h"
#include "shell/Pop.h"
#include "shell/Splash.h"
#include "support/Fixture.h"

using platform::MessageSeam::Calls;

namespace {
Frmmain& F() {
    return Frmmain::Instance();
}
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"}]})";

bool Minimised(QWidget& w) {
    return w.windowState() & Qt::WindowMinimized;
}

// A work window made on the shared frame, as the program's dialogs are.
class Essai : public DialogFrame {
public:
    explicit Essai(bool modeSplash) : DialogFrame("Essai", 5) {
        DisposerFenetreTravail("Rechercher");
        Habillage h;
        h.fondPrincipal = true;
        h.icone = true;
        h.modeSplash = modeSplash;
        ChargerHabillage(h);
    }
    void Quit_Click() override { hide(); }
};

void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}  // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void startupShowsSplashThenPop() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "True");
        bool mainHiddenDuringSplash = false;
        platform::ModalSeam::OnShow([&](QDialog& d) {
            mainHiddenDuringSplash = !F().isVisible();
            QVERIFY(!Pop::Instance().isVisible());
            // Closing the splash lets the start-up go on.
            static_cast<Splash&>(d).Quit.ClickIt();
        });
        QVERIFY(fx.StartMain());
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Splash"});
        QVERIFY(mainHiddenDuringSplash);
        QVERIFY(!Splash::Loaded());
        QVERIFY(F().isVisible());
        Pop& pop = Pop::Instance();
        QVERIFY(pop.isVisible());
        QVERIFY(!Minimised(pop));
        QCOMPARE(pop.windowTitle(), QString("Brivanta"));
        QCOMPARE(pop.pos(), QPoint(-1000, -1000));
    }

    void startupWithoutSplash() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "False");
        QVERIFY(fx.StartMain());
        QVERIFY(platform::ModalSeam::Shown().isEmpty());
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString("False"));
        QVERIFY(Pop::Instance().isVisible());
    }

    void minimiseAndRestoreTheMainWindow() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        General::FenetreReduite = 8;
        F().Btn_Min.ClickIt();
        Pop& pop = Pop::Instance();
        QCOMPARE(int(General::FenetreReduite), 99);
        QVERIFY(!F().isVisible());
        QVERIFY(pop.isVisible());
        QVERIFY(Minimised(pop));
        QVERIFY(!F().Btn_Min.Value());
        QCOMPARE(F().Btn_Min.Picture.cacheKey(), F().Btn_Min.PictureUp.cacheKey());

        pop.Restaurer();
        QVERIFY(F().isVisible());
        QVERIFY(!Minimised(pop));
        QVERIFY(pop.isVisible());
        QVERIFY(platform::ModalSeam::Shown().isEmpty());
    }

    void minimiseAndRestoreTheSplashWindow() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        F().Outils[9]->ClickIt();
        Splash& sp = Splash::Instance();
        QVERIFY(sp.isVisible());
        sp.setProperty("marque", true);
        General::FenetreReduite = 99;

        sp.Mini.ClickIt();
        Pop& pop = Pop::Instance();
        QCOMPARE(int(General::FenetreReduite), 8);
        QVERIFY(!sp.isVisible());
        QVERIFY(!F().isVisible());
        QVERIFY(Minimised(pop));
        QVERIFY(pop.isVisible());
        QVERIFY(!sp.Mini.Value());
        QCOMPARE(sp.Mini.Picture.cacheKey(), sp.Mini.PictureUp.cacheKey());

        pop.Restaurer();
        QVERIFY(F().isVisible());
        // The same window, shown modally again.
        QVERIFY(Splash::Loaded());
        QVERIFY(Splash::Instance().property("marque").toBool());
        QVERIFY(Splash::Instance().isVisible());
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"Splash", "Splash"}));
    }

    void restoreLoadsAnUnloadedWindowAfresh() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Splash::Instance().setProperty("marque", true);
        Splash::Instance().Quit.ClickIt();
        QVERIFY(!Splash::Loaded());
        Flush();
        General::FenetreReduite = 8;
        Pop& pop = Pop::Instance();
        pop.Minimiser();
        pop.Restaurer();
        QVERIFY(Splash::Loaded());
        QVERIFY(!Splash::Instance().property("marque").isValid());
        QVERIFY(Splash::Instance().isVisible());
    }

    void restoreWithACodeOfNoWindow_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("6") << 6;
        QTest::newRow("7") << 7;
        QTest::newRow("-1") << -1;
        QTest::newRow("9") << 9;
        QTest::newRow("99") << 99;
    }
    void restoreWithACodeOfNoWindow() {
        QFETCH(int, code);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        F().Btn_Min.ClickIt();
        General::FenetreReduite = static_cast<short>(code);
        Pop::Instance().Restaurer();
        QVERIFY(F().isVisible());
        QVERIFY(Pop::Instance().isVisible());
        QVERIFY(platform::ModalSeam::Shown().isEmpty());
    }

    void dialogCopiesTheMainWindowButtons() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Splash& sp = Splash::Instance();
        QCOMPARE(sp.Mini.PictureUp.cacheKey(), F().Btn_Min.PictureUp.cacheKey());
        QCOMPARE(sp.Mini.PictureDn.cacheKey(), F().Btn_Min.PictureDn.cacheKey());
        QCOMPARE(sp.Mini.PictureHover.cacheKey(), F().Btn_Min.PictureHover.cacheKey());
        QCOMPARE(sp.Quit.PictureUp.cacheKey(), F().Btn_Quit.PictureUp.cacheKey());
        QCOMPARE(sp.Quit.PictureHover.cacheKey(), F().Btn_Quit.PictureHover.cacheKey());
        QCOMPARE(sp.SSSplash1.Picture().cacheKey(),
                 Pop::Instance().PetitEcran.Picture().cacheKey());
        QCOMPARE(sp.Mini.toolTip(), QString("Minimiser"));
        QCOMPARE(sp.Quit.toolTip(), QString("Fermer"));
        for (platform::PictureButton* b : {&sp.Mini, &sp.Quit}) {
            emit b->MouseEnter();
            QCOMPARE(b->Picture.cacheKey(), b->PictureHover.cacheKey());
            emit b->MouseLeave();
            QCOMPARE(b->Picture.cacheKey(), b->PictureUp.cacheKey());
        }
    }

    void workWindowFrame_data() {
        QTest::addColumn<bool>("modeSplash");
        QTest::addColumn<int>("mode");
        QTest::newRow("Mode") << false << 2;
        QTest::newRow("then the Splash key") << true << 1;
    }
    void workWindowFrame() {
        QFETCH(bool, modeSplash);
        QFETCH(int, mode);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Patch", "Mode", "2");
        fx.SetSetting("Splash", "Splash", "1");
        QVERIFY(fx.StartMain());
        Essai e(modeSplash);
        QCOMPARE(e.SSSplash1.Mode(), mode);
        QCOMPARE(e.Width(), 12000.0);
        QCOMPARE(e.Fond.Left(), 120.0);
        QCOMPARE(e.Fond.Top(), 480.0);
        QCOMPARE(e.Mini.Left(), 11250.0);
        QCOMPARE(e.Quit.Left(), 11580.0);
        QCOMPARE(e.Titre[1]->Caption(), QString("Brivanta"));
        QCOMPARE(e.Titre[0]->Caption(), QString("Brivanta"));
        QCOMPARE(e.Titre[2]->Caption(), QString("Rechercher"));
        // Each shadow lies right of and below its label.
        QVERIFY(e.Titre[0]->Left() > e.Titre[1]->Left());
        QVERIFY(e.Titre[0]->Top() > e.Titre[1]->Top());
        QCOMPARE(e.Fond.Picture().cacheKey(), F().Fond.Picture().cacheKey());
        QCOMPARE(e.SSSplash1.Picture().cacheKey(), Pop::Instance().GrandEcran.Picture().cacheKey());
        QCOMPARE(e.Mini.PictureDn.cacheKey(), F().Btn_Min.PictureDn.cacheKey());
        // Its minimise stores its own code.
        e.ShowModal();
        e.Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 5);
        QVERIFY(!e.isVisible());
        QVERIFY(Minimised(Pop::Instance()));
    }

    void quit_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("scratch");
        QTest::newRow("no") << int(platform::vbNo) << true;
        QTest::newRow("yes with temp.bmp") << int(platform::vbYes) << true;
        QTest::newRow("yes without temp.bmp") << int(platform::vbYes) << false;
    }
    void quit() {
        QFETCH(int, answer);
        QFETCH(bool, scratch);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const QString bmp = fx.Dir() + "/temp.bmp";
        if (scratch) Fixture::WriteFile(bmp, "BM");
        platform::MessageSeam::Clear();
        platform::MessageSeam::Answer({answer});
        F().Btn_Quit.ClickIt();
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Calls()[0].prompt, QString("Voulez vous quitter Brivanta ?"));
        QCOMPARE(Calls()[0].style, int(platform::vbYesNo + platform::vbQuestion));
        const bool yes = answer == platform::vbYes;
        QCOMPARE(platform::EndSeam::Calls(), yes ? 1 : 0);
        QCOMPARE(QFile::exists(bmp), scratch && !yes);
        if (!yes) {
            QVERIFY(!F().Btn_Quit.Value());
            QVERIFY(F().isVisible());
        }
    }

    void closingTheTaskBarEntryWithNo() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        F().Btn_Min.ClickIt();
        QVERIFY(!F().isVisible());
        platform::MessageSeam::Clear();
        platform::MessageSeam::Answer({platform::vbNo});
        QVERIFY(Pop::Instance().close());
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Calls()[0].prompt, QString("Voulez vous quitter Brivanta ?"));
        QCOMPARE(platform::EndSeam::Calls(), 0);
        QVERIFY(!Pop::Loaded());
        // The program runs on, in its main window.
        QVERIFY(F().isVisible());
        // The next minimise brings the task-bar entry back.
        F().Btn_Min.ClickIt();
        QVERIFY(Pop::Loaded());
        QVERIFY(Pop::Instance().isVisible());
        QVERIFY(Minimised(Pop::Instance()));
        QCOMPARE(Pop::Instance().windowTitle(), QString("Brivanta"));
        QVERIFY(!F().isVisible());
        Pop::Instance().Restaurer();
        QVERIFY(F().isVisible());
    }

    // The quit question stands over the main window from both roads, over
    // the dialog in front when there is one, and in the middle of the screen
    // while the program is minimised; never at the task-bar window's place.
    void messageBoxInFrontOfTheUser_data() {
        QTest::addColumn<QString>("road");
        QTest::newRow("quit button") << "quit";
        QTest::newRow("task-bar entry") << "pop";
        QTest::newRow("task-bar entry, minimised") << "pop minimised";
        QTest::newRow("dialog in front") << "dialog";
    }
    void messageBoxInFrontOfTheUser() {
        QFETCH(QString, road);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QVERIFY(QTest::qWaitForWindowExposed(&F()));
        platform::MessageSeam::Disable();
        QRect over = F().frameGeometry();
        QPoint centre;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            answer.stop();
            centre = box->frameGeometry().center();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "Non" || b->text() == "OK") b->click();
        });
        answer.start();
        if (road == "quit") {
            F().Btn_Quit.ClickIt();
        } else if (road == "pop") {
            // The user's click on the entry makes the task-bar window active.
            Pop::Instance().activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&Pop::Instance()));
            Pop::Instance().close();
        } else if (road == "pop minimised") {
            F().Btn_Min.ClickIt();
            QVERIFY(!F().isVisible());
            over = QGuiApplication::primaryScreen()->availableGeometry();
            Pop::Instance().close();
        } else {
            F().Anim2_DblClick();
            Patch& p = Patch::Instance();
            p.move(40, 50);
            QVERIFY(QTest::qWaitForWindowExposed(&p));
            over = p.frameGeometry();
            platform::MsgBox("Essai");
        }
        QVERIFY(!centre.isNull());
        QVERIFY2((centre - over.center()).manhattanLength() <= 2,
                 qPrintable(QString("box centred at %1,%2, window centre %3,%4")
                                .arg(centre.x())
                                .arg(centre.y())
                                .arg(over.center().x())
                                .arg(over.center().y())));
        QCOMPARE(platform::EndSeam::Calls(), 0);
    }

    void closingTheTaskBarEntryWithYes() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        platform::MessageSeam::Answer({platform::vbYes});
        Pop::Instance().close();
        QCOMPARE(platform::EndSeam::Calls(), 1);
    }

    void splashCheckBox_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("absent") << "" << true;
        QTest::newRow("True") << "True" << true;
        QTest::newRow("False") << "False" << false;
    }
    void splashCheckBox() {
        QFETCH(QString, stored);
        QFETCH(bool, ticked);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        if (stored.isEmpty())
            QSettings(fx.SettingsFile(), QSettings::IniFormat).remove("Settings/SplashAuto");
        else
            fx.SetSetting("Settings", "SplashAuto", stored);
        Splash& sp = Splash::Instance();
        QCOMPARE(sp.SphashAuto.isChecked(), ticked);
        // A click on the box writes the new state.
        QTest::mouseClick(&sp.SphashAuto, Qt::LeftButton);
        QCOMPARE(sp.SphashAuto.isChecked(), !ticked);
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString(!ticked ? "True" : "False"));
        // A click on its caption does the same.
        QCOMPARE(sp.LSphashAuto.Caption(), QString("Afficher cet écran au démarrage"));
        QTest::mouseClick(&sp.LSphashAuto, Qt::LeftButton);
        QCOMPARE(sp.SphashAuto.isChecked(), ticked);
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString(ticked ? "True" : "False"));
    }

    void splashLinkOpensThePartnerSite() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        platform::ShellOpenSeam::Enable();
        Splash& sp = Splash::Instance();
        // The shipped address ends with "/": the program names the site without it.
        QCOMPARE(sp.lien.Caption(), QString("http://recettes.exemple.org"));
        sp.lien.ClickIt();
        QCOMPARE(platform::ShellOpenSeam::Opened(), QStringList{"http://recettes.exemple.org"});
        QVERIFY(!sp.lien.Value());
        platform::ShellOpenSeam::Disable();
    }

    void patchSelectsTheStoredMode_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("none") << "" << 0;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow("out of range") << "7" << 0;
    }
    void patchSelectsTheStoredMode() {
        QFETCH(QString, stored);
        QFETCH(int, selected);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        if (!stored.isEmpty()) fx.SetSetting("Patch", "Mode", stored);
        Patch& p = Patch::Instance();
        for (int i = 0; i < 3; ++i) QCOMPARE(p.c[i]->isChecked(), i == selected);
        QCOMPARE(p.c[0]->text(), QString("Mode 1"));
        QVERIFY(!p.Mini.isVisible());
        QCOMPARE(p.Quit.PictureUp.cacheKey(), F().Btn_Quit.PictureUp.cacheKey());
    }

    void patchStoresTheChoice_data() {
        QTest::addColumn<int>("option");
        QTest::newRow("Mode 1") << 0;
        QTest::newRow("Mode 2") << 1;
        QTest::newRow("Mode 3") << 2;
    }
    void patchStoresTheChoice() {
        QFETCH(int, option);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        // A dialog loaded before the choice keeps its mode.
        Splash& before = Splash::Instance();
        before.hide();
        QCOMPARE(before.SSSplash1.Mode(), 0);
        F().Anim2_DblClick();
        Patch& p = Patch::Instance();
        p.c[option]->click();
        QVERIFY(!platform::HasSetting("Brivanta", "Patch", "Mode"));
        p.OK.ClickIt();
        QCOMPARE(fx.Setting("Patch", "Mode"), QString::number(option));
        QVERIFY(!p.OK.Value());
        p.OK.ClickIt();
        QCOMPARE(fx.Setting("Patch", "Mode"), QString::number(option));
        QVERIFY(p.isVisible());
        QCOMPARE(before.SSSplash1.Mode(), 0);
        // Closing unloads it; the next dialog loaded uses the mode.
        p.Quit.ClickIt();
        QVERIFY(!Patch::Loaded());
        Splash::Unload();
        Flush();
        QCOMPARE(Splash::Instance().SSSplash1.Mode(), option);
    }

    // The keyboard alone: the window opens with the focus on the stored
    // mode, the arrows move among the three modes and select, Tab goes on
    // to OK, where Space stores the mode, then to the close button.
    void patchModeChosenWithTheArrows() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        fx.SetSetting("Patch", "Mode", "2");
        QTest::mouseDClick(&F().Anim2, Qt::LeftButton, {}, F().Anim2.rect().center());
        QVERIFY(Patch::Loaded());
        Patch& p = Patch::Instance();
        QApplication::setActiveWindow(&p);
        QVERIFY(QTest::qWaitForWindowActive(&p));
        QCOMPARE(QApplication::focusWidget(), p.c[2].get());
        const struct {
            Qt::Key key;
            int then;
        } steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Up, 0}, {Qt::Key_Right, 1}};
        for (const auto& k : steps) {
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCOMPARE(QApplication::focusWidget(), p.c[k.then].get());
            for (int i = 0; i < 3; ++i) QCOMPARE(p.c[i]->isChecked(), i == k.then);
        }
        // Choosing stores nothing until OK; Tab moves on without choosing.
        QCOMPARE(fx.Setting("Patch", "Mode"), QString("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.c[2].get());
        QVERIFY(p.c[1]->isChecked() && !p.c[2]->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &p.OK);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(fx.Setting("Patch", "Mode"), QString("1"));
        QVERIFY(p.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &p.Quit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.c[0].get());
        p.Quit.ClickIt();
        Flush();
    }

    // A user's mouse on the OK button reaches it, though the window's empty
    // label spreads over it.
    void patchOkTakesARealClick() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        F().Anim2_DblClick();
        Patch& p = Patch::Instance();
        QVERIFY(p.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QVERIFY(p.Label1.geometry().contains(p.OK.geometry()));
        const QPoint ok = p.OK.mapTo(&p, p.OK.rect().center());
        QCOMPARE(p.childAt(ok), static_cast<QWidget*>(&p.OK));
        QCOMPARE(QApplication::widgetAt(p.mapToGlobal(ok)), static_cast<QWidget*>(&p.OK));
        const QPoint mode3 = p.c[2]->mapTo(&p, p.c[2]->rect().center());
        QCOMPARE(p.childAt(mode3), static_cast<QWidget*>(p.c[2].get()));
        // Pointer in: the caption turns blue; then a press and release there.
        QWindow* win = p.windowHandle();
        QTest::mouseMove(win, QPoint(5, p.height() - 3));
        QTest::mouseMove(win, ok);
        QTRY_COMPARE(p.OK.ForeColor, QColor(0, 0, 255));
        QTest::mouseClick(win, Qt::LeftButton, {}, mode3);
        QVERIFY(p.c[2]->isChecked());
        QTest::mousePress(win, Qt::LeftButton, {}, ok);
        QTest::mouseRelease(win, Qt::LeftButton, {}, ok);
        QCOMPARE(fx.Setting("Patch", "Mode"), QString("2"));
        QVERIFY(!p.OK.Value());
        QTest::mouseMove(win, QPoint(5, p.height() - 3));
        QTRY_COMPARE(p.OK.ForeColor, QColor(0, 0, 0));
        // Where no control lies, the label is still what the pointer meets.
        const QPoint free = p.Label1.mapTo(&p, QPoint(p.Label1.width() - 3, 3));
        QCOMPARE(p.childAt(free), static_cast<QWidget*>(&p.Label1));
    }

    void patchOkHover() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Patch& p = Patch::Instance();
        QCOMPARE(p.OK.ForeColor, QColor(0, 0, 0));
        emit p.OK.MouseEnter();
        QCOMPARE(p.OK.ForeColor, QColor(0, 0, 255));
        emit p.OK.MouseLeave();
        QCOMPARE(p.OK.ForeColor, QColor(0, 0, 0));
    }

    // The backdrop pictures are smaller than the dialogs, so stretched,
    // tiled and centred give three visibly different images of one dialog.
    void displayModesLookDifferent_data() {
        QTest::addColumn<bool>("splash");
        QTest::addColumn<double>("least");  // share of pixels that must differ
        QTest::newRow("splash window") << true << 0.2;
        // Its work area covers most of the backdrop; the margins show it.
        QTest::newRow("work window") << false << 0.01;
    }
    void displayModesLookDifferent() {
        QFETCH(bool, splash);
        QFETCH(double, least);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QList<QImage> shots;
        for (int mode : {0, 1, 2}) {
            fx.SetSetting("Patch", "Mode", QString::number(mode));
            std::unique_ptr<Essai> work;
            DialogFrame* d = nullptr;
            if (splash) {
                Splash::Unload();
                Flush();
                d = &Splash::Instance();
            } else {
                work = std::make_unique<Essai>(false);
                d = work.get();
            }
            QCOMPARE(d->SSSplash1.Mode(), mode);
            const QSize native = d->SSSplash1.Picture().size();
            QVERIFY(native.width() < d->SSSplash1.width());
            QVERIFY(native.height() < d->SSSplash1.height());
            shots << d->SSSplash1.grab().toImage();
        }
        // Share of pixels that differ between two shots.
        auto ecart = [](const QImage& a, const QImage& b) {
            int n = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
            return double(n) / (a.width() * a.height());
        };
        for (auto [i, j] : {std::pair{0, 1}, {0, 2}, {1, 2}}) {
            QCOMPARE(shots[i].size(), shots[j].size());
            const double e = ecart(shots[i], shots[j]);
            QVERIFY2(
                e > least,
                qPrintable(
                    QString("modes %1 and %2 differ on %3 of the pixels").arg(i).arg(j).arg(e)));
        }
    }

    // The splash window's large title reads whole in its box, before the
    // check box; the display-mode window's caption stands clear of the
    // divider line of its title strip.
    void titlesReadWhole() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Splash& sp = Splash::Instance();
        for (int i : {2, 3}) {
            const platform::Label& t = *sp.Titre[i];
            QCOMPARE(t.Caption(), QString("Brivanta"));
            const QFontMetrics m(t.font());
            QVERIFY2(m.horizontalAdvance(t.Caption()) <= t.width(),
                     qPrintable(QString("%1 px of text in %2 px")
                                    .arg(m.horizontalAdvance(t.Caption()))
                                    .arg(t.width())));
            QVERIFY(m.height() <= t.height());
            QVERIFY(t.font().pointSizeF() >= 14);
            QVERIFY(t.geometry().right() < sp.SphashAuto.geometry().left());
        }
        F().Anim2_DblClick();
        Patch& p = Patch::Instance();
        const QRect divider = p.SSSplash1.Separateur();
        QVERIFY(!divider.isEmpty());
        QVERIFY2(p.Label2.geometry().bottom() < divider.top(),
                 qPrintable(QString("caption ends at %1, divider starts at %2")
                                .arg(p.Label2.geometry().bottom())
                                .arg(divider.top())));
        const QFontMetrics m(p.Label2.font());
        QVERIFY(m.horizontalAdvance(p.Label2.Caption()) <= p.Label2.width());
    }

    void backdropDisplayModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("corner");  // the picture covers the corner
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("offCentre");  // a point off the centre tile
        QTest::newRow("0 stretched") << 0 << true << true << true;
        QTest::newRow("1 tiled") << 1 << true << true << false;
        QTest::newRow("2 centred") << 2 << false << true << false;
        QTest::newRow("other, as 0") << 5 << true << true << true;
    }
    void backdropDisplayModes() {
        QFETCH(int, mode);
        QFETCH(bool, corner);
        QFETCH(bool, centre);
        QFETCH(bool, offCentre);
        Backdrop b;
        b.resize(100, 100);
        // A 20×20 red square with a transparent ring: tiles leave gaps.
        QImage img(20, 20, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        for (int y = 2; y < 18; ++y)
            for (int x = 2; x < 18; ++x) img.setPixelColor(x, y, Qt::red);
        b.SetPicture(QPixmap::fromImage(img));
        b.SetMode(mode);
        QCOMPARE(b.Mode(), mode);
        const QImage shot = b.grab().toImage();
        auto red = [&](int x, int y) { return shot.pixelColor(x, y) == QColor(Qt::red); };
        QCOMPARE(red(15, 15), corner);
        QCOMPARE(red(50, 50), centre);
        QCOMPARE(red(40, 50), offCentre);
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
