#include "entry/LecturePage.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "entry/Facile.h"
#include "platform/DocumentHtml.h"
#include "platform/Inet.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Screen.h"
#include "platform/VbText.h"
#include "shell/Configuration.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Images.h"

using platform::Trim;

namespace Module1 {

QByteArray PhotoOctets;
qint64 PhotoTaille = 0;
short TypeNotation = 0;
bool DansHistoire = false;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Positions count from 1, 0 meaning not found, as the markers' cuts are
// told that way.
qsizetype InStr(qsizetype debut, const QString& s, const QString& quoi) {
    if (debut < 1) debut = 1;
    if (debut > s.size()) return 0;
    return s.indexOf(quoi, debut - 1) + 1;
}
qsizetype InStr(const QString& s, const QString& quoi) {
    return s.indexOf(quoi) + 1;
}
// The same with letter case ignored: what searching the line turned to
// capitals or to small letters finds, at positions of the line itself.
qsizetype InStrCasse(qsizetype debut, const QString& s, const QString& quoi) {
    if (debut < 1) debut = 1;
    if (debut > s.size()) return 0;
    return s.indexOf(quoi, debut - 1, Qt::CaseInsensitive) + 1;
}
bool Contient(const QString& s, const char* quoi) {
    return s.contains(QLatin1String(quoi), Qt::CaseInsensitive);
}
// A cut from a position; a missing or negative length runs to the end.
QString Mid(const QString& s, qsizetype debut, qsizetype longueur = -1) {
    if (debut < 1) debut = 1;
    if (debut > s.size()) return QString();
    return longueur < 0 ? s.mid(debut - 1) : s.mid(debut - 1, longueur);
}
// The cut from a to the end marker at b (0: not found): to the end of the
// line when the marker is missing or lies before a.
QString Jusqua(const QString& s, qsizetype a, qsizetype b) {
    return (b > 0 && b >= a) ? Mid(s, a, b - a) : Mid(s, a);
}

const QString kIngredientMarque = QStringLiteral("Ajouter à mes ingrédients");
const QString kVerreMarque = QStringLiteral("Servir dans un verre de type");
const QString kTdMarque =
    QStringLiteral("<TD class=important2gras vAlign=center align=left>&nbsp;");

// Where the ingredient's name begins in its segment: after the link to the
// ingredients' page, whose address ends the tag ("ingredients" and a double
// quote and ">"); 0 without it. An address that goes on with parameters or a
// fragment ("ingredients?id=3") is that link too, when no plain one is there.
qsizetype DebutDuNom(const QString& segment) {
    const QString page = QStringLiteral("ingredients");
    const qsizetype p = InStr(segment, page + QStringLiteral("\">"));
    if (p > 0) return p + 13;
    for (qsizetype a = segment.indexOf(page); a >= 0; a = segment.indexOf(page, a + 1)) {
        const qsizetype apres = a + page.size();
        if (apres >= segment.size() || (segment[apres] != u'?' && segment[apres] != u'#')) continue;
        // The rest of the address, up to its closing quote, then the tag's end.
        const qsizetype guillemet = segment.indexOf(u'"', apres);
        const qsizetype chevron = segment.indexOf(u'>', apres);
        if (guillemet >= 0 && chevron == guillemet + 1) return chevron + 2;
    }
    return 0;
}

// Removes `debut` followed by `suite`, the start of a link's opening tag.
// Where the address ends with `debut`, or goes on from there with parameters
// or a fragment ("verres.php?verre=old"), the whole tag goes, up to its ">":
// nothing of the address or of the tag is left in the text.
void RetirerLien(QString& t, const QString& debut, const QString& suite = QString()) {
    QString r;
    qsizetype i = 0;
    for (qsizetype a = t.indexOf(debut); a >= 0; a = t.indexOf(debut, i)) {
        const qsizetype apres = a + debut.size();
        qsizetype fin = -1;
        if (apres < t.size() && (t[apres] == u'"' || t[apres] == u'?' || t[apres] == u'#')) {
            const qsizetype chevron = t.indexOf(u'>', apres);
            if (chevron >= 0) fin = chevron + 1;
        }
        if (fin < 0 && QStringView(t).sliced(apres).startsWith(suite)) fin = apres + suite.size();
        if (fin < 0) {
            // Neither: not this link; looked for again after its start.
            r += QStringView(t).mid(i, apres - i);
            i = apres;
            continue;
        }
        r += QStringView(t).mid(i, a - i);
        i = fin;
    }
    if (i == 0) return;
    r += QStringView(t).mid(i);
    t = r;
}

}  // namespace

