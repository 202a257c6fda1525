#pragma once

#include <QColor>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "platform/Controls.h"

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

// The list of the saved kind at start-up, over a collection that may be
// missing, foreign, in use or damaged. Never raises; returns what the user
// must be told (empty when all went well), to be shown once the main
// window stands.
QString AfficherListeDemarrage();

// Tells the user of a fill's trouble: at once, or at the end of the start-up.
void Avertir(const QString& texte);
// Forgets which tables' left-out rows were told (a new collection is in place).
void OublierAvertissements();

// The rows of one fill, added to the list at once at the end. A row whose
// key is not a whole number, or is already in the list, is left out; the
// user is told once per table how many rows were left out.
class Remplissage {
public:
    Remplissage(platform::ListView& liste, QString table);
    void Ajouter(const QVariant& numero, const QString& texte, int icone);
    void Terminer();

private:
    platform::ListView& liste_;
    QString table_;
    std::vector<platform::ListView::Entry> lignes_;
    QSet<QString> cles_;
    long ecartees_ = 0;
};

}  // namespace General
