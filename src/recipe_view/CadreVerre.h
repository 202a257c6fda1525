#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "platform/Controls.h"

// The glass panel of the main window, inside the scrolling container
// Scroll(1): the glass name with its capacity, its description and its
// picture. Every change the user makes goes to the glass at once.
class CadreVerre : public QObject {
    Q_OBJECT
public:
    CadreVerre(platform::ScrollPanel& scroll, const platform::Panel& cadre);
    ~CadreVerre() override;

    // Shows glass n, a whole number or the number part of a list key.
    void ChargerVerre(const QString& n);
    void ChargerVerre(long long n) { ChargerVerre(QString::number(n)); }

    // The glass the panel shows, as its last load found it: none when the
    // number matched no glass. Edits go to this glass only.
    std::optional<long long> VerreAffiche() const { return affiche_; }
    // Forgets the shown glass (it was deleted): nothing more is written to it.
    void Oublier() { affiche_.reset(); }

    void Contenance_Click();
    void SaisieContenance_Change();
    void SaisieContenance_LostFocus();
    void Desciption_Change();
    void CadrephotoVerre_MouseDown(int Button, int Shift, double X, double Y);
    void PhotoVerre_MouseDown(int Button, int Shift, double X, double Y);

    // The path a stored picture value is loaded from.
    static QString CheminImage(const QString& valeur);

    platform::ScrollPanel& Scroll;
    const platform::Panel& Cadre;

    platform::Panel InfoVerre;
    platform::PictureButton Contenance;
    platform::TextBox SaisieContenance;
    platform::TextBox Desciption;
    platform::Panel CadrephotoVerre;
    platform::PictureBox PhotoVerre{&CadrephotoVerre};

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Placer();
    std::optional<long long> affiche_;
};