Site Site::Configure() {
    Site s;
    s.adresse = Configuration::SitePartenaire();
    s.marque = Configuration::MarquePartenaire();
    return s;
}

QString LiensHistoire() {
    return QStringLiteral(
        "• Variantes de Cocktails &nbsp;• Dates de conception des grands cocktails classiques");
}

QString MessageTropIngredients() {
    return QStringLiteral(
        "           Le nombre d'ingrédients est plus que 7  !!!\r\r"
        "Veuillez noter les ingrédients manquants pour les ajouter "
        "manuellement !");
}

void EnleverBalises(QString& Texte) {
    // One pass does what removing the first tag again and again does.
    const qsizetype lt = Texte.indexOf(u'<');
    if (lt < 0) return;
    QString r;
    r.reserve(Texte.size());
    qsizetype i = 0;
    for (qsizetype a = lt; a >= 0; a = Texte.indexOf(u'<', i)) {
        const qsizetype b = Texte.indexOf(u'>', a + 1);
        if (b < 0) break;
        r += QStringView(Texte).mid(i, a - i);
        i = b + 1;
    }
    r += QStringView(Texte).mid(i);
    Texte = r;
}

void LireIngredient(const QString& LignePage, Panneau& p, int& Compteur) {
    const QString fin = QStringLiteral("</A>");
    const qsizetype p1 = InStr(LignePage, fin);
    if (p1 == 0) return;
    const qsizetype p2 = InStr(p1 + 1, LignePage, fin);
    if (p2 == 0) return;
    const QString segment = Mid(LignePage, p1 + 4, p2 - p1 - 4);
    const qsizetype nomDebut = DebutDuNom(segment);
    if (nomDebut == 0) return;
    const QString nom = Trim(Mid(segment, nomDebut));
    const qsizetype q = InStr(segment, QStringLiteral("<A title="));
    if (q == 0) return;
    // A no-break space shows as a space: "4&nbsp;cl" splits as "4 cl".
    const QString quantite =
        segment.left(q - 1).replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    QString qte, mesure;
    const QStringList morceaux = quantite.split(u' ');
    if (quantite.isEmpty() || morceaux.size() < 2) {
        mesure = Trim(quantite);
    } else {
        qte = Trim(morceaux[0]);
        mesure = Trim(Mid(quantite, morceaux[0].size() + 1));
    }
    ++Compteur;
    if (Compteur <= kLignes) {
        const auto i = static_cast<size_t>(Compteur - 1);
        p.Qte[i] = qte;
        p.Qte2[i] = mesure;
        p.Ingre[i] = nom;
    }
}

void LireNotation(const QString& LignePage, Panneau& p, int Critere) {
    const auto c = static_cast<size_t>(Critere);
    p.Liste[c] = General::Couts.value(0);
    const qsizetype pos = InStrCasse(1, LignePage, QStringLiteral("width:"));
    if (pos == 0) return;
    QString v = Trim(Mid(LignePage, pos + 6, 5));
    v.remove(QStringLiteral("px"));
    v.remove(u'%');
    v.remove(u'"');
    bool ok = false;
    const double largeur = QLocale::c().toDouble(Trim(v), &ok);
    // A width that is no number, or a negative level, says nothing.
    if (!ok || !std::isfinite(largeur) || std::fabs(largeur) > 1e9) return;
    const long long niveau = static_cast<long long>(platform::RoundHalfEven(largeur)) / 16;
    if (niveau < 0 || niveau >= 6) return;
    const QStringList& mots = Critere == 1 ? General::Difficultes : General::Couts;
    if (niveau < mots.size()) p.Liste[c] = mots[niveau];
}

