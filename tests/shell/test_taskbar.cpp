// The application's task-bar entry under a real X server and a window
// manager that speaks EWMH: one entry (the task-bar window's) at start,
// with a dialog open and when minimised; the minimise and restore roads as
// the window manager sees them. The test starts its own Xvfb and openbox
// and skips, saying why, where they cannot run.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>
#include <functional>
#include <memory>

#include "card/FrmFind.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "shell/Splash.h"
#include "support/Fixture.h"

namespace {

// An X server of the test's own, with openbox on it.
class Bureau {
public:
    Bureau() {
        for (const char* tool : {"Xvfb", "openbox", "xprop", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                raison_ = QStringLiteral("%1 is not installed (bash scripts/setup.sh installs it)")
                              .arg(QString::fromLatin1(tool));
                return;
            }
        // A display number no one uses, away from the usual ones.
        const int base = 200 + static_cast<int>(QCoreApplication::applicationPid() % 400);
        for (int n = base; n < base + 40 && display_.isEmpty(); ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            auto x = std::make_unique<QProcess>();
            x->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            x->start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), "-screen", "0",
                                              "1024x768x24", "-nolisten", "tcp"});
            if (!x->waitForStarted(3000)) continue;
            QDeadlineTimer limit(5000);
            while (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
                   x->state() == QProcess::Running && !limit.hasExpired())
                QThread::msleep(20);
            if (x->state() != QProcess::Running) continue;
            display_ = QStringLiteral(":%1").arg(n);
            xvfb_ = std::move(x);
        }
        if (display_.isEmpty()) {
            raison_ = QStringLiteral("no X server could start (Xvfb failed on every display)");
            return;
        }
        qputenv("DISPLAY", display_.toUtf8());
        wm_ = std::make_unique<QProcess>();
        wm_->start(QStringLiteral("openbox"), {});
        wm_->waitForStarted(3000);
        QDeadlineTimer limit(8000);
        while (!limit.hasExpired() && wm_->state() == QProcess::Running &&
               !Xprop({"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"))
            QThread::msleep(50);
        if (!Xprop({"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id")) {
            raison_ = QStringLiteral("openbox did not start on the test's X server");
            return;
        }
        pret_ = true;
    }
    ~Bureau() {
        for (QProcess* p : {wm_.get(), xvfb_.get()})
            if (p && p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) {
                    p->kill();
                    p->waitForFinished(1000);
                }
            }
    }
    bool Pret() const { return pret_; }
    QString Raison() const { return raison_; }

    static QString Xprop(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral("xprop"), args);
        p.waitForFinished(5000);
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

private:
    std::unique_ptr<QProcess> xvfb_, wm_;
    QString display_, raison_;
    bool pret_ = false;
};

Bureau* g_bureau = nullptr;

QList<WId> Clients() {
    QList<WId> out;
    const QString s = Bureau::Xprop({"-root", "_NET_CLIENT_LIST"});
    const int hash = s.indexOf(u'#');
    if (hash < 0) return out;
    for (const QString& part : s.mid(hash + 1).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const WId id = part.trimmed().toULongLong(&ok, 16);
        if (ok) out << id;
    }
    return out;
}

QString Prop(WId id, const char* name) {
    return Bureau::Xprop({"-id", QString::number(id), QString::fromLatin1(name)});
}

// The windows a task bar shows: managed, neither transient nor skipped.
QList<WId> Entrees() {
    QList<WId> out;
    for (WId id : Clients())
        if (!Prop(id, "_NET_WM_STATE").contains("SKIP_TASKBAR") &&
            !Prop(id, "WM_TRANSIENT_FOR").contains("window id"))
            out << id;
    return out;
}

bool Iconifiee(WId id) {
    return Prop(id, "WM_STATE").contains("Iconic");
}

// The window manager raises the entry, as a click on it in a task bar
// would; the program first reads what the window manager last told it, as
// it has time to between a user's two clicks.
void Activer(WId id) {
    QTest::qWait(300);
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowactivate"), QString::number(id)});
}

Frmmain& F() {
    return Frmmain::Instance();
}

