#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/SingleInstance.h"

class CadreRecette;
class CadreVerre;

// The main window: full screen, borderless, drawn with skin pieces; its
// left column holds the two lists, its right block the recipe and glass
// panels. One instance, reached through Instance().
class Frmmain : public platform::Twips<QWidget> {
    Q_OBJECT
public:
    static Frmmain& Instance();
    static bool Loaded();
    // Destroys the instance (tests start each case on a fresh window).
    static void Unload();

    // The start-up. False when the program must end at once (too small a
    // screen, or a second copy).
    bool Form_Load();
    void Form_Activate();
    void Timer1_Timer();
    void AdapterEcran();

    void ListeHaute();
    void CacherListeModif();

    // The two lists.
    void Liste_Click();
    void LFilms_Click();
    void Liste_MouseDown(int Button, int Shift, double X, double Y);
    void LFilms_MouseDown(int Button, int Shift, double X, double Y);
    void Liste_LostFocus();
    void LFilms_LostFocus();
    void Liste_AfterLabelEdit(bool& Cancel, const QString& NewString);
    void LFilms_AfterLabelEdit(bool& Cancel, const QString& NewString);

    // The recipe panel inside Cadre(0).
    CadreRecette& Recette() const { return *recette_; }
    // The glass panel inside Cadre(1).
    CadreVerre& Verre() const { return *verre_; }
    // The photo frame whose right press popped Pop.Menu2: 0 the recipe's,
    // 1 the glass's.
    int CadreMenuPhoto = 0;
    // The list the shown recipe came from: 'H' the upper list, 'B' the lower
    // one; the card pages through it.
    QChar ListeAffichee() const { return listeAffichee_; }

    // Tool bar, sort bar, window buttons and title.
    void Outils_Click(int Index);
    void Outils_MouseEnter(int Index);
    void Outils_MouseLeave();
    void Bouton_Click(int Index);
    void Bouton_MouseEnter(int Index);
    void Bouton_MouseLeave(int Index);
    void Btn_Min_Click();
    void Btn_Min_MouseEnter();
    void Btn_Min_MouseLeave();
    void Btn_Quit_Click();
    void Btn_Quit_MouseEnter();
    void Btn_Quit_MouseLeave();
    void Anim2_DblClick();
    // Within Base when the caller holds the file open, else in an opening
    // of its own.
    void RechercherNumero(const QString& Data, long long& Numero, const QString& NomChamp,
                          const QString& NumChamp, platform::Database* Base = nullptr);

    // Skin pieces, as the layout places them.
    platform::Panel Fond{this};
    platform::Panel HautGauche{&Fond};
    platform::Panel Anim{&Fond};
    platform::Panel Anim2{&Anim};
    platform::Panel Coin{&Anim};
    platform::PictureButton Btn_Min{&Coin};
    platform::PictureButton Btn_Quit{&Coin};
    platform::Panel HautDroit{&Fond};
    platform::Panel CoinGT{&Fond};
    platform::Panel TopMenu{&Fond};
    platform::Panel Tooltiptext{&Fond};
    platform::Panel BordGauche{&Fond};
    platform::Panel Gauche{&Fond};
    platform::Panel TGauche{&Gauche};
    platform::Label LTGauche{&Gauche};
    platform::ListView Liste{&Gauche};
    platform::Panel TCentre{&Gauche};
    platform::Label LTCentre2{&Gauche};
    platform::ListView LFilms{&Gauche};
    platform::Panel BGauche{&Gauche};
    platform::Label LBGauche{&Gauche};
    platform::Panel Fr_Droit{&Fond};
    platform::Panel TDroit{&Fr_Droit};
    platform::Label LTDroit{&Fr_Droit};
    std::array<std::unique_ptr<platform::Panel>, 2> Cadre;
    std::array<std::unique_ptr<platform::ScrollPanel>, 2> Scroll;
    platform::Panel BDroit{&Fr_Droit};
    // Border pieces: 0-7 around the left block, 8-15 around the right one.
    std::array<std::unique_ptr<platform::Panel>, 16> c;
    platform::Panel BarreHor{&Fond};
    platform::Panel BasGauche{&Fond};
    platform::Panel BasDroit{&Fond};
    platform::Panel Chargement{&Fond};
    platform::Label ChargementTexte{&Chargement};
    platform::ProgressBar Pb{&Chargement};

    std::array<std::unique_ptr<platform::PictureButton>, 12> Outils;
    std::array<std::unique_ptr<platform::PictureButton>, 7> Bouton;

    // The entry's icon over the right block, and the picture that a photo
    // passes through to be fitted.
    platform::PictureBox Icone_DEco{&Fr_Droit};
    platform::PictureBox ImageTemp{this};
    platform::CommonDialog CommonDialog1;

    platform::ImageList Img;
    QTimer Timer1;

    // The running copy's lock on its collection; none when it could not be
    // taken.
    platform::SingleInstance* Verrou() { return instance_.get(); }

    // Number of the entry selected in the upper list.
    long long NumeroSelection = 0;

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Frmmain();
    void BuildPieces();
    void StartupTail();
    // The skin pictures, drawn at the size each piece has now.
    void Habiller();
    // Loads recipe n into the panel; true when it shows it.
    bool AfficherRecette(const QString& n, QChar liste);
    std::unique_ptr<platform::SingleInstance> instance_;
    std::unique_ptr<CadreRecette> recette_;
    std::unique_ptr<CadreVerre> verre_;
    QChar listeAffichee_;
    bool loaded_ = false;
};