void LireTitre(const QString& LignePage, Panneau& p, const Site& site) {
    if (!p.Recette.isEmpty()) return;
    const qsizetype debut = InStr(LignePage, QStringLiteral("<TITLE>"));
    if (debut == 0) return;
    const qsizetype a = debut + 7;
    const qsizetype b = InStrCasse(a, LignePage, QStringLiteral("</TITLE>"));
    QString t = b > 0 ? Mid(LignePage, a, b - a) : Mid(LignePage, a);
    const qsizetype points = InStr(t, QStringLiteral(".:."));
    if (points > 0) t = t.left(points - 1);
    if (t.contains(QStringLiteral("Recette du Cocktail"))) t = Trim(Mid(t, 20));
    t = Trim(t.remove(site.marque + QStringLiteral(" -Recette du Cocktail ")));
    t = Trim(t.remove(u'!'));
    t = Trim(t.remove(site.marque + QStringLiteral(" : Recette du Cocktail ")));
    t = Trim(t.remove(QStringLiteral("Recette Cocktail")));
    const qsizetype tiret = t.indexOf(u'-');
    p.Recette = tiret >= 0 ? t.left(tiret) : t;
}

void LireCategorie(const QString& LignePage, Panneau& p) {
    const QString marque = QStringLiteral("<META content=");
    const qsizetype premier = InStr(LignePage, marque);
    if (premier == 0) return;
    const qsizetype a = premier + 14;
    const qsizetype b = InStr(a, LignePage, marque) + 14;
    const qsizetype r = InStr(a + b + 2, LignePage, QStringLiteral("recipeCategory"));
    if (r == 0) return;
    QString v = Mid(LignePage, b + 1, r - b - 14);
    v.replace(u'+', u' ');
    v.replace(u'-', u' ');
    v.remove(u'"');
    p.Liste[3] = v;
}

void LireRealisation(const QString& LignePage, Panneau& p) {
    if (!Trim(p.Liste[5]).isEmpty()) return;
    const qsizetype a = InStr(LignePage, QStringLiteral("Réalisez la recette"));
    if (a == 0) return;
    const qsizetype b = InStr(a, LignePage, QStringLiteral("</U>"));
    QString t = Jusqua(LignePage, a + 19, b);
    const qsizetype u = t.indexOf(QStringLiteral("<U>"));
    if (u >= 0) t = t.mid(u + 3);
    p.Liste[5] = t;
}

void LirePreparation(const QString& LignePage, Panneau& p, const Site& site) {
    const QString m = p.Liste[5];
    if (m.isEmpty()) return;
    const qsizetype a = InStr(LignePage, m);
    if (a == 0) return;
    const qsizetype e = InStr(a, LignePage, kVerreMarque);
    QString t = Jusqua(LignePage, a + m.size(), e);
    t.remove(QStringLiteral("<SPAN itemprop=\"recipeInstructions\"><BR>"));
    for (const char* balise : {"<B>", "</B>", "</TD>", "<TD>", "</TR>", "<TR>"})
        t.replace(QString::fromLatin1(balise), kCrLf);
    t.replace(QStringLiteral("<BR>"), kCrLf + QStringLiteral("- "));
    t.replace(QStringLiteral("</BR>"), kCrLf);
    for (const char* balise : {"<A>", "</A>", "<U>", "</U>"}) t.remove(QString::fromLatin1(balise));
    RetirerLien(
        t, QStringLiteral("<A href=\"") + site.adresse + QStringLiteral("/cocktails/verres.php"));
    RetirerLien(t, QStringLiteral("<A href=\"") + site.adresse + QStringLiteral("/cocktail.php"),
                QStringLiteral("\">"));
    for (const char* bout : {"SPAN", "class=important", "</TR", "</", "< ", ">", "\""})
        t.remove(QString::fromLatin1(bout));
    t = Trim(t.remove(QStringLiteral("• ")));
    if (t.startsWith(u'.')) t.remove(0, 1);
    if (t.endsWith(u'-')) t.chop(1);
    p.Saisie[0] = QStringLiteral("- ") + Trim(t);
}

