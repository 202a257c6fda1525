// The main window's layout for the screen size, and its skin pictures.
#include <QtTest>

#include "shell/Frmmain.h"
#include "support/Fixture.h"

namespace {
Frmmain& F() {
    return Frmmain::Instance();
}
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"}]})";

// Every piece's place, in twips, to compare two layouts.
QList<QRectF> Places() {
    Frmmain& f = F();
    QList<const platform::Twips<QFrame>*> frames = {
        &f.Fond,      &f.HautGauche, &f.Anim,     &f.Anim2,       &f.Coin,
        &f.HautDroit, &f.CoinGT,     &f.TopMenu,  &f.Tooltiptext, &f.BordGauche,
        &f.Gauche,    &f.TGauche,    &f.TCentre,  &f.BGauche,     &f.Fr_Droit,
        &f.TDroit,    &f.BDroit,     &f.BarreHor, &f.BasGauche,   &f.BasDroit};
    for (int i = 0; i < 2; ++i) frames << f.Cadre[i].get();
    for (const auto& p : f.c) frames << p.get();
    QList<QRectF> out;
    for (const auto* p : frames) out << QRectF(p->Left(), p->Top(), p->Width(), p->Height());
    for (const auto& p : f.Scroll) out << QRectF(p->Left(), p->Top(), p->Width(), p->Height());
    for (const platform::Label* l : {&f.LTGauche, &f.LTCentre2, &f.LBGauche, &f.LTDroit})
        out << QRectF(l->Left(), l->Top(), l->Width(), l->Height());
    for (const platform::ListView* l : {&f.Liste, &f.LFilms})
        out << QRectF(l->Left(), l->Top(), l->Width(), l->Height());
    return out;
}
}  // namespace

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void workedExample() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(12000, 9000));
        QCOMPARE(F().Gauche.Width(), 3290.0);
        QCOMPARE(F().Gauche.Height(), 6740.0);
        QCOMPARE(F().Fr_Droit.Width(), 6540.0);
        QCOMPARE(F().Fr_Droit.Height(), 6740.0);
        QCOMPARE(F().Fr_Droit.Left(), 5030.0);
        QCOMPARE(F().Liste.Width(), 2940.0);
        for (int i = 0; i < 2; ++i) QCOMPARE(F().Cadre[i]->Width(), 6190.0);
        // The content shows again at the end of the start-up.
        QCOMPARE(F().Fond.Width(), 12000.0);
    }

    void rightMargin_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("12000 twips") << 12000.0 << 9000.0;
        QTest::newRow("1024 pixels") << 15360.0 << 11520.0;
    }
    void rightMargin() {
        QFETCH(double, width);
        QFETCH(double, height);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(width, height));
        Frmmain& f = F();
        QCOMPARE(width - (f.Fr_Droit.Left() + f.Fr_Droit.Width()), 430.0);
        // The right block's border ends at its own edge.
        QCOMPARE(f.c[13]->Left() + f.c[13]->Width(), f.Fr_Droit.Width());
        QCOMPARE(f.c[12]->Left() + f.c[12]->Width(), f.Fr_Droit.Width());
        // The left block with its right border ends before the right block.
        QVERIFY(f.Gauche.Left() + f.c[1]->Left() + f.c[1]->Width() < f.Fr_Droit.Left());
    }

    void secondRunGivesTheSameGeometry() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(12000, 9000));
        const QList<QRectF> first = Places();
        F().AdapterEcran();
        QCOMPARE(Places(), first);
    }

    // Every piece is drawn at the size it has after the layout.
    void piecesHaveTheirPictures() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(15360, 11520));
        Frmmain& f = F();
        QList<const platform::Panel*> pieces = {
            &f.HautGauche, &f.Anim,       &f.Coin,     &f.HautDroit, &f.CoinGT,  &f.TopMenu,
            &f.Chargement, &f.BordGauche, &f.TGauche,  &f.TCentre,   &f.BGauche, &f.BDroit,
            &f.BarreHor,   &f.BasGauche,  &f.BasDroit, &f.Fond};
        for (const auto& p : f.c) pieces << p.get();
        for (const platform::Panel* p : pieces) {
            QVERIFY2(!p->Picture().isNull(), qPrintable(QString::number(pieces.indexOf(p))));
            QCOMPARE(p->Picture().size(), p->size());
        }
        // The heading of the right block takes the one of the left block.
        QCOMPARE(f.TDroit.Picture().cacheKey(), f.TGauche.Picture().cacheKey());
        // The list background goes to the lower list, the right block and
        // the scrolling panels.
        QVERIFY(!f.Liste.Picture().isNull());
        QCOMPARE(f.LFilms.Picture().cacheKey(), f.Liste.Picture().cacheKey());
        QCOMPARE(f.Fr_Droit.Picture().cacheKey(), f.Liste.Picture().cacheKey());
        QCOMPARE(f.Scroll[0]->Picture().cacheKey(), f.Liste.Picture().cacheKey());
        QCOMPARE(f.Img.Count(), 7);
        for (int i = 1; i <= 7; ++i) QVERIFY(!f.Img.ListImages(i).isNull());
    }

    void buttonsHaveThreePicturesAndAnIcon() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Frmmain& f = F();
        QList<platform::PictureButton*> buttons = {&f.Btn_Min, &f.Btn_Quit};
        for (auto& b : f.Outils) buttons << b.get();
        for (auto& b : f.Bouton) buttons << b.get();
        QSet<qint64> icons;
        for (platform::PictureButton* b : buttons) {
            QVERIFY(!b->PictureUp.isNull());
            QVERIFY(!b->PictureDn.isNull());
            QVERIFY(!b->PictureHover.isNull());
            QCOMPARE(b->PictureUp.size(), b->size());
            QCOMPARE(b->Picture.cacheKey(), b->PictureUp.cacheKey());
            if (b != &f.Btn_Min && b != &f.Btn_Quit) {
                QVERIFY(!b->Icon.isNull());
                icons.insert(b->Icon.cacheKey());
            }
        }
        // Each tool and sort button has its own icon.
        QCOMPARE(icons.size(), 19);
    }

    void textIsLightOnTheDarkSkin() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        Frmmain& f = F();
        QVERIFY(f.Liste.palette().color(QPalette::Text).lightness() > 180);
        for (const platform::Label* l : {&f.LTGauche, &f.LTCentre2, &f.LBGauche, &f.LTDroit})
            QVERIFY(l->ForeColor().lightness() > 150);
        QVERIFY(f.Tooltiptext.ForeColor().lightness() > 150);
        QCOMPARE(f.Tooltiptext.font().pointSizeF(), 9.0);
        QCOMPARE(f.Liste.font().pointSizeF(), 9.75);
        QVERIFY(f.BarreHor.font().bold());
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
