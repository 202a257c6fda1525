#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <array>
#include <memory>

#include "platform/Controls.h"

// The backdrop picture of a dialog, drawn in one of three display modes:
// 0 stretched to the backdrop (the default), 1 tiled from the top-left
// corner, 2 centred at its own size. Any other number is kept as it was
// given and drawn like 0. The pictures are smaller than the windows, so
// each mode looks its own. Over the picture, in every mode, the window's
// frame: a title strip of the given height with its divider, and a border.
class Backdrop : public platform::Twips<QWidget> {
public:
    explicit Backdrop(QWidget* parent = nullptr);
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& p);
    int Mode() const { return mode_; }
    void SetMode(int m);
    // Height of the title strip in twips; 0 draws no frame.
    double BandeTitre() const { return bande_; }
    void SetBandeTitre(double twips);
    // The divider line at the strip's foot, in pixels of the backdrop.
    QRect Separateur() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    int mode_ = 0;
    double bande_ = 0;
};

// The frame shared by the program's dialogs: a borderless window with a
// backdrop SSSplash1 holding everything, a work area Fond, the two title
// pairs Titre(0..3) and the minimise and close buttons drawn like the main
// window's. Each dialog places the pieces for its own design and picks the
// skin steps of its load.
class DialogFrame : public platform::Twips<QDialog> {
    Q_OBJECT
public:
    // The skin steps a dialog's load runs.
    struct Habillage {
        bool modeAffichage = true;   // display mode from setting Mode
        bool fondPrincipal = false;  // Fond gets the picture of Frmmain.Fond
        bool petitEcran = false;     // backdrop Pop.PetitEcran, else Pop.GrandEcran
        bool fondEcran = true;       // backdrop picture from Pop at all
        bool icone = false;          // window icon of Frmmain
        bool mini = true;            // Mini copies Frmmain.Btn_Min
        bool modeSplash = false;     // then display mode from key "Splash"
    };

    // code: the window code stored on minimise (Pop restores by it).
    DialogFrame(const QString& name, short code);

    Backdrop SSSplash1{this};
    platform::Panel Fond{&SSSplash1};
    std::array<std::unique_ptr<platform::Label>, 4> Titre;
    platform::PictureButton Mini{&SSSplash1};
    platform::PictureButton Quit{&SSSplash1};

    const short CodeFenetre;

    // Shows the window modally; returns when it is closed or hidden.
    void ShowModal();

    // The minimise road: Pop minimised, this window and the main window
    // hidden, Pop visible, the window code stored.
    virtual void Mini_Click();
    void Mini_MouseEnter();
    void Mini_MouseLeave();
    // The close of each dialog is its own.
    virtual void Quit_Click() = 0;
    void Quit_MouseEnter();
    void Quit_MouseLeave();

protected:
    // The design of the six work windows (about 12000×9000 twips) with the
    // window's title in Titre(2) and Titre(3).
    void DisposerFenetreTravail(const QString& titre);
    // Places one title pair: the label in front and its shadow copy.
    void PlacerTitre(int devant, int ombre, double left, double top, double width, double height,
                     const QString& texte, double points);
    void ChargerHabillage(const Habillage& h);
    // The order the Tab key follows, from the first control to the last.
    static void OrdreClavier(const QList<QWidget*>& ordre);
    // Called between the hide of the window and the store of its code.
    virtual void AvantCodeReduit() {}
};

// The one instance of a window that unloads at its close: created and
// loaded at its first showing, and again after each close.
template <class T>
class LoadedOnce {
public:
    static T& Instance() {
        if (!instance_) {
            instance_ = new T();
            instance_->Form_Load();
        }
        return *instance_;
    }
    static bool Loaded() { return instance_ != nullptr; }
    static void Unload() {
        if (!instance_) return;
        T* w = instance_;
        instance_ = nullptr;
        // Hiding ends a modal display; the window goes once its handlers return.
        w->hide();
        w->deleteLater();
    }

private:
    static inline T* instance_ = nullptr;
};
