#pragma once

#include <QWidget>

#include "platform/Controls.h"
#include "platform/Menu.h"

// The task-bar window: never seen on screen, it stands for the whole program
// in the task bar. Minimising any window minimises it; restoring it shows
// the main window and opens again the window of FenetreReduite. It keeps the
// two backdrop pictures of the dialogs.
class Pop : public QWidget {
    Q_OBJECT
public:
    static Pop& Instance();
    static bool Loaded();
    static void Unload();

    void Form_Load();
    // Runs at every change of the size state (minimised, normal, maximised).
    void Form_Resize();
    // The close of the task-bar entry: the quit question. The close itself
    // goes on; the window is loaded again by the next minimise.
    void Form_Unload();

    // The size-state changes the minimise and restore roads make.
    void Minimiser();
    void Restaurer();
    // Visible in its current size state (the task-bar entry shows).
    void Afficher();
    // True while the program stands minimised in the task bar.
    static bool Reduit();
    // A window of the program minimised or hidden by the window manager
    // (its minimise, its "show desktop"): the program's own minimise road,
    // with the code of the window that was in front.
    void ReduitParLeGestionnaire();

    // The lists' menu and the picture frames' menu.
    platform::Menu Menu1{QStringLiteral("Menu1")};
    platform::Menu Menu2{QStringLiteral("Menu2")};
    platform::MenuItem& Ajouter() const { return *Menu1.Item(QStringLiteral("Ajouter")); }
    platform::MenuItem& Modifier() const { return *Menu1.Item(QStringLiteral("Modifier")); }
    platform::MenuItem& Supprimer() const { return *Menu1.Item(QStringLiteral("Supprimer")); }
    platform::MenuItem& ModifPhoto() const { return *Menu2.Item(QStringLiteral("ModifPhoto")); }
    platform::MenuItem& SuppPhoto() const { return *Menu2.Item(QStringLiteral("SuppPhoto")); }
    // What the lists' menu items do.
    void Ajouter_Click();
    void Modifier_Click();
    void Supprimer_Click();
    // What the picture frames' menu items do, on the frame that popped it.
    void ModifPhoto_Click();
    void SuppPhoto_Click();

    platform::PictureBox PetitEcran{this};
    platform::PictureBox GrandEcran{this};

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Pop();
    // Minimised, by a road of the program or by the window manager: every
    // window of the program goes, and the code of the one in front is kept.
    void CacherFenetres();
    void Reduire(bool parLeProgramme);
    bool loaded_ = false;
    // Set while a road of the program minimises the entry.
    bool parLeProgramme_ = false;
};

namespace General {

// Window codes of FenetreReduite.
enum CodeFenetre : short {
    kManuelle = 0,
    kFacile = 1,
    kFicheAlbum = 2,
    kAcquisition = 3,
    kAstuces = 4,
    kFrmFind = 5,
    kSplash = 8,
    kPrincipale = 99,
};

// Asks whether to quit; on Yes deletes temp.bmp and ends the program.
void ConfirmerQuitter();

}  // namespace General
