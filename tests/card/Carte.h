#pragma once

// A small collection for the recipe card's tests, and the roads a user
// takes to show a recipe and open its card.
#include <QImage>
#include <QtTest>
#include <functional>

#include "card/FicheAlbum.h"
#include "platform/Menu.h"
#include "platform/Printer.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"

namespace carte {

inline Frmmain& F() {
    return Frmmain::Instance();
}

inline FicheAlbum& C() {
    return FicheAlbum::Instance();
}

// Alpha (3 lines, photo), Bravo (5 lines), Charlie (2 lines, photo), Delta
// (no line) in Tropical; Echo (1 line) alone in Seule.
inline QString Seed(const QString& photo, const QString& prepaCharlie = QString()) {
    return QStringLiteral(R"({
  "categories": ["Tropical", "Seule"],
  "verres": [{"nom": "Tumbler"}, {"nom": "Coupe"}],
  "realisations": ["Au shaker", "Au verre"],
  "recettes": [
    {"nom": "Alpha", "categorie": "Tropical", "verre": "Tumbler", "realisation": "Au shaker",
     "cout": 2, "difficulte": 3, "teneur": 4, "photo": "%1",
     "lignes": [["4", "cl", "Rhum blanc"], ["2", "cl", "Citron vert"], ["1", "brin", "Menthe"]],
     "preparation": "Piler la menthe.", "deco": "Une feuille.", "description": "Frais.",
     "histoire": "Né à Cuba."},
    {"nom": "Bravo", "categorie": "Tropical", "verre": "Coupe", "realisation": "Au verre",
     "cout": 1, "difficulte": 1, "teneur": 1,
     "lignes": [["1", "cl", "Un"], ["2", "cl", "Deux"], ["3", "cl", "Trois"], ["4", "cl", "Quatre"],
                ["5", "cl", "Cinq"]]},
    {"nom": "Charlie", "categorie": "Tropical", "verre": "Coupe", "realisation": "Au shaker",
     "cout": 3, "difficulte": 2, "teneur": 5, "photo": "%1",
     "lignes": [["6", "cl", "Tequila"], ["2", "cl", "Triple sec"]],
     "preparation": "%2", "deco": "Sel sur le bord.",
     "description": "Classique mexicain.", "histoire": "Inventé vers 1940."},
    {"nom": "Delta", "categorie": "Tropical", "verre": "Coupe", "realisation": "Au shaker",
     "cout": 0, "difficulte": 0, "teneur": 0, "preparation": "Rien à piler."},
    {"nom": "Echo", "categorie": "Seule", "verre": "Tumbler", "realisation": "Au verre",
     "cout": 1, "difficulte": 1, "teneur": 2, "lignes": [["1", "trait", "Angostura"]]}
  ]})")
        .arg(photo, prepaCharlie.isEmpty() ? QStringLiteral("Secouer et servir.") : prepaCharlie);
}

// A 4:3 photo, green with a yellow square.
inline QImage Photo43() {
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(QColor(40, 160, 90));
    for (int y = 100; y < 200; ++y)
        for (int x = 150; x < 250; ++x) img.setPixelColor(x, y, QColor(230, 200, 40));
    return img;
}

// A started main window on the collection above, with a 4:3 photo file.
struct Demarre {
    Fixture fx;
    QString photo;
    explicit Demarre(const QString& prepaCharlie = QString())
        : Demarre(Photo43(), [&](const QString& p) { return Seed(p, prepaCharlie); }) {}
    // The same on a collection of the test's own, given the photo's path.
    Demarre(const QImage& image, const std::function<QString(const QString&)>& seed) {
        photo = fx.Dir() + QStringLiteral("/photo.png");
        if (!image.save(photo)) qFatal("photo");
        fx.WriteSeed(Fixture::Parse(seed(photo).toUtf8().constData()));
        platform::MenuSeam::Disable();
        platform::MenuSeam::Enable();
        if (!fx.StartMain()) qFatal("start");
    }
    ~Demarre() {
        platform::MenuSeam::Disable();
        platform::PrinterSeam::Disable();
        // The card only hides; each test starts on a fresh one.
        FicheAlbum::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// A click on a recipe of the upper list (kind 0).
inline void Montrer(const QString& nom) {
    platform::ListItem* it = Fixture::Entry(F().Liste, nom);
    if (!it) qFatal("no row %s", qPrintable(nom));
    F().Liste.Select(it);
    F().Liste_Click();
}

// The tool button that fills and opens the card.
inline void Ouvrir() {
    F().Outils[2]->ClickIt();
}

}  // namespace carte
