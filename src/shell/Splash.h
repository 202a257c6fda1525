#pragma once

#include <QCheckBox>
#include <QScrollArea>
#include <array>
#include <memory>

#include "platform/Controls.h"
#include "shell/DialogFrame.h"

// The start-up and about window: title, picture, thanks to the partner
// recipe site with its link, and the choice of showing it at start-up.
// Window code 8; its close unloads it.
class Splash : public DialogFrame, public LoadedOnce<Splash> {
    Q_OBJECT
public:
    void Form_Load();
    void SphashAuto_Click();
    void LSphashAuto_Click();
    void lien_Click();
    void MesSofts_Click(int index);
    void MesSofts_MouseEnter(int index);
    void MesSofts_MouseLeave();
    void Quit_Click() override;

    platform::Twips<QCheckBox> SphashAuto{&SSSplash1};
    platform::Label LSphashAuto{&SSSplash1};
    platform::PictureBox Image1{&Fond};
    platform::Twips<QScrollArea> SSScroll1{&Fond};
    std::array<std::unique_ptr<platform::PictureButton>, 7> MesSofts;
    platform::Twips<QScrollArea> SSScroll2{&Fond};
    platform::Panel Remerciements{};  // the scrolled content of SSScroll2
    std::array<std::unique_ptr<platform::Label>, 2> Label2;
    platform::Label Label4{&Remerciements};
    platform::PictureButton lien{&Remerciements};
    platform::Panel Commentaire{&SSSplash1};
    std::array<std::unique_ptr<platform::Label>, 1> Label1;

    // What the maker's products say on hover (the strip is empty for now).
    std::array<QString, 7> Descriptions;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void AvantCodeReduit() override;

private:
    friend class LoadedOnce<Splash>;
    Splash();
};