// A click of the pointer on the middle of the widget, through the X server
// as a user's hand would make it.
void CliquerX(QWidget& w) {
    const QPoint at = w.mapToGlobal(w.rect().center());
    QProcess::execute(
        QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
         QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// The window manager minimises the entry, as a click on it in a task bar
// would.
void ReduireParLeGestionnaire(WId id) {
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowminimize"), QString::number(id)});
}

// openbox's own "show desktop" key (Super+D in its default bindings).
void MontrerLeBureau() {
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("super+d")});
}

// What the user does to the program from outside it: the window manager
// minimises the task-bar entry or the window given, or shows the desktop.
void Geste(const QString& geste, WId fenetre) {
    if (geste == QLatin1String("bureau"))
        MontrerLeBureau();
    else if (geste == QLatin1String("entree"))
        ReduireParLeGestionnaire(Pop::Instance().winId());
    else
        ReduireParLeGestionnaire(fenetre);
}

// The windows of the program the window manager shows (mapped, not
// minimised), the task-bar entry apart.
QList<WId> Montrees(WId pop) {
    QList<WId> out;
    for (WId id : Clients())
        if (id != pop && !Iconifiee(id)) out << id;
    return out;
}

// Runs `inside` from the event loop as soon as `ready` holds (within five
// seconds), while the caller waits in a modal window; `inside` must end
// that window's display, and `fin` ends it in any case afterwards.
void Pendant(std::function<bool()> ready, std::function<void()> inside, std::function<void()> fin) {
    auto deadline = std::make_shared<QDeadlineTimer>(5000);
    auto look = std::make_shared<std::function<void()>>();
    *look = [=] {
        if (!ready() && !deadline->hasExpired()) {
            QTimer::singleShot(50, *look);
            return;
        }
        if (ready()) inside();
        fin();
    };
    QTimer::singleShot(50, *look);
}
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"}]})";
}  // namespace

