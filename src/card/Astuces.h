#pragma once

#include <array>
#include <memory>

#include "platform/Controls.h"
#include "platform/WebBrowser.h"
#include "shell/DialogFrame.h"

// The tips window: three local pages in the embedded browser and the
// lexicon of bar terms with the explanation of the chosen word. Window
// code 4; its close only hides it, so the lexicon is read once per load.
class Astuces : public DialogFrame, public LoadedOnce<Astuces> {
    Q_OBJECT
public:
    void Form_Load();
    void ChargerLexique();
    void Btn_Click(int Index);
    void Lexique_Click();
    void Quit_Click() override;

    platform::Panel SSPanel1{&Fond};
    platform::Panel Barre{&SSPanel1};
    std::array<std::unique_ptr<platform::PictureButton>, 4> Btn;
    platform::WebBrowser WB{&SSPanel1};
    platform::Panel Plateau{&SSPanel1};
    std::array<std::unique_ptr<platform::Label>, 3> Lib;
    platform::ListView Lexique{&Plateau};
    platform::Label Info{&Plateau};

    // The pages of buttons 0, 1 and 3, in the application folder.
    static QString Page(int Index);

private:
    friend class LoadedOnce<Astuces>;
    Astuces();
};
