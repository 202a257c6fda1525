#include "shell/Pop.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFile>
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
}

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
    if (!isVisible()) {
        // A window shown already minimised comes up in the normal state under
        // some window managers, which would restore at once: the entry is
        // shown first, and minimised once the window manager has it.
        show();
        QDeadlineTimer limite(1000);
        while (windowHandle() && !windowHandle()->isExposed() && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    parLeProgramme_ = true;
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
    Frmmain::Instance().show();
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
