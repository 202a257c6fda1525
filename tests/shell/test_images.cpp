// Choosing a picture file and fitting a picture into its frame.
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QTimer>
#include <QtTest>

#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "shell/Frmmain.h"
#include "shell/Images.h"
#include "support/Fixture.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}

const QString kFilter =
    "Tous les fichiers images (*.bmp,*.jpg,*.jpeg,*.gif)|*.bmp;*.jpg;*.jpeg;*.gif";

QPixmap Filled(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::red);
    return p;
}

}  // namespace

class TestImages : public QObject {
    Q_OBJECT
private slots:
    void ajusterPhoto_data() {
        QTest::addColumn<double>("picW");
        QTest::addColumn<double>("picH");
        QTest::addColumn<double>("frameW");
        QTest::addColumn<double>("frameH");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("wide picture")
            << 2000.0 << 1000.0 << 3000.0 << 3000.0 << 50.0 << 775.0 << 2900.0 << 1450.0;
        QTest::newRow("tall picture")
            << 1000.0 << 2000.0 << 3000.0 << 3000.0 << 775.0 << 50.0 << 1450.0 << 2900.0;
        QTest::newRow("square in square")
            << 500.0 << 500.0 << 2000.0 << 2000.0 << 50.0 << 50.0 << 1900.0 << 1900.0;
        // Equal proportions take the width: the height branch would give 3800 x 1900.
        QTest::newRow("equal proportions, width branch")
            << 1000.0 << 500.0 << 4000.0 << 2000.0 << 50.0 << 25.0 << 3900.0 << 1950.0;
        // Offsets of 99.5 and 98.5 are rounded half to even before halving.
        QTest::newRow("offset 99.5 gives 50")
            << 2000.0 << 1801.0 << 1100.0 << 1000.0 << 50.0 << 50.0 << 1000.0 << 900.5;
        QTest::newRow("offset 98.5 gives 49")
            << 2000.0 << 1803.0 << 1100.0 << 1000.0 << 50.0 << 49.0 << 1000.0 << 901.5;
    }
    void ajusterPhoto() {
        QFETCH(double, picW);
        QFETCH(double, picH);
        QFETCH(double, frameW);
        QFETCH(double, frameH);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        Fixture fx;
        F().ImageTemp.SetWidth(picW);
        F().ImageTemp.SetHeight(picH);
        platform::Panel frame;
        frame.Move(0, 0, frameW, frameH);
        platform::PictureBox photo(&frame);
        ChargerAlbums::AjusterPhoto(frame, photo);
        QVERIFY(photo.Stretch());
        QCOMPARE(photo.Left(), left);
        QCOMPARE(photo.Top(), top);
        QCOMPARE(photo.Width(), width);
        QCOMPARE(photo.Height(), height);
    }

    void chercherImageCancelled() {
        Fixture fx;
        platform::CommonDialogSeam::Scripted seam({});
        platform::Panel frame;
        frame.Move(0, 0, 3000, 3000);
        platform::PictureBox photo(&frame);
        photo.SetPicture(Filled(10, 20));
        photo.Move(100, 200, 300, 400);
        photo.SetVisible(true);
        photo.Tag = "/ancienne/photo.jpg";
        F().CommonDialog1.FileName = "reste d'un appel précédent.bmp";

        QVERIFY(!General::ChercherImage(photo, frame));

        const auto calls = platform::CommonDialogSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(!calls[0].save);
        QCOMPARE(calls[0].title, QString("Chercher une image"));
        QCOMPARE(calls[0].filter, kFilter);
        QCOMPARE(calls[0].qtFilter, QString("Tous les fichiers images (*.bmp,*.jpg,*.jpeg,*.gif) "
                                            "(*.bmp *.jpg *.jpeg *.gif)"));
        QCOMPARE(calls[0].fileName, QString());
        QCOMPARE(photo.Tag, QString("/ancienne/photo.jpg"));
        QCOMPARE(photo.Picture().size(), QSize(10, 20));
        QCOMPARE(photo.Left(), 100.0);
        QCOMPARE(photo.Height(), 400.0);
        QVERIFY(photo.Visible());
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
    }

    void chercherImageChosen() {
        Fixture fx;
        const QString file = fx.Dir() + "/verre.bmp";
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(file, "BMP"));
        platform::CommonDialogSeam::Scripted seam({file});
        platform::Panel frame;
        frame.Move(0, 0, 3000, 3000);
        platform::PictureBox photo(&frame);
        photo.SetVisible(true);

        QVERIFY(General::ChercherImage(photo, frame));

        QCOMPARE(photo.Tag, file);
        QCOMPARE(photo.Picture().size(), QSize(40, 20));
        // The hidden reference holds the natural size: 15 twips a pixel.
        QCOMPARE(F().ImageTemp.Width(), 600.0);
        QCOMPARE(F().ImageTemp.Height(), 300.0);
        QCOMPARE(photo.Width(), 2900.0);
        QCOMPARE(photo.Height(), 1450.0);
        QCOMPARE(photo.Top(), 775.0);
        QVERIFY(photo.Visible());
    }

    void chercherImageNotAPicture() {
        Fixture fx;
        const QString file = fx.Dir() + "/notes.jpg";
        Fixture::WriteFile(file, "ceci n'est pas une image");
        platform::CommonDialogSeam::Scripted seam({file});
        platform::Panel frame;
        frame.Move(0, 0, 3000, 3000);
        platform::PictureBox photo(&frame);
        photo.SetPicture(Filled(10, 20));
        photo.SetVisible(true);
        photo.Tag = "/ancienne/photo.jpg";

        QVERIFY(!General::ChercherImage(photo, frame));

        QVERIFY(photo.Visible());
        QCOMPARE(photo.Tag, QString("/ancienne/photo.jpg"));
        QCOMPARE(photo.Picture().size(), QSize(10, 20));
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(calls[0].prompt.contains(file));
        QVERIFY(calls[0].prompt.contains("pas une image"));
        QCOMPARE(calls[0].style, platform::vbExclamation + platform::vbOKOnly);
    }

    // Without the seam the real dialog runs: the name typed is returned as it
    // stands, an existing file is replaced without a question, and a
    // cancelled dialog leaves the name alone.
    void realDialog_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("accept");
        QTest::newRow("save over an existing file") << true << true;
        QTest::newRow("open") << false << true;
        QTest::newRow("cancel") << false << false;
    }
    void realDialog() {
        QFETCH(bool, save);
        QFETCH(bool, accept);
        Fixture fx;
        platform::CommonDialogSeam::Disable();
        const QString file = fx.Dir() + "/sauvegarde";
        Fixture::WriteFile(file, {});
        QString title, filter;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            title = d->windowTitle();
            filter = d->nameFilters().join(";;");
            d->selectFile(file);
            if (accept)
                static_cast<QDialog*>(d)->accept();
            else
                d->reject();
        });
        platform::CommonDialog dlg;
        dlg.DialogTitle = "Sauvegarder la base de donnée";
        dlg.Filter = "Tous les fichiers MDB (*.mdb)|*.mdb|Tout (*.*)|*.*";
        dlg.FileName = "avant";
        QCOMPARE(save ? dlg.ShowSave() : dlg.ShowOpen(), accept);
        QCOMPARE(title, QString("Sauvegarder la base de donnée"));
        QCOMPARE(filter, QString("Tous les fichiers MDB (*.mdb) (*.mdb);;Tout (*.*) (*.*)"));
        QCOMPARE(dlg.FileName, accept ? file : QString("avant"));
    }
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
