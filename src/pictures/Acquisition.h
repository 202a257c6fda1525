#pragma once

#include <array>
#include <memory>

#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/ImageBox.h"
#include "shell/DialogFrame.h"
#include "shell/Patch.h"

// A button of the picture window: its icon above its caption, washed out
// while it cannot be used.
class BoutonScan : public BoutonIcone {
public:
    using BoutonIcone::BoutonIcone;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The picture window: a picture from a scanner or a file, fitted into a
// square frame, turned a quarter turn either way, mirrored and saved as a
// bitmap. Window code 3; its close unloads it.
class Acquisition : public DialogFrame, public LoadedOnce<Acquisition> {
    Q_OBJECT
public:
    // Indexes of Btn_ScanS.
    enum Bouton : int {
        kGauche = 0,
        kDroite = 1,
        kOuvrir = 2,
        kSauvegarder = 3,
        kHorizontal = 4,
        kVertical = 5,
        kScanner = 6,
    };

    void Form_Load();
    void Btn_ScanS_Click(int Index);
    void Btn_ScanS_MouseEnter(int Index);
    void Btn_ScanS_MouseLeave(int Index);
    void Quit_Click() override;

    std::array<std::unique_ptr<BoutonScan>, 7> Btn_ScanS;
    std::array<std::unique_ptr<platform::PictureBox>, 3> CadreListe;  // only (2)
    platform::Label Label1{&Fond};
    platform::Label Cadre{&Fond};
    platform::ImageBox PhotoScan{&Fond};
    platform::ImageBox PhotoScan1{&Fond};
    platform::ImageBox PhotoScan2{&Fond};
    platform::Label PbCadre{&Fond};
    platform::Label Pb{&Fond};
    platform::CommonDialog CommonDialog1;

    // While a long step runs and yields to the event loop, every button of
    // the window is disabled, so that none starts again on the same picture;
    // each gets its own state back at the end.
    class Occupation {
    public:
        explicit Occupation(Acquisition& w);
        ~Occupation();
        Occupation(const Occupation&) = delete;
        Occupation& operator=(const Occupation&) = delete;

    private:
        Acquisition& w_;
        std::vector<std::pair<QWidget*, bool>> etats_;
    };
    bool Occupee() const { return occupee_ > 0; }

    // The window manager's close acts as the close button, and not at all
    // while a step runs. Escape does nothing: a slip of the key must not
    // drop a picture that is not saved, as in the entry windows.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class LoadedOnce<Acquisition>;
    Acquisition();
    void AcquerirImage();
    void ActiverBoutons(bool actif);
    int occupee_ = 0;
};