bool LirePreparationAncienne(const QString& LignePage, Panneau& p, const Site& site) {
    if (!Trim(p.Liste[5]).isEmpty()) return false;
    const qsizetype a = InStr(LignePage, QStringLiteral("A préparer"));
    if (a == 0) return false;
    const qsizetype b = InStr(a, LignePage, QStringLiteral("</TD>"));
    const QString texte = Jusqua(LignePage, a, b);
    QString s = texte;
    s.replace(QStringLiteral("<BR>"), kCrLf);
    for (const char* balise : {"</A>", "<U>", "</U>"}) s.remove(QString::fromLatin1(balise));
    s.remove(QStringLiteral("<A href=\"") + site.adresse + QStringLiteral("/cocktail.php\">"));
    s.remove(QStringLiteral("<A href=\"") + site.adresse + QStringLiteral("/php/verres.php\">"));
    p.Saisie[0] = s;
    const qsizetype td = InStr(texte, kTdMarque);
    if (td > 0) {
        const qsizetype a2 = td + kTdMarque.size();
        const qsizetype b2 = InStr(a2, texte, QStringLiteral("</A>"));
        p.Liste[5] = Jusqua(texte, a2, b2);
    }
    return true;
}

void LireDecor(const QString& LignePage, Panneau& p) {
    const qsizetype a = InStr(LignePage, QStringLiteral("Décor:"));
    if (a == 0) return;
    const qsizetype b = InStr(a, LignePage, QStringLiteral("<B>"));
    QString t = Jusqua(LignePage, a, b);
    for (const char* bout : {"<P>", "</P>", "</B>", "&nbsp;"}) t.remove(QString::fromLatin1(bout));
    t.remove(QStringLiteral("Décor:"));
    t = Trim(t);
    t.remove(QStringLiteral("<BR>"));
    p.Saisie[1] = t;
}

void LireVerre(const QString& LignePage, Panneau& p) {
    const qsizetype debut = InStr(LignePage, kVerreMarque);
    if (debut == 0) return;
    const qsizetype a = debut + 28;
    const qsizetype b = InStrCasse(a, LignePage, QStringLiteral("</A>"));
    QString t = Jusqua(LignePage, a, b);
    const qsizetype chevron = t.indexOf(u'>');
    if (chevron >= 0) {
        t = t.mid(chevron + 1);
        t.remove(QStringLiteral("<U>"));
        t.remove(QStringLiteral("</U>"));
    }
    p.Liste[4] = t;
}

bool ChercherPhoto(QString& LignePage, Panneau& p) {
    if (!LignePage.contains(QStringLiteral("og:image"))) return false;
    // The first address in http or https.
    const qsizetype http = InStr(LignePage, QStringLiteral("http://"));
    const qsizetype https = InStr(LignePage, QStringLiteral("https://"));
    const qsizetype a = http == 0 ? https : https == 0 ? http : std::min(http, https);
    if (a == 0) return false;
    const qsizetype b = InStr(a, LignePage, QStringLiteral(".jpg"));
    if (b == 0) return false;
    LignePage = Mid(LignePage, a, b - a) + QStringLiteral(".jpg");
    p.PhotoAdresse = LignePage.toLower();
    return true;
}

void AjouterHistoire(const QString& LignePage, Panneau& p) {
    QString t = LignePage;
    t.replace(QStringLiteral("<STRONG>"), QStringLiteral(" "));
    t.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    t.remove(QStringLiteral("<H2>"));
    t.replace(QStringLiteral("</H2>"), kCrLf);
    t.replace(QStringLiteral("<BR>"), kCrLf);
    EnleverBalises(t);
    p.Saisie[3] += t;
}

