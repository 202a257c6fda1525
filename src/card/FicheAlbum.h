#pragma once

#include <array>
#include <memory>

#include "platform/Controls.h"
#include "platform/Printer.h"
#include "shell/DialogFrame.h"

// The recipe card: the recipe the main window shows, as a read-only card
// that pages through the list the recipe came from and prints on one page.
// Window code 2; its close only hides it, so it keeps its content.
class FicheAlbum : public DialogFrame, public LoadedOnce<FicheAlbum> {
    Q_OBJECT
public:
    void Form_Load();
    void Navi_Click(int Index);
    // A value field only gives its pressed state back: the card is read-only.
    void Champ_Click(platform::PictureButton& champ);
    void Quit_Click() override;

    // Printing of the card on one page of the current printer.
    void Imprimer();
    void SetupFontPrinter(const platform::Label& Police);
    void SetupFontPrinter(const platform::PictureButton& Police);
    void SetupFontPrinter(const platform::Panel& Police);
    void PlacerCatego(short IndiceLabel, short IndiceData, double RL, double RB, double Rapport,
                      double LargeurChamp);
    void PlacerInfo(int Indice, double Rapport, double RLeft);
    void PlacerDesc(int Indice, double Rapport, double RLeft,
                    const platform::PictureButton& NomChamp);

    // The list the shown recipe came from, or none when no recipe is shown.
    static platform::ListView* ListeSource();

    // The card's scale width: its inner width in twips.
    double ScaleWidth() const { return Width(); }

    platform::Panel SSPanel1{&Fond};
    platform::Panel CadreBouton{&SSPanel1};
    platform::ControlArray<platform::PictureButton> Navi;
    std::array<std::unique_ptr<platform::ScrollPanel>, 1> Scroll;

    // The card proper, inside Scroll(0).
    platform::Panel Recette;
    platform::Panel CadrePhoto;
    platform::PictureBox Photo{&CadrePhoto};
    platform::ControlArray<platform::Label> Libelle;
    platform::PictureButton Cout;
    platform::PictureButton Diff;
    platform::PictureButton Teneur;
    // Elements 1 to 3: category, glass type, equipment.
    platform::ControlArray<platform::PictureButton> Data;
    platform::ControlArray<platform::PictureButton> Qte;
    platform::ControlArray<platform::PictureButton> Mesure;
    platform::ControlArray<platform::PictureButton> Ingre;
    platform::PictureButton Prepa;
    platform::PictureButton Desc;
    platform::PictureButton Deco;
    platform::PictureButton Histoire;

    // The box of the text being printed, in printer pixels.
    platform::RECT ZoneImpression;
    // The fixed gaps of the page are drawn for a 600-dpi printer: printer
    // pixels for one of those pixels, so that they keep their size on paper
    // at any resolution.
    double Echelle = 1;

    // Row i of the ingredient lines, made as a copy of row 0.
    void CreerLigne(int i);
    void DetruireLignes();

private:
    friend class LoadedOnce<FicheAlbum>;
    FicheAlbum();
    void ImprimerPage();
    // Draws a card control's text into ZoneImpression.
    void Dessiner(const platform::Label& c, int flags = platform::DT_WORDBREAK);
    void Dessiner(const platform::PictureButton& c, int flags = platform::DT_WORDBREAK);
    void Champ(platform::PictureButton& b, double points, const QColor& couleur);
};
