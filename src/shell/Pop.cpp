#include "shell/Pop.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/DialogFrame.h"
#include "shell/Fenetres.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Skin.h"

namespace {
Pop* g_pop = nullptr;

bool FenetreSurveillee(const QWidget* w) {
    return w && w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip;
}

// Watches every window of the program for what the window manager does
// to it behind the program's back: a minimise, or the unmapping of its
// "show desktop", which leaves the window in its normal state. Either
// becomes the program's one minimise road, so that the restore from the
// task-bar entry brings every window back.
class Gardien : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (FenetreSurveillee(w) && w != g_pop && w->isVisible() && w->isMinimized())
                Examiner(w, 0);
        } else if (e->type() == QEvent::Expose && o->isWindowType()) {
            auto* win = static_cast<QWindow*>(o);
            if (!win->isExposed())
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->windowHandle() == win && FenetreSurveillee(w) && w->isVisible())
                        // The window manager minimises by unmapping first; only
                        // a window still in its normal state afterwards was
                        // hidden for the desktop.
                        Examiner(w, 250);
        }
        return false;
    }

private:
    void Examiner(QWidget* w, int ms) {
        QTimer::singleShot(ms, this, [p = QPointer<QWidget>(w)] {
            if (!p || !p->isVisible() || platform::Ending()) return;
            const bool cache = p->windowHandle() && !p->windowHandle()->isExposed();
            if (p->isMinimized() ? p != g_pop : cache) Pop::Instance().ReduitParLeGestionnaire();
        });
    }
};

void Surveiller() {
    static QPointer<Gardien> gardien;
    if (gardien || !qApp) return;
    gardien = new Gardien(qApp);
    qApp->installEventFilter(gardien);
}
}  // namespace

Pop& Pop::Instance() {
    if (!g_pop) g_pop = new Pop();
    if (!g_pop->loaded_) g_pop->Form_Load();
    return *g_pop;
}

bool Pop::Loaded() {
    return g_pop && g_pop->loaded_;
}

void Pop::Unload() {
    delete g_pop;
    g_pop = nullptr;
}

Pop::Pop() : QWidget(nullptr) {
    setObjectName(QStringLiteral("Pop"));
    // The program ends only through the quit question, never because its
    // last visible window went away.
    QApplication::setQuitOnLastWindowClosed(false);
    Surveiller();
    setWindowIcon(QIcon(Skin::Picture(QStringLiteral("app_icon"), {64, 64})));
    PetitEcran.SetPicture(Skin::Picture(QStringLiteral("backdrop_small")));
    GrandEcran.SetPicture(Skin::Picture(QStringLiteral("backdrop_large")));
    PetitEcran.hide();
    GrandEcran.hide();
    Menu1.Add(QStringLiteral("Ajouter"), QStringLiteral("&Ajouter"));
    Menu1.Add(QStringLiteral("Modifier"), QStringLiteral("&Modifier"));
    Menu1.Add(QStringLiteral("Supprimer"), QStringLiteral("&Supprimer"));
    Menu2.Add(QStringLiteral("ModifPhoto"), QStringLiteral("&Modifier la photo"));
    Menu2.Add(QStringLiteral("SuppPhoto"), QStringLiteral("&Supprimer la photo"));
    // A failing action is told, never ends the program.
    auto action = [this](platform::MenuItem& item, void (Pop::*handler)()) {
        connect(&item, &platform::MenuItem::Click, this, [this, handler] {
            platform::Reported([&] { (this->*handler)(); }, &Frmmain::Instance());
        });
    };
    action(Ajouter(), &Pop::Ajouter_Click);
    action(Modifier(), &Pop::Modifier_Click);
    action(Supprimer(), &Pop::Supprimer_Click);
    action(ModifPhoto(), &Pop::ModifPhoto_Click);
    action(SuppPhoto(), &Pop::SuppPhoto_Click);
}

void Pop::Form_Load() {
    move(-1000, -1000);
    resize(1, 1);
    hide();
    setWindowTitle(platform::AppTitle());
    loaded_ = true;
}

void Pop::Minimiser() {
    Reduire(true);
}

void Pop::ReduitParLeGestionnaire() {
    // Already minimised: a window left on screen goes too, the code stays.
    if (Reduit()) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != this && w->isVisible()) w->hide();
        return;
    }
    Reduire(false);
}

void Pop::Reduire(bool parLeProgramme) {
    if (!isVisible()) {
        // A window shown already minimised comes up in the normal state under
        // some window managers, which would restore at once: the entry is
        // shown first, and minimised once the window manager has it.
        show();
        QDeadlineTimer limite(1000);
        while (windowHandle() && !windowHandle()->isExposed() && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    parLeProgramme_ = parLeProgramme;
    setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
    parLeProgramme_ = false;
}

void Pop::Restaurer() {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void Pop::Afficher() {
    setVisible(true);
}

bool Pop::Reduit() {
    return g_pop && g_pop->loaded_ && g_pop->isVisible() && g_pop->isMinimized();
}

void Pop::CacherFenetres() {
    // Minimised by the window manager, the window in front is the one the
    // restore opens again: a dialog of the frame, or the main window alone.
    // The program's own roads store their code themselves.
    if (!parLeProgramme_) {
        auto* devant = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
        if (!devant)
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<DialogFrame*>(w); d && d->isVisible()) devant = d;
        General::FenetreReduite =
            devant ? devant->CodeFenetre : static_cast<short>(General::kPrincipale);
    }
    // Hiding a modal window ends its modal display; a question left open
    // over it ends unanswered, as a cancel.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->hide();
}

void Pop::Form_Resize() {
    if (windowState() & Qt::WindowMinimized) {
        CacherFenetres();
        return;
    }
    if (windowState() & Qt::WindowMaximized) {
        if (Frmmain::Loaded()) Frmmain::Instance().hide();
        return;
    }
    platform::ShowRaised(Frmmain::Instance());
    switch (General::FenetreReduite) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 8:
            if (General::OuvrirFenetre(General::FenetreReduite)) return;
            break;
        default:
            break;
    }
    Afficher();
}

void Pop::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && loaded_) Form_Resize();
}

void Pop::Form_Unload() {
    loaded_ = false;
    General::ConfirmerQuitter();
    if (platform::Ending()) return;
    // The entry is gone; the next minimise makes a new one, in the normal
    // state, which the window manager then minimises.
    if (g_pop == this) {
        g_pop = nullptr;
        deleteLater();
    }
    // Without its task-bar entry the program must not go on unseen.
    if (Frmmain::Loaded()) Frmmain::Instance().show();
}

void Pop::closeEvent(QCloseEvent* e) {
    e->accept();
    Form_Unload();
}

namespace General {

void ConfirmerQuitter() {
    const int r = platform::MsgBox(
        QStringLiteral("Voulez vous quitter ") + platform::AppTitle() + QStringLiteral(" ?"),
        platform::vbYesNo + platform::vbQuestion);
    if (r != platform::vbYes) return;
    const QString scratch = platform::AppFile(QStringLiteral("temp.bmp"));
    if (QFile::exists(scratch)) QFile::remove(scratch);
    platform::EndProgram();
}

}  // namespace General
