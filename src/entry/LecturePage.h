#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// The reader of the partner site's recipe pages: it goes through the page's
// markup line by line and fills the import window's fields from the text
// between fixed markers, then fetches the recipe's photo.
namespace Module1 {

// The photo last fetched, byte for byte, and its length.
extern QByteArray PhotoOctets;
extern qint64 PhotoTaille;
// Which rating the next rating bar belongs to: 0 none yet, 1 cost,
// 2 difficulty. Kept from one page to the next, like DansHistoire.
extern short TypeNotation;
extern bool DansHistoire;

constexpr int kLignes = 7;

// The fields of the import window that the reader fills, in the window's
// names.
struct Panneau {
    QString Recette;
    std::array<QString, 6> Liste;
    std::array<QString, 4> Saisie;
    std::array<QString, kLignes> Qte, Qte2, Ingre;
    // Photo.ToolTipText: the photo's address found on the page.
    QString PhotoAdresse;
};

// What the reader tells while it reads.
class Suivi {
public:
    virtual ~Suivi() = default;
    virtual void Progression(int pb) { (void)pb; }
    virtual void Etape(const QString& lpb) { (void)lpb; }
    // The photo's address was found: fetch it and show it before reading on.
    virtual void PhotoTrouvee(const QString& adresse) { (void)adresse; }
};

// The partner site: its address (scheme and host, no final "/") and the
// brand word that begins two title prefixes.
struct Site {
    QString adresse;
    QString marque;
    // From the configuration file.
    static Site Configure();
};

// Reads a whole saved page into the panel; returns the count of ingredient
// lines found (those beyond the seventh are counted, not placed). The
// readers cut the page's markup; each field then gets the text as the page
// shows it: no tag left, every entity decoded once ("Gin &amp; tonic" gives
// "Gin & tonic").
int Lire(const QString& page, Panneau& p, Suivi& suivi, const Site& site);

// The field readers, each on one line of the page.
void LireIngredient(const QString& LignePage, Panneau& p, int& Compteur);
void LireNotation(const QString& LignePage, Panneau& p, int Critere);
void LireTitre(const QString& LignePage, Panneau& p, const Site& site);
void LireCategorie(const QString& LignePage, Panneau& p);
void LireRealisation(const QString& LignePage, Panneau& p);
void LirePreparation(const QString& LignePage, Panneau& p, const Site& site);
bool LirePreparationAncienne(const QString& LignePage, Panneau& p, const Site& site);
void LireDecor(const QString& LignePage, Panneau& p);
void LireVerre(const QString& LignePage, Panneau& p);
// True when it found an address; the line then holds that address.
bool ChercherPhoto(QString& LignePage, Panneau& p);
void AjouterHistoire(const QString& LignePage, Panneau& p);
// Removes every complete tag; a "<" with no ">" after it stays, with
// everything that follows it.
void EnleverBalises(QString& Texte);

// The partner's own links that close the history section.
QString LiensHistoire();

// The warning when the page has more ingredient lines than the window.
QString MessageTropIngredients();

// On the import window: reads the page's markup into its fields (the window
// disabled meanwhile) and fetches the photo.
void AnalyserPage(const QString& page);
// Fetches again the photo whose address the window holds, and shows it.
void TelechargerPhoto();

}  // namespace Module1
