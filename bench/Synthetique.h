#pragma once

#include <QString>

// Synthetic recipe collections for timing the lists on large files.
namespace bench {

struct Synthese {
    long long ingredientVedette = 0;  // number of the ingredient most recipes use
    int recettesVedette = 0;          // how many recipes use it
};

// Writes a whole collection of `recettes` recipes at `path` (about ten
// ingredient lines each, 30 categories, 40 glasses, 500 ingredients, levels
// and the four texts of several hundred characters). With `photos`, one
// recipe in five holds an inline photo of about 7,000 characters and one in
// fifty one of about 140,000. The same arguments always give the same file.
// Refuses an existing file; raises platform::DbError on failure and leaves
// no partial file behind.
Synthese EcrireCollection(const QString& path, int recettes, bool photos = false);

// A recipe page as the browser gives it to the reader, filled with ordinary
// paragraphs up to about the given size (in characters).
QString PageRecette(qsizetype taille);
// The same page whose history fills half of it, followed by readers'
// comments, each on its own line under the words "Commentaires de la
// recette", up to about the given size.
QString PageCommentaires(qsizetype taille);
// The same page whose history, half of it, is the partner's history links
// cut in two and nested: each line of the first halves, then as many lines
// of the second halves, so that every removal of the links joins its two
// sides into another; then readers' comments up to about the given size.
QString PageHistoireImbriquee(qsizetype taille);

}  // namespace bench