class TestTaskbar : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!g_bureau->Pret()) QSKIP(qPrintable(g_bureau->Raison()));
    }

    void oneEntryAtStartWithADialogAndMinimised() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const WId pop = Pop::Instance().winId();
        QTRY_COMPARE_WITH_TIMEOUT(Entrees(), QList<WId>{pop}, 5000);
        QVERIFY(Clients().contains(F().winId()));

        F().Outils[9]->ClickIt();
        Splash& sp = Splash::Instance();
        QTRY_VERIFY_WITH_TIMEOUT(Clients().contains(sp.winId()), 5000);
        QCOMPARE(Entrees(), QList<WId>{pop});

        sp.Mini.ClickIt();
        QTRY_VERIFY_WITH_TIMEOUT(Iconifiee(pop), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!Clients().contains(F().winId()), 5000);
        QVERIFY(!Clients().contains(sp.winId()));
        QCOMPARE(Entrees(), QList<WId>{pop});

        // The window manager restores the entry: the main window and the
        // splash window come back.
        Activer(pop);
        QTRY_VERIFY_WITH_TIMEOUT(!Iconifiee(pop), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(F().isVisible() && Splash::Instance().isVisible(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Clients().contains(F().winId()), 5000);
        QCOMPARE(Entrees(), QList<WId>{pop});
    }

    // The splash window of the start-up, minimised with its own button:
    // the start-up ends with every window gone and the entry minimised;
    // restoring it brings the main window and the splash window back.
    void minimiseTheSplashAtStartUp() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "True");
        platform::ModalSeam::Disable();
        bool clicked = false;
        Pendant(
            [] {
                return Splash::Loaded() && Splash::Instance().isVisible() &&
                       Clients().contains(Splash::Instance().winId());
            },
            [&] {
                clicked = true;
                CliquerX(Splash::Instance().Mini);
                QTest::qWait(200);
            },
            [] {
                if (Splash::Loaded() && Splash::Instance().isVisible()) Splash::Unload();
            });
        QVERIFY(fx.StartMain());
        QVERIFY(clicked);
        const WId pop = Pop::Instance().winId();
        QTRY_VERIFY_WITH_TIMEOUT(Iconifiee(pop), 5000);
        QVERIFY(!F().isVisible());
        QVERIFY(!Splash::Instance().isVisible());
        QTest::qWait(300);
        QCOMPARE(Montrees(pop), QList<WId>{});
        QCOMPARE(General::FenetreReduite, short(8));

        bool back = false, mainBack = false;
        Pendant(
            [] {
                return Splash::Instance().isVisible() &&
                       Clients().contains(Splash::Instance().winId());
            },
            [&] {
                back = true;
                mainBack = F().isVisible() && Clients().contains(F().winId());
                CliquerX(Splash::Instance().Quit);
            },
            [] {
                if (Splash::Loaded() && Splash::Instance().isVisible()) Splash::Unload();
            });
        Activer(pop);
        QTRY_VERIFY_WITH_TIMEOUT(back, 8000);
        QVERIFY(mainBack);
        QTRY_VERIFY_WITH_TIMEOUT(!Splash::Loaded(), 5000);
        QVERIFY(F().isVisible());
        QVERIFY(!Iconifiee(pop));
    }

    // The window manager minimises the main window itself, or hides every
    // window for its "show desktop": the program takes the minimise road
    // (every window gone, the entry minimised); the restore from the entry
    // brings the main window back in its normal state, twice running.
    void windowManagerMinimisesTheMainWindow_data() {
        QTest::addColumn<QString>("geste");
        QTest::newRow("minimise of the main window") << "reduire";
        QTest::newRow("show desktop") << "bureau";
    }
    void windowManagerMinimisesTheMainWindow() {
        QFETCH(QString, geste);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const WId pop = Pop::Instance().winId();
        QTRY_COMPARE_WITH_TIMEOUT(Entrees(), QList<WId>{pop}, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Montrees(pop).contains(F().winId()), 5000);
        General::FenetreReduite = 5;
        for (int cycle = 0; cycle < 2; ++cycle) {
            Geste(geste, F().winId());

            QTRY_VERIFY_WITH_TIMEOUT(Iconifiee(pop), 5000);
            QTRY_VERIFY_WITH_TIMEOUT(!F().isVisible(), 5000);
            QCOMPARE(General::FenetreReduite, short(99));
            QTest::qWait(300);
            QCOMPARE(Montrees(pop), QList<WId>{});

            Activer(pop);
            QTRY_VERIFY_WITH_TIMEOUT(!Iconifiee(pop), 5000);
            QTRY_VERIFY_WITH_TIMEOUT(Montrees(pop) == QList<WId>{F().winId()}, 5000);
            QVERIFY(!F().isMinimized());
            QCOMPARE(Entrees(), QList<WId>{pop});
            // In front, with the keyboard.
            QTRY_VERIFY_WITH_TIMEOUT(F().isActiveWindow(), 5000);
            QTest::qWait(300);
        }
        QCOMPARE(Bureau::Xprop({"-root", "_NET_SHOWING_DESKTOP"}).trimmed(),
                 QString("_NET_SHOWING_DESKTOP(CARDINAL) = 0"));
        // The main window takes the user's clicks again: the sort bar sorts.
        CliquerX(*F().Bouton[1]);
        QTRY_COMPARE_WITH_TIMEOUT(fx.Setting("Settings", "Tris"), QString("1"), 5000);
        QCOMPARE(Fixture::Texts(F().Liste), QStringList{"Tropical"});
    }

    // The search window open, the window manager minimises the entry or
    // that dialog, or shows the desktop: the search window and the main
    // window go and the entry stands minimised; the restore shows both
    // again, in their normal state, with what was typed, in one modal
    // display.
    void windowManagerMinimisesTheSearchWindow_data() {
        QTest::addColumn<QString>("geste");
        QTest::newRow("minimise of the entry") << "entree";
        QTest::newRow("minimise of the search window") << "reduire";
        QTest::newRow("show desktop") << "bureau";
    }
    void windowManagerMinimisesTheSearchWindow() {
        QFETCH(QString, geste);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Recursive call")));
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        platform::ModalSeam::Disable();
        const WId pop = Pop::Instance().winId();
        QTRY_COMPARE_WITH_TIMEOUT(Entrees(), QList<WId>{pop}, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Clients().contains(F().winId()), 5000);

        bool minimised = false, searchHidden = false, mainHidden = false;
        QList<WId> shownWhileMinimised{0};
        auto finir = [] {
            FrmFind& w = FrmFind::Instance();
            if (w.isVisible()) w.hide();
        };
        auto montree = [] {
            FrmFind& w = FrmFind::Instance();
            return w.isVisible() && Clients().contains(w.winId()) && !Iconifiee(w.winId());
        };
        Pendant(
            montree,
            [&] {
                FrmFind::Instance().Saisie.TypeIt(QStringLiteral("Moj"));
                Geste(geste, FrmFind::Instance().winId());
                minimised = QTest::qWaitFor([&] { return Iconifiee(pop); }, 5000);
                searchHidden =
                    QTest::qWaitFor([] { return !FrmFind::Instance().isVisible(); }, 5000);
                QTest::qWait(300);
                shownWhileMinimised = Montrees(pop);
                mainHidden = !F().isVisible();
            },
            finir);
        QTest::mouseClick(F().Outils[4].get(), Qt::LeftButton);
        QVERIFY(minimised);
        QVERIFY(searchHidden);
        QVERIFY(mainHidden);
        QCOMPARE(shownWhileMinimised, QList<WId>{});
        QCOMPARE(General::FenetreReduite, short(5));

        bool back = false, mainBack = false, normal = false;
        QString typed;
        Pendant(
            montree,
            [&] {
                back = true;
                FrmFind& w = FrmFind::Instance();
                mainBack = F().isVisible() && Montrees(pop).contains(F().winId());
                normal = !w.isMinimized() && !F().isMinimized();
                typed = w.Saisie.Text();
                CliquerX(w.Quit);
                QTest::qWait(200);
            },
            finir);
        Activer(pop);
        QTRY_VERIFY_WITH_TIMEOUT(back, 8000);
        QTRY_VERIFY_WITH_TIMEOUT(!FrmFind::Instance().isVisible(), 5000);
        QVERIFY(mainBack);
        QVERIFY(normal);
        QCOMPARE(typed, QString("Moj"));
        // Closed by a real click on its close button: the main window is
        // the program's again.
        QVERIFY(F().isVisible());
        QVERIFY(!Iconifiee(pop));
        QCOMPARE(Montrees(pop), QList<WId>{F().winId()});
        QCOMPARE(Entrees(), QList<WId>{pop});
        CliquerX(*F().Bouton[1]);
        QTRY_COMPARE_WITH_TIMEOUT(fx.Setting("Settings", "Tris"), QString("1"), 5000);
    }

    // Closing the entry and answering No, then the next minimise: the entry
    // comes back minimised and the main window goes, then the entry restores.
    void minimiseAfterTheEntryWasClosed_data() {
        QTest::addColumn<bool>("closedMinimised");
        QTest::newRow("closed while shown") << false;
        QTest::newRow("closed while minimised") << true;
    }
    void minimiseAfterTheEntryWasClosed() {
        QFETCH(bool, closedMinimised);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const WId first = Pop::Instance().winId();
        QTRY_COMPARE_WITH_TIMEOUT(Entrees(), QList<WId>{first}, 5000);
        if (closedMinimised) {
            F().Btn_Min.ClickIt();
            QTRY_VERIFY_WITH_TIMEOUT(Iconifiee(first), 5000);
        }
        platform::MessageSeam::Answer({platform::vbNo});
        Pop::Instance().close();
        QCOMPARE(platform::EndSeam::Calls(), 0);
        QVERIFY(F().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(Entrees().isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Clients().contains(F().winId()), 5000);

        F().Btn_Min.ClickIt();
        const WId pop = Pop::Instance().winId();
        QTRY_VERIFY_WITH_TIMEOUT(Iconifiee(pop), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!Clients().contains(F().winId()), 5000);
        QVERIFY(!F().isVisible());
        QCOMPARE(Entrees(), QList<WId>{pop});

        Activer(pop);
        QTRY_VERIFY_WITH_TIMEOUT(F().isVisible(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Clients().contains(F().winId()), 5000);
        QVERIFY(!Iconifiee(pop));
        QCOMPARE(Entrees(), QList<WId>{pop});
    }
};

int main(int argc, char** argv) {
    // The test's own X server, when one can run; offscreen otherwise, and
    // every case skips with the reason.
    Bureau bureau;
    g_bureau = &bureau;
    qputenv("QT_QPA_PLATFORM", bureau.Pret() ? "xcb" : "offscreen");
    int r = 0;
    {
        QApplication app(argc, argv);
        TestTaskbar t;
        r = QTest::qExec(&t, argc, argv);
    }
    return r;
}

#include "test_taskbar.moc"
