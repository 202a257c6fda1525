#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "platform/Controls.h"

// The recipe panel of the main window: one recipe with its attributes, its
// ingredient lines as rows of three cells, its photo and its four texts,
// inside the scrolling container Scroll(0). Loading it reads the collection
// and never writes to it.
class CadreRecette : public QObject {
    Q_OBJECT
public:
    // The panel lies in `cadre`, whose width the layout follows.
    CadreRecette(platform::ScrollPanel& scroll, const platform::Panel& cadre);
    ~CadreRecette() override;

    // The placeholder caption of an empty ingredient cell.
    static const QString& Pointilles();

    // Loads recipe n, a whole number or the number part of a list key.
    void ChargerRecette(const QString& n);
    void ChargerRecette(long long n) { ChargerRecette(QString::number(n)); }
    void PlacerCadreRecette();

    // The recipe the panel shows, as its last load found it: none when the
    // number matched no recipe or the load failed. Edits go to this recipe.
    std::optional<long long> RecetteAffichee() const { return affichee_; }
    // Forgets the shown recipe (it was deleted): nothing more is written to it.
    void Oublier() { affichee_.reset(); }

    // Hides the nine pick-lists, in their order.
    void CacherListes();
    // Refills the six database pick-lists, as a selection in the lists does.
    void RemplirListes();

    platform::ScrollPanel& Scroll;
    QWidget* const Contenu;
    const platform::Panel& Cadre;

    platform::Panel CadrePhoto;
    platform::PictureBox Photo{&CadrePhoto};
    platform::ControlArray<platform::Label> Libelle;
    // Elements 0 to 4 and 6: glass, method, cost, difficulty, strength,
    // category.
    platform::ControlArray<platform::PictureButton> Data;
    platform::ControlArray<platform::PictureButton> Quantite;
    platform::ControlArray<platform::PictureButton> Mesure;
    platform::ControlArray<platform::PictureButton> Ingre;
    std::array<std::unique_ptr<platform::TextBox>, 4> Saisie;

    // The in-place pick-lists, children of the panel's content so that
    // they lie over a cell and scroll with it.
    platform::ComboBox LCout;
    platform::ComboBox LDiff;
    platform::ComboBox LTeneur;
    platform::ComboBox LCategorie;
    platform::ComboBox LVerre;
    platform::ComboBox LMateriel;
    platform::ComboBox LQuantite;
    platform::ComboBox LMesure;
    platform::ComboBox LIngre;

private:
    void ChargerIngredients(const QString& n);
    // Rows 1 and up, made as copies of row 0.
    void CreerLigne(int i);
    void DetruireLignes();
    void AfficherPhoto(const QVariant& value);
    // No recipe: what a failed load leaves, rather than a mix of two.
    void Vider();
    void Habiller(platform::PictureButton& b);

    std::optional<long long> affichee_;
};
