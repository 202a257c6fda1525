#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// The program-wide state and the list procedures of the main window.
namespace General {

// The window to open again when the program is restored from the task bar.
extern short FenetreReduite;

// Level words, indexed by the numbers stored in Cout, difficulte, Teneur.
extern QStringList Couts;
extern QStringList Difficultes;
extern QStringList Teneurs;

// Colour of the highlighted entry of the upper list.
extern QColor CouleurSelection;

void ChargerLibelles();
void InitCouleurSelection();

// The seven list kinds.
struct ListKind {
    const char* table;
    const char* sortColumn;
    const char* title;
    const char* suffix;
};
const ListKind& Kind(int kind);

void AfficherListe(int kind);
void RemplirListe(const QString& table, const QString& sortColumn, const QString& title,
                  const QString& suffix, int kind);
void ListerRecettesLiees(int kind);
void ListerRecettesCritere(const QString& table, const QString& column);
void ListerRecettesIngredient();

// The stored list kind (setting Tris).
int Tris();

}  // namespace General
