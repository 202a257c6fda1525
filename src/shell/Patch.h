#pragma once

#include <array>
#include <memory>

#include "platform/Controls.h"
#include "shell/DialogFrame.h"

// A picture button that shows its icon above its caption.
class BoutonIcone : public platform::PictureButton {
public:
    using PictureButton::PictureButton;

protected:
    void paintEvent(QPaintEvent*) override;
};

// The display-mode chooser: one of three modes for the dialogs' backdrop,
// stored as setting Mode of section "Patch" and used by each dialog's next
// load. Its close unloads it.
class Patch : public DialogFrame, public LoadedOnce<Patch> {
    Q_OBJECT
public:
    void Form_Load();
    void OK_Click();
    void OK_MouseEnter();
    void OK_MouseLeave();
    void Quit_Click() override;

    platform::Label Label2{&SSSplash1};
    std::array<std::unique_ptr<platform::OptionButton>, 3> c;
    BoutonIcone OK{&SSSplash1};
    platform::Label Label1{&SSSplash1};

private:
    friend class LoadedOnce<Patch>;
    Patch();
};
