#pragma once

#include <QJsonObject>
#include <QString>

// Writing a whole collection file from a readable seed (the sample
// collection, test fixtures, synthetic collections).
//
// Seed shape: "categories", "realisations": arrays of names; "verres": array
// of {nom, contenance, description, image}; "recettes": array of {nom,
// categorie, verre, realisation, cout, difficulte, teneur, photo,
// lignes: [[quantite, mesure, ingredient], ...], preparation, deco,
// description, histoire}; "lexique": array of {mot, info}. Names that a recipe
// uses but the arrays lack are added; an empty part of a line is 0.
namespace db {

// Writes the file beside its final place and renames it over that place
// once whole. Raises platform::DbError on failure.
void WriteCollection(const QString& path, const QJsonObject& seed);

// Reads a seed file; raises platform::DbError when it is not valid JSON.
QJsonObject ReadSeed(const QString& file);

}  // namespace db
