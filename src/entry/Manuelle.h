#pragma once

#include <array>
#include <memory>

#include "entry/Creation.h"
#include "platform/Controls.h"
#include "shell/DialogFrame.h"
#include "shell/Patch.h"

// "Création Recette": the window in which the user types one new recipe at
// a time. Window code 0; its close unloads it.
class Manuelle : public DialogFrame, public LoadedOnce<Manuelle>, public Creation::Formulaire {
    Q_OBJECT
public:
    void Form_Load();
    void ChargerCoutDiffTeneur();
    void ReinitChamps();
    void CreerRecette();

    void Qte_Click(int i);
    void Qte2_Click(int i);
    void Ingre_Click(int i);
    void LQte_Change();
    void LQte2_Change();
    void LIngre_Change();
    void Liste_Click(int i);
    void Saisie_Click(int i);
    void CadrePhoto_Click();
    void Photo_Click();
    void Creer_Click();
    void Quit_Click() override;

    // Scroll(0) holds the form; Scroll(1), inside it, the ingredient grid.
    platform::ScrollPanel Scroll0{&Fond};
    platform::ScrollPanel Scroll1{Scroll0.Content()};
    std::array<platform::ScrollPanel*, 2> Scroll{&Scroll0, &Scroll1};

    platform::Panel CadrePhoto{Scroll0.Content()};
    platform::PictureBox Photo{&CadrePhoto};
    platform::TextBox Recette{Scroll0.Content()};
    std::array<std::unique_ptr<platform::Label>, 12> Libelle;
    std::array<std::unique_ptr<platform::ComboBox>, 6> Liste;
    std::array<std::unique_ptr<platform::TextBox>, 4> Saisie;
    std::array<std::unique_ptr<platform::TextBox>, Creation::kLignes> Qte, Qte2, Ingre;
    // Floating pick-lists over the ingredient grid; Tag holds their line.
    platform::ComboBox LQte{Scroll1.Content()};
    platform::ComboBox LQte2{Scroll1.Content()};
    platform::ComboBox LIngre{Scroll1.Content()};
    BoutonIcone Creer{Scroll0.Content()};

    // The last Créer click wrote a recipe.
    bool RecetteCreee = false;
    // A recipe was written since the window was loaded.
    bool CreationFaite = false;

    // Creation::Formulaire
    Creation::Fiche LireFiche() const override;
    void DonnerFocus(Creation::Champ champ) override;
    void RecetteEcrite(const Creation::Resultat& r) override;

    // Escape does not close the window, so that a typed recipe is not lost
    // by a slip of the finger.
    void reject() override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // A close asked by the system acts as the close button.
    void closeEvent(QCloseEvent* e) override;
    // Tab and Shift+Tab go through Arrets().
    bool focusNextPrevChild(bool next) override;

private:
    friend class LoadedOnce<Manuelle>;
    Manuelle();
    void CacherListes();
    void Fermer();
    // Lays pick-list l over cell i of its column, showing the cell's text,
    // and notes its line; the keyboard goes to the list in the cell's place.
    void Placer(platform::ComboBox& l, int i);
    // Hides pick-list l; the cell under it takes the keyboard again.
    void Cacher(platform::ComboBox& l);
    // The cell the pick-list lies over, or none.
    platform::TextBox* Cellule(const platform::ComboBox& l);
    void Copier(const platform::ComboBox& l);
    // The stops of the keyboard in the order of the screen, a pick-list in
    // the place of the cell it lies over.
    QList<QWidget*> Arrets();
};
