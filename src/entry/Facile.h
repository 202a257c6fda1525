#pragma once

#include <array>
#include <functional>
#include <memory>

#include "entry/Creation.h"
#include "entry/LecturePage.h"
#include "platform/Controls.h"
#include "platform/Inet.h"
#include "platform/WebBrowser.h"
#include "shell/DialogFrame.h"
#include "shell/Patch.h"

// "Création facile": the partner site in an embedded browser; a recipe page
// is read into an edit panel that the user corrects before creating the
// recipe. Window code 1; its close unloads it.
class Facile : public DialogFrame, public LoadedOnce<Facile>, public Creation::Formulaire {
    Q_OBJECT
public:
    void Form_Load();
    void CreerRecette();

    void Analyse_Click();
    void Creer_Click();
    void GotO1_Click();
    void Navi_Click(int Index);
    void Revenir_Click();
    void Quit_Click() override;
    void WebBrowser1_BeforeNavigate2(const QString& url);
    void WebBrowser1_DocumentComplete(const QString& url);
    void WebBrowser1_CommandStateChange(int Command, bool Enable);
    void WebBrowser1_StatusTextChange(const QString& Text);

    platform::Label Status{&SSSplash1};
    platform::Panel SSPanel1{&Fond};
    // The browser view: its button bar and the browser.
    platform::Panel CadreBouton{&SSPanel1};
    std::array<std::unique_ptr<BoutonIcone>, 2> Navi;
    BoutonIcone GotO1{&CadreBouton};
    BoutonIcone Analyse{&CadreBouton};
    platform::ProgressBar Pb{&CadreBouton};
    platform::Label LPB{&CadreBouton};
    platform::WebBrowser WebBrowser1{&SSPanel1};

    // The edit panel: Scroll(0) holds the fields; Scroll(1) the ingredients.
    platform::ScrollPanel Scroll0{&SSPanel1};
    platform::ScrollPanel Scroll1{Scroll0.Content()};
    std::array<platform::ScrollPanel*, 2> Scroll{&Scroll0, &Scroll1};
    platform::Panel CadrePhoto{Scroll0.Content()};
    platform::PictureBox Photo{&CadrePhoto};
    platform::TextBox Recette{Scroll0.Content()};
    std::array<std::unique_ptr<platform::Label>, 12> Libelle;
    std::array<std::unique_ptr<platform::TextBox>, 6> Liste;
    std::array<std::unique_ptr<platform::TextBox>, 4> Saisie;
    std::array<std::unique_ptr<platform::TextBox>, Creation::kLignes> Qte, Qte2, Ingre;
    // The drop lists that receive the entries a creation adds.
    platform::ComboBox LQte{Scroll1.Content()};
    platform::ComboBox LQte2{Scroll1.Content()};
    platform::ComboBox LIngre{Scroll1.Content()};
    BoutonIcone Revenir{Scroll0.Content()};
    BoutonIcone Creer{Scroll0.Content()};

    // The last Créer click wrote a recipe. It belongs to the window for the
    // whole run, across its closings.
    static inline bool RecetteCreee = false;

    // The address of the start page.
    static QString PageAccueil();
    // The fields the page reader fills, and back.
    Module1::Panneau LirePanneau() const;
    void EcrirePanneau(const Module1::Panneau& p);

    // Fetches the photo for the page reader. The window stays live meanwhile
    // (the browser goes on, the fields take what is typed), except for what
    // would fetch again or take the window away (Analyse, Mini); the close
    // button gives the wait up, even while an analysis holds the window
    // disabled.
    platform::Transfert RecevoirPhoto(const QString& adresse);
    // The window was closed while one of its handlers waited: it is gone
    // from the screen and unloads once that handler has returned.
    bool FermetureDemandee() const { return fermer_; }

    // Creation::Formulaire
    Creation::Fiche LireFiche() const override;
    void DonnerFocus(Creation::Champ champ) override;
    void RecetteEcrite(const Creation::Resultat& r) override;

protected:
    // Escape does not close the window; a close asked by the system acts as
    // the close button.
    void reject() override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class LoadedOnce<Facile>;
    Facile();
    void Fermer();
    // Runs a handler that may wait for a photo; a close asked meanwhile is
    // done when the outermost such handler returns.
    void Occupe(const std::function<void()>& handler);
    int occupe_ = 0;
    bool fermer_ = false;
    bool attentePhoto_ = false;
};
