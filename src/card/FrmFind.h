#pragma once

#include <array>
#include <memory>

#include "platform/Controls.h"
#include "shell/DialogFrame.h"
#include "shell/Patch.h"

// The multi-criteria search window: recipes, categories, glasses or
// ingredients by the beginning of their name or a word anywhere in it,
// recipes also by cost, difficulty and alcohol level. A double-click opens
// the result in the main window. Window code 5; its close only hides it,
// opening a result unloads it.
class FrmFind : public DialogFrame, public LoadedOnce<FrmFind> {
    Q_OBJECT
public:
    void Form_Load();
    void Opt_Liste_Click(int Index);
    void Chk_Click(int Index);
    void Creer_Click();
    void Liste_DblClick();
    void Quit_Click() override;

    // The statement a search runs for the present kind and criteria.
    QString Requete() const;

    platform::Panel SSPanel1{&Fond};
    std::array<std::unique_ptr<platform::Label>, 3> L;
    platform::TextBox Saisie{&SSPanel1};
    platform::Panel SSPanel2{&SSPanel1};
    std::array<std::unique_ptr<platform::OptionButton>, 2> Choix;
    std::array<std::unique_ptr<platform::OptionButton>, 4> Opt_Liste;
    std::array<std::unique_ptr<platform::CheckBox>, 3> Chk;
    std::array<std::unique_ptr<platform::ListBox>, 3> LChk;
    BoutonIcone Creer{&SSPanel1};
    platform::ListView Liste{&SSPanel1};

    QString TableRecherche;
    int IconeRecherche = 1;
    // The table the results shown came from: a kind chosen since does not
    // change what they name.
    QString TableResultats;

private:
    friend class LoadedOnce<FrmFind>;
    FrmFind();
};