namespace {

// No two occurrences of these texts, the same or two of them, can overlap:
// no end of one begins one, and none holds another.
bool SansChevauchement(const QStringList& textes) {
    for (qsizetype i = 0; i < textes.size(); ++i)
        for (qsizetype j = 0; j < textes.size(); ++j) {
            const QStringView a = textes[i], b = textes[j];
            if (a.isEmpty() || (i != j && a.contains(b))) return false;
            for (qsizetype k = 1; k < std::min(a.size(), b.size()); ++k)
                if (a.sliced(a.size() - k) == b.first(k)) return false;
        }
    return true;
}

// The text after `passes` cleanings, each of which removes every occurrence
// of each of the texts in turn, left to right, as QString::remove does. A
// removal joins its two sides, which can make another occurrence: the next
// cleaning removes that one. Texts that cannot overlap are removed at a cost
// linear in the text, whatever the nesting and the number of cleanings: the
// text is a chain of its characters, and after the first look over the
// whole text a cleaning looks only around the seams that the removals before
// it left, since any new occurrence straddles one.
QString RetirerLiens(const QString& texte, const QStringList& liens, qint64 passes) {
    const auto present = [&](const QString& t) {
        return std::any_of(liens.begin(), liens.end(),
                           [&](const QString& l) { return !l.isEmpty() && t.contains(l); });
    };
    if (passes <= 0 || !present(texte)) return texte;
    const qsizetype n = texte.size();
    if (!SansChevauchement(liens) || n >= std::numeric_limits<qint32>::max() - 2) {
        QString t = texte;
        for (qint64 k = 0; k < passes && present(t); ++k)
            for (const QString& l : liens) t.remove(l);
        return t;
    }
    // Node i + 1 is character i; 0 and n + 1 are the chain's two ends.
    const auto fin = static_cast<qint32>(n + 1);
    std::vector<qint32> suiv(static_cast<size_t>(n) + 2), prec(static_cast<size_t>(n) + 2);
    for (qint32 i = 0; i < fin; ++i) {
        suiv[static_cast<size_t>(i)] = i + 1;
        prec[static_cast<size_t>(i) + 1] = i;
    }
    std::vector<char> vivant(static_cast<size_t>(n) + 2, 1), trouve(vivant.size(), 0);
    const auto car = [&](qint32 x) { return texte[x - 1]; };
    // For each text, the seams to look at, each by the node after it.
    std::vector<std::vector<qint32>> coutures(static_cast<size_t>(liens.size()));
    std::vector<qint32> debuts, noeuds;
    QString fenetre;
    for (qint64 passe = 0; passe < passes; ++passe) {
        bool rien = passe > 0;
        for (size_t k = 0; k < coutures.size(); ++k) {
            const QString& l = liens[static_cast<qsizetype>(k)];
            const auto L = static_cast<qint32>(l.size());
            debuts.clear();
            // First cleaning: the occurrences of the whole text, which those
            // of the texts removed before cannot touch.
            if (passe == 0)
                for (qsizetype a = texte.indexOf(l); a >= 0; a = texte.indexOf(l, a + L)) {
                    const auto x = static_cast<qint32>(a + 1);
                    if (vivant[static_cast<size_t>(x)] && !trouve[static_cast<size_t>(x)]) {
                        trouve[static_cast<size_t>(x)] = 1;
                        debuts.push_back(x);
                    }
                }
            std::vector<qint32> vues;
            vues.swap(coutures[k]);
            if (!vues.empty()) rien = false;
            for (const qint32 c : vues) {
                if (!vivant[static_cast<size_t>(c)]) continue;  // a later seam holds this one
                // L - 1 characters on each side: an occurrence that starts on
                // the left straddles the seam.
                noeuds.clear();
                for (qint32 x = prec[static_cast<size_t>(c)];
                     x != 0 && static_cast<qint32>(noeuds.size()) < L - 1;
                     x = prec[static_cast<size_t>(x)])
                    noeuds.push_back(x);
                std::reverse(noeuds.begin(), noeuds.end());
                const auto gauche = static_cast<qsizetype>(noeuds.size());
                for (qint32 x = c;
                     x != fin && static_cast<qsizetype>(noeuds.size()) < gauche + L - 1;
                     x = suiv[static_cast<size_t>(x)])
                    noeuds.push_back(x);
                fenetre.resize(static_cast<qsizetype>(noeuds.size()));
                for (size_t i = 0; i < noeuds.size(); ++i)
                    fenetre[static_cast<qsizetype>(i)] = car(noeuds[i]);
                for (qsizetype a = fenetre.indexOf(l); a >= 0 && a < gauche;
                     a = fenetre.indexOf(l, a + 1)) {
                    const qint32 x = noeuds[static_cast<size_t>(a)];
                    if (!trouve[static_cast<size_t>(x)]) {
                        trouve[static_cast<size_t>(x)] = 1;
                        debuts.push_back(x);
                    }
                }
            }
            for (const qint32 d : debuts) {
                qint32 x = d;
                for (qint32 j = 0; j < L; ++j) {
                    vivant[static_cast<size_t>(x)] = 0;
                    x = suiv[static_cast<size_t>(x)];
                }
                const qint32 avant = prec[static_cast<size_t>(d)];
                suiv[static_cast<size_t>(avant)] = x;
                prec[static_cast<size_t>(x)] = avant;
                for (auto& c : coutures) c.push_back(x);
            }
        }
        if (rien) break;
    }
    QString r;
    r.reserve(n);
    for (qint32 x = suiv[0]; x != fin; x = suiv[static_cast<size_t>(x)]) r += car(x);
    return r;
}

// Every text of the panel, the photo's address included.
template <class F>
void PourChaqueTexte(Panneau& p, F f) {
    f(p.Recette);
    for (auto* champs : {&p.Qte, &p.Qte2, &p.Ingre})
        for (QString& t : *champs) f(t);
    for (QString& t : p.Liste) f(t);
    for (QString& t : p.Saisie) f(t);
    f(p.PhotoAdresse);
}

// What a field shows of the markup the readers cut: the tags they leave
// removed, the entities decoded once.
QString TelQueLaPageLeMontre(QString balisage) {
    EnleverBalises(balisage);
    return platform::TexteDuBalisage(balisage);
}

}  // namespace

