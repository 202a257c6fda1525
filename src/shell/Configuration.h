#pragma once

#include <QString>

// The web addresses the program hands to the browser, read from
// brivanta.conf in the application folder (section [Partenaire]: Adresse,
// Domaine, Marque; section [Auteur]: Adresse). A missing file or key gives
// the program's own default.
namespace Configuration {

// Scheme and host, without a final "/" whatever the file holds: the page
// reader's markers are built from it.
QString SitePartenaire();     // "http://recettes.exemple.org"
QString DomainePartenaire();  // "recettes.exemple.org"
QString MarquePartenaire();   // "Recettes"
QString SiteAuteur();         // "http://brivanta.exemple.net/"

// The file read, for messages and tests.
QString Fichier();

}  // namespace Configuration
