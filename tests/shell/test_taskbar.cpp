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
#include <memory>

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