int Lire(const QString& page, Panneau& affiche, Suivi& suivi, const Site& site) {
    // The readers work on markup: the fields' texts join it as the page
    // would write them, and go back as the page shows them.
    Panneau p = affiche;
    PourChaqueTexte(p, [](QString& t) { t = platform::BalisageDuTexte(t); });
    int compteur = 0;
    const QString enCours = QStringLiteral("Analyse en cours ...");
    // The partner's links, as they stand in the page and as the history's
    // cleaning leaves them (its no-break space made a blank).
    const QString liens = LiensHistoire();
    const QString liensNettoyes =
        QString(liens).replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    // The end lines met since the history last changed: each cleans it of
    // the links once. Nothing reads or changes the history between them, so
    // they are applied together when it is next used, in one walk over it
    // however many they are and however the links nest in it.
    qint64 nettoyages = 0;
    const auto nettoyer = [&] {
        p.Saisie[3] = RetirerLiens(p.Saisie[3], {liens, liensNettoyes}, nettoyages);
        nettoyages = 0;
    };
    const qsizetype n = page.size();
    qsizetype debut = 0;
    while (debut < n) {
        // A line ends at a carriage return, with or without its line feed.
        qsizetype fin = page.indexOf(u'\r', debut);
        if (fin < 0) fin = n;
        QString ligne = page.mid(debut, fin - debut);
        debut = fin + 1;
        if (debut < n && page[debut] == u'\n') ++debut;

        ligne.replace(QStringLiteral("%E9"), QStringLiteral("é"));
        if (ligne.contains(kIngredientMarque)) {
            LireIngredient(ligne, p, compteur);
            suivi.Progression(10);
        }
        if (Contient(ligne, "<em>cher</em>")) TypeNotation = 1;
        if (Contient(ligne, "<em>difficile</em>")) TypeNotation = 2;
        if (Contient(ligne, "ratingfill")) {
            if (TypeNotation == 1)
                LireNotation(ligne, p, 0);
            else if (TypeNotation == 2)
                LireNotation(ligne, p, 1);
        }
        if (LirePreparationAncienne(ligne, p, site)) suivi.Progression(100);
        if (p.Recette.isEmpty()) LireTitre(ligne, p, site);
        suivi.Progression(30);
        if (p.Liste[5].isEmpty()) {
            LireRealisation(ligne, p);
            suivi.Progression(40);
        }
        if (!p.Liste[5].isEmpty() && p.Saisie[0].isEmpty()) {
            LirePreparation(ligne, p, site);
            suivi.Progression(50);
        }
        if (p.Liste[3].isEmpty()) {
            LireCategorie(ligne, p);
            suivi.Progression(60);
        }
        if (p.Saisie[1].isEmpty()) {
            LireDecor(ligne, p);
            suivi.Progression(70);
        }
        if (p.PhotoAdresse.isEmpty()) {
            if (ChercherPhoto(ligne, p))
                suivi.PhotoTrouvee(platform::TexteDuBalisage(p.PhotoAdresse));
            suivi.Progression(80);
        }
        suivi.Etape(enCours);
        if (p.Liste[4].isEmpty()) {
            LireVerre(ligne, p);
            suivi.Progression(90);
        }
        if (Contient(ligne, "histoire du cocktail")) {
            DansHistoire = true;
            p.Saisie[3].clear();
            nettoyages = 0;
            suivi.Progression(80);
        }
        if (Contient(ligne, "commentaires de la recette")) {
            DansHistoire = false;
            ++nettoyages;
        }
        if (DansHistoire) {
            if (nettoyages > 0) nettoyer();
            AjouterHistoire(ligne, p);
        }
        if (LirePreparationAncienne(ligne, p, site)) suivi.Progression(100);
        suivi.Progression(100);
    }
    nettoyer();
    PourChaqueTexte(p, [](QString& t) { t = TelQueLaPageLeMontre(std::move(t)); });
    affiche = std::move(p);
    return compteur;
}

