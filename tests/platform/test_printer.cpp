// The printer layer on a real PDF file: word-wrapped text cut at its box,
// vertical centring of single lines only, pictures brought down to the
// page's pixels, the dialog seam, nothing half written.
#include <QPageLayout>
#include <QtTest>

#include "platform/Printer.h"
#include "support/Pdf.h"

using namespace platform;
using pdf::Lettre;
using pdf::Pt;

class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { PrinterSeam::Disable(); }

    // A tall box: vertical centring only for a single line.
    void verticalCentringOnSingleLinesOnly() {
        QTemporaryDir dir;
        const QString f = dir.path() + "/v.pdf";
        PrinterSeam::UsePdf(f, Lettre(), 600);
        Printer& p = Printer::Current();
        QCOMPARE(p.ScaleWidth(), 4800.0);
        p.DrawText("Haut", {0, 0, 2000, 1200}, DT_WORDBREAK | DT_VCENTER | DT_CENTER);
        p.DrawText("Milieu", {2400, 0, 4400, 1200}, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        p.EndDoc();
        const auto mots = pdf::Mots(f);
        const pdf::Mot* haut = pdf::Trouver(mots, "Haut");
        const pdf::Mot* milieu = pdf::Trouver(mots, "Milieu");
        QVERIFY(haut && milieu);
        QVERIFY(haut->yMin < Pt(0) + 3);
        QVERIFY(std::abs((milieu->yMin + milieu->yMax) / 2 - Pt(600)) < 3);
        QVERIFY(std::abs((haut->xMin + haut->xMax) / 2 - Pt(1000)) < 2);
        QVERIFY(std::abs((milieu->xMin + milieu->xMax) / 2 - Pt(3400)) < 2);
    }

    // Lines below the box are cut off unless DT_NOCLIP; line ends break.
    void textCutAtTheBox() {
        QTemporaryDir dir;
        const QString f = dir.path() + "/c.pdf";
        PrinterSeam::UsePdf(f, Lettre(), 600);
        Printer& p = Printer::Current();
        p.FontSize = 10;
        const QString lignes = "un\r\ndeux\rtrois\nquatre\r\ncinq";
        p.DrawText(lignes, {0, 0, 2000, 250}, DT_WORDBREAK);
        p.DrawText(lignes.toUpper(), {2400, 0, 4400, 250}, DT_WORDBREAK | DT_NOCLIP);
        p.DrawText("unmotbienplusloooooooooooooooooongquesaboite", {0, 2000, 300, 2200},
                   DT_WORDBREAK);
        p.EndDoc();
        const auto mots = pdf::Mots(f);
        QVERIFY(pdf::Trouver(mots, "un"));
        QVERIFY(pdf::Trouver(mots, "deux"));
        QVERIFY(!pdf::Trouver(mots, "quatre"));
        QVERIFY(!pdf::Trouver(mots, "cinq"));
        for (const char* m : {"UN", "DEUX", "TROIS", "QUATRE", "CINQ"})
            QVERIFY2(pdf::Trouver(mots, m), m);
        QVERIFY(pdf::Trouver(mots, "DEUX")->yMin > pdf::Trouver(mots, "UN")->yMax - 1);
        // Cut at the right edge too: a word is never broken.
        const QImage page = pdf::Image(f, 150);
        const int droite = qRound((18 + 300 * 0.12) * 150 / 72.0);
        const int y = qRound((18 + 2040 * 0.12) * 150 / 72.0);
        bool encre = false, audela = false;
        for (int x = 0; x < droite - 2; ++x)
            for (int dy = -6; dy <= 6; ++dy) encre |= qGray(page.pixel(x, y + dy)) < 128;
        for (int x = droite + 2; x < droite + 200; ++x)
            for (int dy = -6; dy <= 6; ++dy) audela |= qGray(page.pixel(x, y + dy)) < 200;
        QVERIFY(encre);
        QVERIFY(!audela);
    }

    // A camera photo goes into the file at the pixels of its box, not whole.
    void pictureBroughtDownToItsBox() {
        QTemporaryDir dir;
        const QString f = dir.path() + "/i.pdf";
        PrinterSeam::UsePdf(f, Lettre(), 600);
        QImage img(4000, 3000, QImage::Format_RGB32);
        img.fill(QColor(200, 40, 40));
        Printer::Current().PaintPicture(QPixmap::fromImage(img), 116, 623, 1260.4, 945.3);
        Printer::Current().EndDoc();
        const auto calls = PrinterSeam::Calls();
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0].pictureSize, QSize(4000, 3000));
        QCOMPARE(calls[0].area, QRectF(116, 623, 1260.4, 945.3));
        const QString liste = pdf::Lancer("pdfimages", {"-list", f});
        const QStringList l = liste.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(l.size(), 3);  // two heading lines and one picture
        const QStringList champs = l[2].simplified().split(' ');
        QCOMPARE(champs[3], QString("1261"));
        QCOMPARE(champs[4], QString("946"));
        // A picture that is none is a failure of that step.
        QVERIFY_THROWS_EXCEPTION(PrinterError,
                                 Printer::Current().PaintPicture(QPixmap(), 0, 0, 10, 10));
    }

    // Nothing drawn, nothing sent; an abandoned document leaves no file and
    // the old one in place.
    void nothingHalfWritten() {
        QTemporaryDir dir;
        const QString f = dir.path() + "/n.pdf";
        PrinterSeam::UsePdf(f, Lettre(), 600);
        Printer::Current().EndDoc();
        QVERIFY(!QFile::exists(f));

        QFile old(f);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("ancien");
        old.close();
        Printer::Current().DrawText("x", {0, 0, 100, 100}, DT_WORDBREAK);
        QVERIFY(Printer::Current().Printing());
        Printer::Current().KillDoc();
        QVERIFY(!Printer::Current().Printing());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"n.pdf"});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("ancien"));
    }

    void dialogSeam() {
        PrinterSeam::AnswerDialog({true, false});
        QVERIFY(ShowPrinterDialog());
        QVERIFY(!ShowPrinterDialog());
        QVERIFY(!ShowPrinterDialog());
        QCOMPARE(PrinterSeam::DialogCalls(), 3);
    }
};

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
