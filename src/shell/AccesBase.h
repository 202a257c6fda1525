#pragma once

#include <QString>
#include <QVariant>

#include "platform/Controls.h"
#include "platform/Database.h"

// The small procedures through which the windows read and change the
// collection. Each opens the file, does its work and closes it again; none
// catches errors (a failing step raises platform::DbError to the caller).
// Key values are pasted into the SQL text as they come: list keys may carry
// leading blanks.
namespace AccesBase {

// The key of a new row of a lookup table: the highest key plus 1, or 1 when
// the table is empty. Gaps are never reused.
long long NouvelleCle(platform::Database& d, const QString& Table, const QString& Champ);

// Adds column Colonne of every row to the list, sorted by Tri; the list is
// not cleared first.
void RemplirListeTable(const QString& Table, const QString& Tri, int Colonne,
                       platform::ComboBox& Liste);
// Column 1 of the row whose Champ is Cle becomes Texte.
void RenommerEnregistrement(const QString& Table, const QVariant& Cle, const QString& Texte,
                            const QString& Champ);
// Column Colonne of the row whose Champ is Cle becomes Valeur; an empty
// value is stored as one blank.
// With Base, the write goes into the caller's open file (and transaction).
void ModifierChamp(const QString& Table, const QVariant& Cle, const QVariant& Valeur,
                   const QString& Champ, int Colonne, platform::Database* Base = nullptr);
// Refills a pick-list with the non-blank texts of column 1, sorted by Tri.
void RemplirComboTable(platform::ComboBox& Liste, const QString& Table, const QString& Tri);
// Replaces one ingredient line of a recipe: the old line goes when present,
// the new one comes (when Ajout) unless the recipe already has it.
void ModifierLigneIngredient(const QVariant& Numero, const QVariant& QteAncien,
                             const QVariant& QteNouveau, const QVariant& MesAncien,
                             const QVariant& MesNouveau, const QVariant& IngAncien,
                             const QVariant& IngNouveau, bool Ajout,
                             platform::Database* Base = nullptr);
// Ingre: every line of the key; any other table: the first row of the key.
void SupprimerEnregistrement(const QString& Table, const QVariant& Cle, const QString& Champ);
// Deletes a recipe: its lines and its row, all or nothing.
void SupprimerRecette(const QVariant& Numero);
// True when a recipe still uses the category, glass or ingredient of that
// key (Table Categorie, Verre or Ingredient).
bool InformationUtilisee(const QString& Table, const QVariant& Cle);
// Lists the rows of Sql whose name (column 1) begins with Texte (Debut) or
// holds it anywhere, letter case ignored.
void RechercherTexte(const QString& Sql, platform::ListView& Liste, int Icone, bool Debut,
                     const QString& Texte);
// Stores a chosen picture in column Colonne: for a recipe by the inline
// rule of db::PhotoValue, for a glass by its path.
void EnregistrerPhoto(const QString& Chemin, const QString& Table, const QVariant& Cle,
                      int Colonne);
// Adds a category, glass or ingredient unless its text already exists.
void AjouterInformation(const QString& Texte, const QString& Table, const QString& Champ);

}  // namespace AccesBase