// ------------------------------------------------------ on the window

namespace {

// Fetches the photo and shows it in the window's frame. A failed fetch, an
// error status or a body that is no picture leaves no photo at all (nothing
// half kept for the creation) and is told in French. One photo at a time:
// asked again while one is awaited (the browser reloading the photo's page
// meanwhile), nothing starts and false is returned.
bool ChargerPhoto(Facile& f, const QString& adresse) {
    if (platform::Inet::EnAttente()) return false;
    Frmmain::Instance().Timer1.stop();
    f.LPB.SetCaption(QStringLiteral("Debut recherche photo ..."));
    platform::Transfert t;
    {
        const platform::Hourglass sablier;
        t = f.RecevoirPhoto(adresse);
    }
    PhotoTaille = 0;
    f.LPB.SetCaption(QStringLiteral("Fin recherche photo ..."));
    QPixmap image;
    if (!t.ok || !image.loadFromData(t.octets)) {
        PhotoOctets.clear();
        f.Photo.SetPicture(QPixmap());
        f.Photo.Tag.clear();
        const QString raison =
            t.ok ? QStringLiteral("Photo non reçue : le fichier n'est pas une image")
                 : QStringLiteral("Photo non reçue : ") + t.erreur;
        f.LPB.SetCaption(raison);
        f.Status.SetCaption(raison);
        return true;
    }
    PhotoOctets = t.octets;
    PhotoTaille = PhotoOctets.size();
    f.Pb.SetValue(95);
    f.LPB.SetCaption(QStringLiteral("Affichage photo ..."));
    f.Photo.SetPicture(QPixmap());
    platform::Resume([&] { f.Photo.SetPicture(image); });
    platform::Resume([&] { Frmmain::Instance().ImageTemp.SetPicture(image); });
    platform::Resume([&] { ChargerAlbums::AjusterPhoto(f.CadrePhoto, f.Photo); });
    f.Photo.Tag = adresse;
    return true;
}

class SuiviFenetre : public Suivi {
public:
    explicit SuiviFenetre(Facile& f) : f_(f) {}
    // Told on every line: only a change reaches the controls.
    void Progression(int pb) override {
        if (f_.Pb.Value() != pb) f_.Pb.SetValue(pb);
    }
    void Etape(const QString& lpb) override {
        if (f_.LPB.Caption() != lpb) f_.LPB.SetCaption(lpb);
    }
    void PhotoTrouvee(const QString& adresse) override {
        f_.Photo.setToolTip(adresse);
        ChargerPhoto(f_, adresse);
    }

private:
    Facile& f_;
};

}  // namespace

void AnalyserPage(const QString& page) {
    Facile& f = Facile::Instance();
    f.Photo.setToolTip(QString());
    f.LPB.SetCaption(QStringLiteral("Analyse en cours ..."));
    f.Pb.SetValue(0);
    f.Pb.show();
    f.LPB.show();
    f.setEnabled(false);
    int compteur = 0;
    {
        // The window comes back on every way out.
        platform::Finally fin([&f] {
            Frmmain::Instance().Timer1.start();
            f.setEnabled(true);
            f.Pb.hide();
            f.LPB.hide();
        });
        const platform::Hourglass sablier;
        Panneau p = f.LirePanneau();
        SuiviFenetre suivi(f);
        compteur = Lire(page, p, suivi, Site::Configure());
        f.EcrirePanneau(p);
        if (compteur > kLignes && !f.FermetureDemandee()) {
            f.setEnabled(true);
            platform::MsgBox(MessageTropIngredients(), platform::vbExclamation, QString(), &f);
        }
    }
}

void TelechargerPhoto() {
    Facile& f = Facile::Instance();
    if (ChargerPhoto(f, f.Photo.toolTip())) f.Pb.SetValue(100);
}

}  // namespace Module1
