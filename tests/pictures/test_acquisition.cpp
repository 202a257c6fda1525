// The picture window driven headless: its buttons and their enabling, the
// quarter turns and mirrors pixel for pixel, the fitting into the frame,
// opening and saving picture files, and the scanner road through a fake
// scanner library and through SANE's test backend.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "pictures/Acquisition.h"
#include "pictures/Scan.h"
#include "platform/AppFolder.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Scanner.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

using platform::CommonDialogSeam::Calls;
namespace Seam = platform::CommonDialogSeam;

namespace {
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"}]})";

const QString kErreurScanner = QStringLiteral(
    "                       Une erreur est survenue ...\r\r"
    "Veuillez vérifier votre Scanner et recommencer l'opération plus tard !");

Acquisition& A() {
    return Acquisition::Instance();
}

// Every pixel its own colour, so that any pixel out of place shows.
QImage Motif(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return img;
}

// A Windows metafile written record by record: a frame of its own when
// unitsPerInch is given (the placeable header), no pen, and shapes filled
// with plain brushes.
class Metafichier {
public:
    Metafichier& Rectangle(const QRect& r, QRgb c) {
        return Forme(0x041B, {Mot(r.bottom() + 1), Mot(r.right() + 1), Mot(r.top()), Mot(r.left())},
                     c);
    }
    Metafichier& Polygone(const QList<QPoint>& points, QRgb c) {
        QList<quint16> p{Mot(points.size())};
        for (const QPoint& pt : points) p << Mot(pt.x()) << Mot(pt.y());
        return Forme(0x0324, p, c);
    }
    // Black text in a bold font of that height, its top left corner at.
    Metafichier& Texte(const QPoint& at, int hauteur, const QByteArray& texte) {
        QByteArray police(18, 0);
        police[0] = char(-hauteur & 0xFF);
        police[1] = char((-hauteur >> 8) & 0xFF);
        police[8] = char(700 & 0xFF);
        police[9] = char(700 >> 8);
        police += QByteArray("Arial").leftJustified(32, 0);
        Enregistrement(formes_, 0x02FB, Mots(police));
        Enregistrement(formes_, 0x012D, {1});
        Enregistrement(formes_, 0x0209, {0, 0});
        QList<quint16> p{Mot(texte.size())};
        p << Mots(texte) << Mot(at.y()) << Mot(at.x());
        Enregistrement(formes_, 0x0521, p);
        Enregistrement(formes_, 0x01F0, {1});
        return *this;
    }
    // A map mode set before the window, as drawing programs write it.
    Metafichier& ModeDeMappage(quint16 mode) {
        mode_ = mode;
        return *this;
    }
    QByteArray Octets(const QRect& cadre, int unitsPerInch) const {
        QByteArray corps;
        if (mode_) Enregistrement(corps, 0x0103, {mode_});
        // Window origin and extent, then a null pen as object 0.
        Enregistrement(corps, 0x020B, {Mot(cadre.top()), Mot(cadre.left())});
        Enregistrement(corps, 0x020C, {Mot(cadre.height()), Mot(cadre.width())});
        Enregistrement(corps, 0x02FA, {5, 0, 0, 0, 0});
        Enregistrement(corps, 0x012D, {0});
        corps += formes_;
        Enregistrement(corps, 0x0000, {});
        QByteArray out;
        if (unitsPerInch > 0) {
            QList<quint16> p{0xCDD7,
                             0x9AC6,
                             0,
                             Mot(cadre.left()),
                             Mot(cadre.top()),
                             Mot(cadre.left() + cadre.width()),
                             Mot(cadre.top() + cadre.height()),
                             Mot(unitsPerInch),
                             0,
                             0};
            quint16 somme = 0;
            for (quint16 m : p) somme ^= m;
            p << somme;
            for (quint16 m : p) Ajouter(out, m);
        }
        const quint32 mots = 9 + static_cast<quint32>(corps.size() / 2);
        for (quint16 m : {quint16(1), quint16(9), quint16(0x0300), quint16(mots & 0xFFFF),
                          quint16(mots >> 16), quint16(2), quint16(max_), quint16(0), quint16(0)})
            Ajouter(out, m);
        return out + corps;
    }

private:
    static quint16 Mot(int v) { return static_cast<quint16>(static_cast<qint16>(v)); }
    static QList<quint16> Mots(QByteArray b) {
        if (b.size() % 2) b.append('\0');
        QList<quint16> out;
        for (qsizetype i = 0; i < b.size(); i += 2)
            out << quint16(uchar(b[i]) | (uchar(b[i + 1]) << 8));
        return out;
    }
    static void Ajouter(QByteArray& b, quint16 m) {
        b.append(char(m & 0xFF));
        b.append(char(m >> 8));
    }
    void Enregistrement(QByteArray& b, quint16 fonction, const QList<quint16>& params) const {
        const auto taille = static_cast<quint32>(3 + params.size());
        max_ = std::max(max_, taille);
        Ajouter(b, quint16(taille & 0xFFFF));
        Ajouter(b, quint16(taille >> 16));
        Ajouter(b, fonction);
        for (quint16 m : params) Ajouter(b, m);
    }
    // A brush of that colour as object 1, the shape, and the brush deleted.
    Metafichier& Forme(quint16 fonction, const QList<quint16>& params, QRgb c) {
        Enregistrement(formes_, 0x02FC,
                       {0, quint16(qRed(c) | (qGreen(c) << 8)), quint16(qBlue(c)), 0});
        Enregistrement(formes_, 0x012D, {1});
        Enregistrement(formes_, fonction, params);
        Enregistrement(formes_, 0x01F0, {1});
        return *this;
    }
    QByteArray formes_;
    quint16 mode_ = 0;
    mutable quint32 max_ = 9;
};

const QRgb kRouge = qRgb(255, 0, 0);
const QRgb kBleu = qRgb(0, 0, 255);
const QRgb kBlanc = qRgb(255, 255, 255);
const QRgb kVert = qRgb(0, 255, 0);
const QRgb kJaune = qRgb(255, 255, 0);
const QRgb kNoir = qRgb(0, 0, 0);

// A frame of 200 x 100 units at 96 to the inch: red on the left half, a
// blue triangle in the top right corner.
QByteArray Dessin() {
    return Metafichier()
        .Rectangle({0, 0, 100, 100}, kRouge)
        .Polygone({{100, 0}, {200, 0}, {200, 100}}, kBleu)
        .Octets({0, 0, 200, 100}, 96);
}

using Points = QList<QPair<QPoint, QRgb>>;

// The points whose colour is not the one expected, with the colour found.
QString Ecarts(const QImage& img, const Points& points) {
    QString out;
    for (const auto& [pt, c] : points)
        if (img.pixel(pt) != c)
            out += QString("(%1, %2): %3 ").arg(pt.x()).arg(pt.y()).arg(img.pixel(pt), 0, 16);
    return out;
}

// A scanner library that says what the test wants.
class FauxScanner : public platform::ScannerBackend {
public:
    std::optional<QList<platform::ScanSource>> sources =
        QList<platform::ScanSource>{{"faux:0", "Brivanta", "Essai", "flatbed scanner"}};
    platform::ScanResult resultat;
    std::optional<QList<platform::ScanSource>> Sources() override { return sources; }
    platform::ScanResult Acquire(const QString&, int) override { return resultat; }
};

// The main window started and the picture window opened on it, as tool
// button 3 does; unloaded with every seam at the end.
struct Ouverte {
    Fixture fx;
    Ouverte() {
        fx.WriteSeed(kSeed);
        if (!fx.StartMain()) qFatal("main window");
        Seam::Disable();
        Seam::Enable();
        platform::ScannerSeam::Disable();
        platform::ScannerSeam::Enable();
        Frmmain::Instance().Outils[3]->ClickIt();
    }
    ~Ouverte() {
        Acquisition::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Seam::Disable();
        platform::ScannerSeam::Disable();
    }
    QString Fichier(const QString& name, const QImage& img, const char* format = "BMP") const {
        const QString path = fx.Dir() + "/" + name;
        QImageWriter w(path, format);
        if (!w.write(img)) qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Opens the file through the window's Ouvrir button.
    void Ouvrir(const QString& path) {
        Seam::Answer({path});
        A().Btn_ScanS[Acquisition::kOuvrir]->ClickIt();
    }
    void Clic(int i) { A().Btn_ScanS[static_cast<size_t>(i)]->ClickIt(); }
    // A picture from a scanner that gives it.
    void Scanner(const QImage& img) {
        auto faux = std::make_shared<FauxScanner>();
        faux->resultat = {true, img};
        platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({"faux:0"});
        Clic(Acquisition::kScanner);
    }
};

QList<bool> Actifs() {
    QList<bool> out;
    for (auto& b : A().Btn_ScanS) out << b->isEnabled();
    return out;
}
const QList<bool> kVide{false, false, true, false, false, false, true};
const QList<bool> kImage{true, true, true, true, true, true, true};

QImage Montree() {
    return A().PhotoScan.Picture();
}

bool Entier(double v) {
    return v == std::floor(v);
}

QStringList Messages() {
    QStringList out;
    for (const auto& c : platform::MessageSeam::Calls()) out << c.prompt;
    return out;
}
}  // namespace

class TestAcquisition : public QObject {
    Q_OBJECT
private slots:
    // SANE reads where its configuration lies once per process.
    void initTestCase() {
        QVERIFY(sane_.isValid());
        Fixture::WriteFile(sane_.path() + "/dll.conf", "test\n");
        Fixture::WriteFile(sane_.path() + "/test.conf",
                           "test-picture \"Color pattern\"\nresolution 25\n");
        qputenv("SANE_CONFIG_DIR", (sane_.path() + ":").toUtf8());
    }

    void loadsEmptyOnItsFrame() {
        Ouverte o;
        Acquisition& a = A();
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Acquisition"});
        QCOMPARE(int(General::FenetreReduite), 3);
        QCOMPARE(a.CodeFenetre, short(3));
        QCOMPARE(a.Titre[2]->Caption(), QString("Acquisition d'image"));
        QCOMPARE(a.Titre[3]->Caption(), QString("Acquisition d'image"));
        QCOMPARE(a.windowIcon().cacheKey(), Frmmain::Instance().windowIcon().cacheKey());
        QCOMPARE(a.Fond.Picture().cacheKey(), Frmmain::Instance().Fond.Picture().cacheKey());
        QCOMPARE(Actifs(), kVide);
        QVERIFY(Montree().isNull());
        QVERIFY(a.PhotoScan.Tag.isEmpty());
        QVERIFY(!a.PbCadre.Visible());
        QVERIFY(!a.PhotoScan1.Visible());
        QVERIFY(!a.PhotoScan2.Visible());
        QCOMPARE(a.Cadre.palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(a.Label1.palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(a.Pb.palette().color(QPalette::Window), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(a.Cadre.Left(), 2805.0);
        QCOMPARE(a.Cadre.Width(), 6195.0);
        QCOMPARE(a.Label1.Left(), 2700.0);
        QCOMPARE(a.CadreListe[2]->Width(), 6600.0);
        QCOMPARE(a.PbCadre.Width(), 11600.0);
    }

    void buttons_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRectF>("geometry");
        QTest::newRow("0") << 0 << "90°  à Gauche" << QRectF(480, 3300, 2000, 1000);
        QTest::newRow("1") << 1 << "90°  à Droite" << QRectF(9240, 3300, 2000, 1000);
        QTest::newRow("2") << 2 << "Ouvrir" << QRectF(480, 1100, 2000, 900);
        QTest::newRow("3") << 3 << "Sauvegarder" << QRectF(9240, 1100, 2000, 900);
        QTest::newRow("4") << 4 << "Pivoter Horiz." << QRectF(9240, 5500, 2000, 1000);
        QTest::newRow("5") << 5 << "Pivoter Vertical." << QRectF(480, 5500, 2000, 1000);
        QTest::newRow("6") << 6 << "Scanner" << QRectF(5100, 130, 2000, 800);
    }
    void buttons() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QRectF, geometry);
        Ouverte o;
        BoutonScan& b = *A().Btn_ScanS[static_cast<size_t>(index)];
        QCOMPARE(b.Caption(), caption);
        QCOMPARE(QRectF(b.Left(), b.Top(), b.Width(), b.Height()), geometry);
        QVERIFY(!b.Icon.isNull());
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&b);
        QVERIFY(i);
        QCOMPARE(i->role(), QAccessible::Button);
        QCOMPARE(i->text(QAccessible::Name), caption);
        // Pointing turns the caption blue, leaving black again; a click
        // leaves it black too.
        emit b.MouseEnter();
        QCOMPARE(b.ForeColor, QColor(0, 0, 255));
        emit b.MouseLeave();
        QCOMPARE(b.ForeColor, QColor(0, 0, 0));
        emit b.MouseEnter();
        b.setEnabled(true);
        b.ClickIt();
        QCOMPARE(b.ForeColor, QColor(0, 0, 0));
        QVERIFY(!b.Value());
    }

    void openAPicture() {
        Ouverte o;
        const QImage img = Motif(300, 200);
        const QString path = o.Fichier("motif.bmp", img);
        o.Ouvrir(path);
        QCOMPARE(Actifs(), kImage);
        QCOMPARE(Montree(), img);
        QCOMPARE(A().PhotoScan1.Picture(), img);
        QCOMPARE(A().PhotoScan2.Picture(), img);
        QCOMPARE(A().PhotoScan.Tag, path);
        QVERIFY(A().PhotoScan.Visible());
        QVERIFY(A().PhotoScan.Stretch());
        QCOMPARE(Calls().size(), 1);
        const Seam::Call c = Calls().first();
        QVERIFY(!c.save);
        QCOMPARE(c.title, QString("Ouvrir un fichier image"));
        QCOMPARE(
            c.filter,
            QString("Tous les fichiers images (*.bmp;*.jpg;*.wmf;*.ico)|*.bmp;*.jpg;*.wmf;*.ico"));
        QCOMPARE(c.fileName, QString());
        QCOMPARE(c.initDir, o.fx.Dir() + "/image");
        // The next dialog starts where the last file was.
        Seam::Answer({});
        o.Clic(Acquisition::kOuvrir);
        QCOMPARE(Calls().last().initDir, path);
        QVERIFY(!platform::HourglassShown());
    }

    // A cancelled open changes nothing, whether a picture was shown or not.
    void cancelledOpen_data() {
        QTest::addColumn<bool>("avant");
        QTest::newRow("with a picture") << true;
        QTest::newRow("without") << false;
    }
    void cancelledOpen() {
        QFETCH(bool, avant);
        Ouverte o;
        const QImage img = Motif(40, 30);
        const QString path = o.Fichier("motif.bmp", img);
        if (avant) o.Ouvrir(path);
        o.Ouvrir(QString());
        QCOMPARE(Actifs(), avant ? kImage : kVide);
        QCOMPARE(Montree(), avant ? img : QImage());
        QCOMPARE(A().PhotoScan.Tag, avant ? path : QString());
        QVERIFY(Messages().isEmpty());
    }

    void fileThatIsNoPicture_data() {
        QTest::addColumn<bool>("avant");
        QTest::newRow("with a picture") << true;
        QTest::newRow("without") << false;
    }
    void fileThatIsNoPicture() {
        QFETCH(bool, avant);
        Ouverte o;
        const QImage img = Motif(40, 30);
        const QString path = o.Fichier("motif.bmp", img);
        if (avant) o.Ouvrir(path);
        const QString faux = o.fx.Dir() + "/recette.jpg";
        Fixture::WriteFile(faux, "pas une image");
        o.Ouvrir(faux);
        QCOMPARE(Messages(), QStringList{QString("Le fichier « %1 » ne peut pas être ouvert : ce "
                                                 "n'est pas une image que le programme sait lire.")
                                             .arg(faux)});
        QCOMPARE(Actifs(), avant ? kImage : kVide);
        QCOMPARE(Montree(), avant ? img : QImage());
        QCOMPARE(A().PhotoScan.Tag, avant ? path : QString());
        QVERIFY(A().PhotoScan.Visible());
    }

    void pictureTooLarge() {
        Ouverte o;
        // A bitmap header that announces 10000 × 6000 points.
        QByteArray bmp("BM");
        auto le = [&](quint32 v, int n) {
            for (int i = 0; i < n; ++i) bmp.append(char((v >> (8 * i)) & 0xff));
        };
        le(54 + 4, 4), le(0, 4), le(54, 4), le(40, 4), le(10000, 4), le(6000, 4), le(1, 2),
            le(24, 2), le(0, 4), le(4, 4), le(2835, 4), le(2835, 4), le(0, 4), le(0, 4), le(0, 4);
        const QString path = o.fx.Dir() + "/grande.bmp";
        Fixture::WriteFile(path, bmp);
        o.Ouvrir(path);
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages().first().contains("dépasse 50 millions de points"));
        QCOMPARE(Actifs(), kVide);
    }

    // Beyond the picture reader's own allocation limit, below 50 megapixels.
    void largePictureOpens() {
        Ouverte o;
        QImage img(6000, 6000, QImage::Format_RGB32);
        img.fill(qRgb(200, 30, 60));
        img.setPixel(5999, 5999, qRgb(1, 2, 3));
        const QString path = o.Fichier("grande.png", img, "PNG");
        o.Ouvrir(path);
        QVERIFY(Messages().isEmpty());
        QCOMPARE(A().PhotoScan1.Picture().size(), QSize(6000, 6000));
        QCOMPARE(A().PhotoScan1.Picture().pixel(5999, 5999), qRgb(1, 2, 3));
    }

    // Windows metafiles are drawn at their own size: their frame at 96
    // pixels to the inch, or their drawing one pixel to the point.
    void metafiles_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<Points>("points");
        const Points dessin{{{50, 50}, kRouge},  {{5, 95}, kRouge},  {{190, 10}, kBleu},
                            {{110, 90}, kBlanc}, {{150, 20}, kBleu}, {{160, 80}, kBlanc}};
        QTest::newRow("frame at 96 units to the inch")
            << "dessin.wmf" << Dessin() << QSize(200, 100) << dessin;
        QTest::newRow("named in capitals") << "DESSIN.WMF" << Dessin() << QSize(200, 100) << dessin;
        QTest::newRow("frame in twips, drawing in its middle")
            << "marges.wmf"
            << Metafichier()
                   .Rectangle({1000, 500, 1440, 720}, kBleu)
                   .Octets({280, 140, 2880, 1440}, 1440)
            << QSize(192, 96)
            << Points{{{10, 10}, kBlanc},  {{40, 20}, kBlanc}, {{50, 26}, kBleu},
                      {{100, 50}, kBleu},  {{142, 70}, kBleu}, {{150, 50}, kBlanc},
                      {{100, 76}, kBlanc}, {{180, 90}, kBlanc}};
        QTest::newRow("without a frame")
            << "simple.wmf"
            << Metafichier().Rectangle({0, 0, 120, 80}, kRouge).Octets({0, 0, 120, 80}, 0)
            << QSize(121, 81) << Points{{{60, 40}, kRouge}, {{3, 3}, kRouge}, {{115, 75}, kRouge}};
    }
    void metafiles() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        QFETCH(QSize, taille);
        QFETCH(Points, points);
        Ouverte o;
        const QString path = o.fx.Dir() + "/" + nom;
        Fixture::WriteFile(path, octets);
        o.Ouvrir(path);
        QCOMPARE(Messages(), QStringList{});
        const QImage img = A().PhotoScan1.Picture();
        QCOMPARE(img.size(), taille);
        QCOMPARE(Ecarts(img, points), QString());
        QCOMPARE(Montree(), img);
        QCOMPARE(A().PhotoScan2.Picture(), img);
        QCOMPARE(A().PhotoScan.Tag, path);
        QCOMPARE(Actifs(), kImage);
    }

    // Drawing programs set a map mode and a window, and no viewport: the
    // whole drawing fills the picture, at its frame's size when it has one.
    void metafilesWithAMapMode_data() {
        QTest::addColumn<quint16>("mode");
        QTest::addColumn<int>("unitsPerInch");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("anisotropic, framed") << quint16(8) << 500 << QSize(192, 96);
        QTest::newRow("anisotropic, framed in twips") << quint16(8) << 1440 << QSize(67, 33);
        QTest::newRow("anisotropic, without a frame") << quint16(8) << 0 << QSize();
        QTest::newRow("text mode set, framed") << quint16(1) << 500 << QSize(192, 96);
    }
    void metafilesWithAMapMode() {
        QFETCH(quint16, mode);
        QFETCH(int, unitsPerInch);
        QFETCH(QSize, taille);
        // A window of 1000 x 500 units from (100, 50): a quarter of it in
        // each colour, and a black square in its middle.
        const QByteArray octets = Metafichier()
                                      .ModeDeMappage(mode)
                                      .Rectangle({100, 50, 500, 250}, kRouge)
                                      .Rectangle({600, 50, 500, 250}, kBleu)
                                      .Rectangle({100, 300, 500, 250}, kVert)
                                      .Rectangle({600, 300, 500, 250}, kJaune)
                                      .Rectangle({550, 275, 100, 50}, kNoir)
                                      .Octets({100, 50, 1000, 500}, unitsPerInch);
        Ouverte o;
        const QString path = o.fx.Dir() + "/inkscape.wmf";
        Fixture::WriteFile(path, octets);
        o.Ouvrir(path);
        QCOMPARE(Messages(), QStringList{});
        const QImage img = A().PhotoScan1.Picture();
        if (taille.isValid()) QCOMPARE(img.size(), taille);
        QVERIFY(img.width() > 20 && img.height() > 10);
        const int d = img.width() - 3, b = img.height() - 3;
        const Points points{{{2, 2}, kRouge},
                            {{d, 2}, kBleu},
                            {{2, b}, kVert},
                            {{d, b}, kJaune},
                            {{img.width() / 2, img.height() / 2}, kNoir}};
        QCOMPARE(Ecarts(img, points), QString());
        QCOMPARE(Montree(), img);
    }

    // Text is drawn where the metafile puts it (its descenders below the
    // height asked), in the fonts the set-up installs.
    void metafileWithText() {
        Ouverte o;
        const QString path = o.fx.Dir() + "/texte.wmf";
        Fixture::WriteFile(
            path, Metafichier().Texte({10, 30}, 40, "Mojito").Octets({0, 0, 200, 100}, 96));
        o.Ouvrir(path);
        QVERIFY(Messages().isEmpty());
        const QImage img = A().PhotoScan1.Picture();
        QCOMPARE(img.size(), QSize(200, 100));
        int dedans = 0, dehors = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                if (qGray(img.pixel(x, y)) >= 128) continue;
                (x >= 10 && y >= 30 && y < 85 ? dedans : dehors)++;
            }
        QVERIFY2(dedans > 300, qPrintable(QString::number(dedans)));
        QCOMPARE(dehors, 0);
    }

    // An opened metafile turns, mirrors and saves as a bitmap like any picture.
    void metafileTurnsMirrorsAndSaves() {
        Ouverte o;
        const QString path = o.fx.Dir() + "/dessin.wmf";
        Fixture::WriteFile(path, Dessin());
        o.Ouvrir(path);
        const QImage img = A().PhotoScan1.Picture();
        QCOMPARE(img.size(), QSize(200, 100));
        o.Clic(Acquisition::kGauche);
        const QImage g = A().PhotoScan1.Picture();
        QCOMPARE(g.size(), QSize(100, 200));
        for (int y = 0; y < 100; y += 3)
            for (int x = 0; x < 200; x += 7) QCOMPARE(g.pixel(y, 199 - x), img.pixel(x, y));
        // Red is now at the bottom, blue at the top left.
        QCOMPARE(g.pixel(50, 150), kRouge);
        QCOMPARE(g.pixel(10, 10), kBleu);
        o.Clic(Acquisition::kHorizontal);
        const QImage m = A().PhotoScan1.Picture();
        QCOMPARE(m, g.mirrored(true, false));
        QCOMPARE(m.pixel(89, 10), kBleu);
        const QString cible = o.fx.Dir() + "/dessin.bmp";
        Seam::Answer({cible});
        o.Clic(Acquisition::kSauvegarder);
        QVERIFY(Messages().isEmpty());
        const QByteArray bytes = Fixture::ReadFile(cible);
        QVERIFY(bytes.startsWith("BM"));
        QImage relue;
        QVERIFY(relue.loadFromData(bytes, "BMP"));
        QCOMPARE(relue.convertToFormat(QImage::Format_RGB32), m);
        QCOMPARE(Actifs(), kVide);
    }

    // A metafile that cannot be drawn, or would be too large, is refused
    // like any other file, and the picture shown stays.
    void metafilesRefused_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("raison");
        const QString illisible = "ce n'est pas une image que le programme sait lire";
        const QByteArray d = Dessin();
        QTest::newRow("header alone") << d.left(22 + 18) << illisible;
        // Files that end inside the headers the reader looks at.
        QTest::newRow("empty") << QByteArray() << illisible;
        QTest::newRow("placeable key alone") << d.left(4) << illisible;
        QTest::newRow("placeable header cut") << d.left(22 + 6) << illisible;
        const QByteArray simple =
            Metafichier().Rectangle({0, 0, 10, 10}, kRouge).Octets({0, 0, 10, 10}, 0);
        QTest::newRow("plain header cut") << simple.left(6) << illisible;
        QTest::newRow("cut in a record") << d.left(22 + 18 + 10) << illisible;
        QByteArray demesure = d;
        // The first record claims far more than the file holds.
        demesure[22 + 18 + 2] = char(0x7F);
        QTest::newRow("record beyond the file") << demesure << illisible;
        QTest::newRow("frame too large")
            << Metafichier().Rectangle({0, 0, 10, 10}, kRouge).Octets({0, 0, 30000, 30000}, 10)
            << "l'image dépasse 50 millions de points";
    }
    void metafilesRefused() {
        QFETCH(QByteArray, octets);
        QFETCH(QString, raison);
        Ouverte o;
        const QImage img = Motif(40, 30);
        const QString photo = o.Fichier("motif.bmp", img);
        o.Ouvrir(photo);
        const QString path = o.fx.Dir() + "/dessin.wmf";
        Fixture::WriteFile(path, octets);
        o.Ouvrir(path);
        QCOMPARE(Messages(),
                 QStringList{
                     QString("Le fichier « %1 » ne peut pas être ouvert : %2.").arg(path, raison)});
        QCOMPARE(Montree(), img);
        QCOMPARE(A().PhotoScan.Tag, photo);
        QCOMPARE(Actifs(), kImage);
    }

    void quarterTurns() {
        Ouverte o;
        const QImage img = Motif(300, 200);
        o.Ouvrir(o.Fichier("motif.bmp", img));
        const QString brouillon = o.fx.Dir() + "/temp.bmp";
        o.Clic(Acquisition::kGauche);
        const QImage g = A().PhotoScan1.Picture();
        QCOMPARE(g.size(), QSize(200, 300));
        QCOMPARE(Montree(), g);
        for (int y = 0; y < 200; y += 7)
            for (int x = 0; x < 300; x += 11) QCOMPARE(g.pixel(y, 299 - x), img.pixel(x, y));
        // What was just below the centre (150, 100) is now just right of
        // the centre (100, 149.5).
        QCOMPARE(g.pixel(101, 149), img.pixel(150, 101));
        QVERIFY(QFile::exists(brouillon));
        QCOMPARE(QImage(brouillon).convertToFormat(QImage::Format_RGB32), g);
        QCOMPARE(Actifs(), kImage);
        QVERIFY(!A().PbCadre.Visible());
        QVERIFY(!A().Pb.Visible());
        QCOMPARE(A().Pb.Width(), 0.0);
        QVERIFY(!platform::HourglassShown());

        o.Clic(Acquisition::kDroite);
        QCOMPARE(A().PhotoScan1.Picture(), img);
        QCOMPARE(Montree(), img);
        QVERIFY(QFile::exists(brouillon));
        // The other way round gives the first picture back as well.
        o.Clic(Acquisition::kDroite);
        for (int y = 0; y < 200; y += 7)
            for (int x = 0; x < 300; x += 11)
                QCOMPARE(A().PhotoScan1.Picture().pixel(199 - y, x), img.pixel(x, y));
        o.Clic(Acquisition::kGauche);
        QCOMPARE(A().PhotoScan1.Picture(), img);
    }

    // Sizes beyond 16-bit coordinates, and pictures of one row or column.
    void turnsOfAnySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("70000 x 3") << QSize(70000, 3);
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("1 x 5") << QSize(1, 5);
        QTest::newRow("2 x 2") << QSize(2, 2);
    }
    void turnsOfAnySize() {
        QFETCH(QSize, size);
        Ouverte o;
        const QImage img = Motif(size.width(), size.height());
        o.Ouvrir(o.Fichier("motif.bmp", img));
        o.Clic(Acquisition::kGauche);
        QCOMPARE(A().PhotoScan1.Picture().size(), size.transposed());
        o.Clic(Acquisition::kDroite);
        QCOMPARE(A().PhotoScan1.Picture(), img);
    }

    void mirrors_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<bool>("gaucheDroite");
        QTest::newRow("left to right") << int(Acquisition::kHorizontal) << true;
        QTest::newRow("top to bottom") << int(Acquisition::kVertical) << false;
    }
    void mirrors() {
        QFETCH(int, bouton);
        QFETCH(bool, gaucheDroite);
        Ouverte o;
        const QImage img = Motif(300, 200);
        o.Ouvrir(o.Fichier("motif.bmp", img));
        const QString brouillon = o.fx.Dir() + "/temp.bmp";
        Fixture::WriteFile(brouillon, "BM");
        o.Clic(bouton);
        const QImage m = A().PhotoScan1.Picture();
        QCOMPARE(m.size(), img.size());
        QCOMPARE(Montree(), m);
        for (int y = 0; y < 200; y += 7)
            for (int x = 0; x < 300; x += 11)
                QCOMPARE(gaucheDroite ? m.pixel(299 - x, y) : m.pixel(x, 199 - y), img.pixel(x, y));
        QVERIFY(!QFile::exists(brouillon));
        QCOMPARE(Actifs(), kImage);
        QVERIFY(!platform::HourglassShown());
        o.Clic(bouton);
        QCOMPARE(A().PhotoScan1.Picture(), img);
    }

    // A turn whose scratch file cannot be written loses nothing.
    void turnWithoutItsScratchFile() {
        Ouverte o;
        const QImage img = Motif(30, 20);
        o.Ouvrir(o.Fichier("motif.bmp", img));
        QVERIFY(QDir(o.fx.Dir()).mkdir("temp.bmp"));
        o.Clic(Acquisition::kGauche);
        QCOMPARE(A().PhotoScan1.Picture().size(), QSize(20, 30));
        QCOMPARE(A().PhotoScan1.Picture().pixel(5, 29), img.pixel(0, 5));
        QVERIFY(Messages().isEmpty());
    }

    // While a turn yields to the event loop, nothing of the window can be
    // clicked; afterwards each button has its state back.
    void buttonsRestWhileATurnRuns() {
        Ouverte o;
        o.Ouvrir(o.Fichier("motif.bmp", Motif(50, 40)));
        QList<bool> pendant;
        bool barre = false, occupee = false;
        QTimer::singleShot(0, [&] {
            for (auto& b : A().Btn_ScanS) pendant << b->isEnabled();
            pendant << A().Mini.isEnabled() << A().Quit.isEnabled();
            barre = A().PbCadre.Visible() && A().Pb.Visible();
            occupee = A().Occupee();
            // A second turn asked meanwhile does not start.
            Scan::PivoterGauche();
            A().reject();
        });
        o.Clic(Acquisition::kGauche);
        QCOMPARE(pendant, QList<bool>(9, false));
        QVERIFY(barre);
        QVERIFY(occupee);
        QVERIFY(Acquisition::Loaded());
        QCOMPARE(A().PhotoScan1.Picture().size(), QSize(40, 50));
        QCOMPARE(Actifs(), kImage);
        QVERIFY(A().Mini.isEnabled());
        QVERIFY(A().Quit.isEnabled());
        QVERIFY(!A().Occupee());
    }

    void fitting_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("large");
        QTest::newRow("wide") << QSize(400, 100) << true;
        QTest::newRow("tall") << QSize(100, 400) << false;
        QTest::newRow("square") << QSize(120, 120) << true;
        QTest::newRow("odd") << QSize(333, 77) << true;
        QTest::newRow("odd tall") << QSize(77, 333) << false;
    }
    void fitting() {
        QFETCH(QSize, size);
        QFETCH(bool, large);
        Ouverte o;
        o.Ouvrir(o.Fichier("motif.bmp", Motif(size.width(), size.height())));
        const Acquisition& a = A();
        const double W = a.Cadre.Width(), H = a.Cadre.Height();
        const double w = size.width(), h = size.height();
        if (large) {
            QCOMPARE(a.PhotoScan.Width(), W - 50);
            QVERIFY(qAbs(a.PhotoScan.Height() - (W - 50) * h / w) < 0.01);
        } else {
            QCOMPARE(a.PhotoScan.Height(), H - 50);
            QVERIFY(qAbs(a.PhotoScan.Width() - (H - 50) * w / h) < 0.01);
        }
        QVERIFY(Entier(a.PhotoScan.Left()));
        QVERIFY(Entier(a.PhotoScan.Top()));
        QCOMPARE(a.PhotoScan.Left(),
                 a.Cadre.Left() + double(platform::IntDiv(W - a.PhotoScan.Width(), 2)));
        QCOMPARE(a.PhotoScan.Top(),
                 a.Cadre.Top() + double(platform::IntDiv(H - a.PhotoScan.Height(), 2)));
    }

    // Fitting with no picture divides by nothing.
    void fittingWithoutPicture() {
        Ouverte o;
        A().PhotoScan1.SetPicture(QImage());
        A().PhotoScan1.Move(0, 0, 0, 0);
        const double l = A().PhotoScan.Left(), w = A().PhotoScan.Width();
        Scan::AjusterScan();
        Scan::AjusterCadre(0, 10);
        QCOMPARE(A().PhotoScan.Left(), l);
        QCOMPARE(A().PhotoScan.Width(), w);
        QVERIFY(std::isfinite(A().PhotoScan.Height()));
    }

    void save_data() {
        QTest::addColumn<QString>("ouvert");
        QTest::addColumn<QString>("propose");
        QTest::addColumn<QString>("filtre");
        QTest::addColumn<QString>("choisi");
        const QString bmp = "Format Bitmap (*.bmp)|*.bmp";
        const QString tous = "Tous les fichiers images (*.bmp;*.wmf;*.ico)|*.bmp;*.wmf;*.ico";
        QTest::newRow("jpg") << "photo.jpg"
                             << "photo.bmp" << bmp << "photo.bmp";
        QTest::newRow("JPG") << "PHOTO.JPG"
                             << "PHOTO.JPG" << tous << "copie.bmp";
        QTest::newRow("bmp") << "photo.bmp"
                             << "photo.bmp" << tous << "autre.bmp";
        QTest::newRow("wmf name") << "photo.bmp"
                                  << "photo.bmp" << tous << "dessin.wmf";
        QTest::newRow("ico name") << "photo.bmp"
                                  << "photo.bmp" << tous << "icone.ico";
    }
    void save() {
        QFETCH(QString, ouvert);
        QFETCH(QString, propose);
        QFETCH(QString, filtre);
        QFETCH(QString, choisi);
        Ouverte o;
        const QImage img = Motif(64, 48);
        const QString path =
            o.Fichier(ouvert, img, ouvert.endsWith("jpg", Qt::CaseInsensitive) ? "PNG" : "BMP");
        o.Ouvrir(path);
        o.Clic(Acquisition::kGauche);
        const QImage tournee = A().PhotoScan1.Picture();
        const QString cible = o.fx.Dir() + "/" + choisi;
        Seam::Answer({cible});
        o.Clic(Acquisition::kSauvegarder);
        const Seam::Call c = Calls().last();
        QVERIFY(c.save);
        QCOMPARE(c.fileName, o.fx.Dir() + "/" + propose);
        QCOMPARE(c.filter, filtre);
        QCOMPARE(c.title, QString("Ouvrir un fichier image"));
        QCOMPARE(c.initDir, path);
        // Always a bitmap, whatever the name.
        const QByteArray bytes = Fixture::ReadFile(cible);
        QVERIFY(bytes.startsWith("BM"));
        QImage relue;
        QVERIFY(relue.loadFromData(bytes, "BMP"));
        QCOMPARE(relue.convertToFormat(QImage::Format_RGB32), tournee);
        QVERIFY(Montree().isNull());
        QCOMPARE(Actifs(), kVide);
        QVERIFY(Messages().isEmpty());
        QVERIFY(QDir(o.fx.Dir()).entryList({"*.tmp", "*~"}, QDir::Files).isEmpty());
        // A bitmap under another name opens again as what it is.
        o.Ouvrir(cible);
        QCOMPARE(A().PhotoScan1.Picture(), tournee);
    }

    void saveCancelled() {
        Ouverte o;
        const QImage img = Motif(64, 48);
        o.Ouvrir(o.Fichier("photo.bmp", img));
        Seam::Answer({});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Montree(), img);
        QCOMPARE(Actifs(), kImage);
        QCOMPARE(QDir(o.fx.Dir()).entryList({"*.bmp"}, QDir::Files), QStringList{"photo.bmp"});
    }

    void saveThatFails_data() {
        QTest::addColumn<QString>("cible");
        QTest::newRow("missing folder") << "absent/photo.bmp";
        QTest::newRow("a folder by that name") << "dossier";
    }
    void saveThatFails() {
        QFETCH(QString, cible);
        Ouverte o;
        QVERIFY(QDir(o.fx.Dir()).mkdir("dossier"));
        const QImage img = Motif(64, 48);
        o.Ouvrir(o.Fichier("photo.bmp", img));
        const QString path = o.fx.Dir() + "/" + cible;
        Seam::Answer({path});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages().first().startsWith(
            QString("L'image n'a pas pu être enregistrée dans « %1 ».").arg(path)));
        QCOMPARE(platform::MessageSeam::Calls().first().style, int(platform::vbExclamation));
        // The picture stays, and so do the buttons.
        QCOMPARE(Montree(), img);
        QCOMPARE(Actifs(), kImage);
        QVERIFY(!platform::HourglassShown());
    }

    void saveAsksBeforeReplacing_data() {
        QTest::addColumn<int>("reponse");
        QTest::newRow("yes") << int(platform::vbYes);
        QTest::newRow("no") << int(platform::vbNo);
    }
    void saveAsksBeforeReplacing() {
        QFETCH(int, reponse);
        Ouverte o;
        const QImage img = Motif(64, 48);
        o.Ouvrir(o.Fichier("photo.bmp", img));
        const QString existant = o.fx.Dir() + "/existant.bmp";
        Fixture::WriteFile(existant, "ancien");
        platform::MessageSeam::Answer({reponse});
        // On No, the dialog comes again; here it is then cancelled.
        Seam::Answer({existant, QString()});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Messages(),
                 QStringList{QString("Le fichier « %1 » existe déjà.\rVoulez-vous le remplacer ?")
                                 .arg(existant)});
        const bool oui = reponse == platform::vbYes;
        QCOMPARE(Calls().size(), oui ? 2 : 3);
        QCOMPARE(Fixture::ReadFile(existant).startsWith("BM"), oui);
        QCOMPARE(Montree().isNull(), oui);
        QCOMPARE(Actifs(), oui ? kVide : kImage);
    }

    void saveStartsInThePicturesFolder() {
        Ouverte o;
        auto faux = std::make_shared<FauxScanner>();
        faux->resultat = {true, Motif(30, 20)};
        platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({"faux:0"});
        o.Clic(Acquisition::kScanner);
        Seam::Answer({});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Calls().last().initDir, o.fx.Dir() + "/image");
    }

    // A save dialog starts in the folder of the last file opened, also after
    // a save into another folder; the open dialog too. The proposed name (the
    // file saved last) shows without its folder, in the start folder.
    void saveStartsInTheFolderOfTheLastFileOpened() {
        Ouverte o;
        const QString dir = o.fx.Dir();
        QVERIFY(QDir(dir).mkpath("a") && QDir(dir).mkpath("b"));
        const QString photo = o.Fichier("a/photo.jpg", Motif(64, 48), "PNG");
        o.Ouvrir(photo);
        Seam::Answer({dir + "/b/copie.bmp"});
        o.Clic(Acquisition::kSauvegarder);
        Seam::Call c = Calls().last();
        QCOMPARE(c.initDir, photo);
        QCOMPARE(c.startDir, dir + "/a");
        QCOMPARE(c.fileName, dir + "/a/photo.bmp");
        QCOMPARE(c.shownName, QString("photo.bmp"));
        QVERIFY(Fixture::ReadFile(dir + "/b/copie.bmp").startsWith("BM"));

        o.Scanner(Motif(30, 20));
        Seam::Answer({});
        o.Clic(Acquisition::kSauvegarder);
        c = Calls().last();
        QCOMPARE(c.initDir, photo);
        QCOMPARE(c.startDir, dir + "/a");
        QCOMPARE(c.fileName, dir + "/b/copie.bmp");
        QCOMPARE(c.shownName, QString("copie.bmp"));
        // A cancelled save leaves it so.
        Seam::Answer({});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Calls().last().startDir, dir + "/a");

        Seam::Answer({});
        o.Clic(Acquisition::kOuvrir);
        QCOMPARE(Calls().last().initDir, photo);
        QCOMPARE(Calls().last().startDir, dir + "/a");

        // Another file opened: the save starts by it.
        const QString autre = o.Fichier("autre.bmp", Motif(10, 10));
        o.Ouvrir(autre);
        Seam::Answer({});
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(Calls().last().initDir, autre);
        QCOMPARE(Calls().last().startDir, dir);
        QVERIFY(Messages().isEmpty());
    }

    // The real save dialog opens in the folder of the last file opened, with
    // the proposed name there, whatever folder that name was saved in, or
    // failed to be saved in.
    void realSaveDialogStartsInTheFolderOfTheLastFileOpened_data() {
        QTest::addColumn<QString>("cible");
        QTest::newRow("after a save elsewhere") << "b/copie.bmp";
        QTest::newRow("after a failed save") << "absent/copie.bmp";
    }
    void realSaveDialogStartsInTheFolderOfTheLastFileOpened() {
        QFETCH(QString, cible);
        Ouverte o;
        const QString dir = o.fx.Dir();
        QVERIFY(QDir(dir).mkpath("a") && QDir(dir).mkpath("b"));
        o.Ouvrir(o.Fichier("a/photo.bmp", Motif(64, 48)));
        Seam::Answer({dir + "/" + cible});
        o.Clic(Acquisition::kSauvegarder);
        o.Scanner(Motif(30, 20));
        Seam::Disable();
        QString ouvert, propose;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            ouvert = d->directory().absolutePath();
            propose = d->selectedFiles().value(0);
            d->reject();
        });
        o.Clic(Acquisition::kSauvegarder);
        QCOMPARE(ouvert, dir + "/a");
        QCOMPARE(propose, dir + "/a/copie.bmp");
        QCOMPARE(Actifs(), kImage);
    }

    void closingAndReopening() {
        Ouverte o;
        o.Ouvrir(o.Fichier("photo.bmp", Motif(64, 48)));
        A().Quit.ClickIt();
        QVERIFY(!Acquisition::Loaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frmmain::Instance().Outils[3]->ClickIt();
        QVERIFY(Acquisition::Loaded());
        QVERIFY(Montree().isNull());
        QVERIFY(A().PhotoScan.Tag.isEmpty());
        QCOMPARE(Actifs(), kVide);
        // Escape keeps the picture; the window manager's close closes it
        // as the button does.
        o.Ouvrir(o.Fichier("photo.bmp", Motif(64, 48)));
        QTest::keyClick(&A(), Qt::Key_Escape);
        QVERIFY(Acquisition::Loaded());
        QVERIFY(!Montree().isNull());
        A().reject();
        QVERIFY(!Acquisition::Loaded());
    }

    // While the scanner is busy, nothing of the window can be clicked.
    void buttonsRestWhileScanning() {
        Ouverte o;
        auto faux = std::make_shared<FauxScanner>();
        faux->resultat = {true, Motif(30, 20)};
        platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({"faux:0"});
        QList<bool> pendant;
        QTimer::singleShot(0, [&] {
            for (auto& b : A().Btn_ScanS) pendant << b->isEnabled();
            pendant << A().Mini.isEnabled() << A().Quit.isEnabled();
        });
        o.Clic(Acquisition::kScanner);
        QCOMPARE(pendant, QList<bool>(9, false));
        QCOMPARE(Actifs(), kImage);
        QVERIFY(A().Quit.isEnabled());
    }

    // Minimising keeps the picture; restoring shows the same window again.
    void minimiseAndRestore() {
        Ouverte o;
        const QImage img = Motif(64, 48);
        o.Ouvrir(o.Fichier("photo.bmp", img));
        A().Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 3);
        Pop::Instance().Restaurer();
        QCOMPARE(Montree(), img);
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"Acquisition", "Acquisition"}));
    }

    void scannerRefused_data() {
        QTest::addColumn<int>("cas");
        QTest::newRow("chooser cancelled") << 0;
        QTest::newRow("no scanner") << 1;
        QTest::newRow("library missing") << 2;
        QTest::newRow("SANE not found") << 3;
    }
    void scannerRefused() {
        QFETCH(int, cas);
        Ouverte o;
        auto faux = std::make_shared<FauxScanner>();
        if (cas == 1) faux->sources = QList<platform::ScanSource>{};
        if (cas == 2) faux->sources = std::nullopt;
        faux->resultat = {true, Motif(30, 20)};
        if (cas == 3)
            platform::ScannerSeam::UseLibrary(o.fx.Dir() + "/absent/libsane.so.1");
        else
            platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({QString()});
        QGuiApplication::clipboard()->setText("gardé");
        o.Clic(Acquisition::kScanner);
        QCOMPARE(Messages(), QStringList{kErreurScanner});
        QCOMPARE(platform::MessageSeam::Calls().first().style, int(platform::vbCritical));
        QCOMPARE(platform::MessageSeam::Calls().first().title, QString("Brivanta"));
        QCOMPARE(Actifs(), kVide);
        QVERIFY(Montree().isNull());
        // The clipboard is not touched before a scanner is chosen.
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("gardé"));
    }

    // Without SANE the window does everything but scan.
    void withoutTheScannerLibrary() {
        Ouverte o;
        platform::ScannerSeam::UseLibrary("libsane-absente.so.1");
        platform::ScannerSeam::Answer({"test:0"});
        const QImage img = Motif(30, 20);
        o.Ouvrir(o.Fichier("photo.bmp", img));
        o.Clic(Acquisition::kScanner);
        QCOMPARE(Messages(), QStringList{kErreurScanner});
        QVERIFY(platform::ScannerSeam::Calls().isEmpty());
        QCOMPARE(Montree(), img);
        QCOMPARE(Actifs(), kImage);
        o.Clic(Acquisition::kGauche);
        QCOMPARE(A().PhotoScan1.Picture().size(), QSize(20, 30));
        o.Clic(Acquisition::kHorizontal);
        const QString cible = o.fx.Dir() + "/tournee.bmp";
        Seam::Answer({cible});
        o.Clic(Acquisition::kSauvegarder);
        QVERIFY(Fixture::ReadFile(cible).startsWith("BM"));
        QCOMPARE(Messages().size(), 1);
        QCOMPARE(Actifs(), kVide);
    }

    // A scan that gives nothing leaves the frame and the buttons as they
    // were; the clipboard has been emptied.
    void scanGivingNothing_data() {
        QTest::addColumn<bool>("acquise");
        QTest::addColumn<bool>("avant");
        QTest::newRow("result 0") << false << false;
        QTest::newRow("result 0, picture shown") << false << true;
        QTest::newRow("empty clipboard") << true << false;
        QTest::newRow("empty clipboard, picture shown") << true << true;
    }
    void scanGivingNothing() {
        QFETCH(bool, acquise);
        QFETCH(bool, avant);
        Ouverte o;
        const QImage img = Motif(64, 48);
        if (avant) o.Ouvrir(o.Fichier("photo.bmp", img));
        auto faux = std::make_shared<FauxScanner>();
        faux->resultat = {acquise, QImage()};
        platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({"faux:0"});
        QGuiApplication::clipboard()->setImage(Motif(5, 5));
        o.Clic(Acquisition::kScanner);
        QVERIFY(QGuiApplication::clipboard()->image().isNull());
        QCOMPARE(Actifs(), avant ? kImage : kVide);
        QCOMPARE(Montree(), avant ? img : QImage());
        QCOMPARE(Messages(),
                 acquise ? QStringList{"Le scanner n'a transmis aucune image."} : QStringList{});
        QVERIFY(!platform::HourglassShown());
    }

    // A scanned picture: the full frame height when taller than the frame,
    // else its width less 10, centred on whole twips.
    void scanFitting_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("large");
        QTest::newRow("wide") << QSize(400, 100) << true;
        QTest::newRow("tall") << QSize(100, 400) << false;
        QTest::newRow("odd tall") << QSize(77, 333) << false;
    }
    void scanFitting() {
        QFETCH(QSize, size);
        QFETCH(bool, large);
        Ouverte o;
        o.Ouvrir(o.Fichier("photo.bmp", Motif(10, 10)));
        const QString tag = A().PhotoScan.Tag;
        const QImage avant2 = A().PhotoScan2.Picture();
        auto faux = std::make_shared<FauxScanner>();
        const QImage scan = Motif(size.width(), size.height());
        faux->resultat = {true, scan};
        platform::ScannerSeam::UseBackend(faux);
        platform::ScannerSeam::Answer({"faux:0"});
        o.Clic(Acquisition::kScanner);
        const Acquisition& a = A();
        QCOMPARE(a.PhotoScan1.Picture(), scan);
        QCOMPARE(Montree(), scan);
        const double W = a.Cadre.Width(), H = a.Cadre.Height();
        if (large)
            QCOMPARE(a.PhotoScan.Width(), W - 10);
        else
            QCOMPARE(a.PhotoScan.Height(), H);
        QVERIFY(Entier(a.PhotoScan.Left()));
        QVERIFY(Entier(a.PhotoScan.Top()));
        QCOMPARE(a.PhotoScan.Top(),
                 a.Cadre.Top() + double(platform::IntDiv(H - a.PhotoScan.Height(), 2)));
        // The scan is not the work surface's, and the last folder stays.
        QCOMPARE(a.PhotoScan.Tag, tag);
        QCOMPARE(a.PhotoScan2.Picture(), avant2);
        QCOMPARE(Actifs(), kImage);
    }

    // SANE's test backend as the scanner, in colour.
    void scanFromSane() {
        Ouverte o;
        platform::ScannerSeam::Answer({"test:0"});
        o.Clic(Acquisition::kScanner);
        QCOMPARE(platform::ScannerSeam::Calls(), (QList<QStringList>{{"test:0", "test:1"}}));
        const QImage img = A().PhotoScan1.Picture();
        QVERIFY(!img.isNull());
        QVERIFY(img.width() > 50 && img.height() > 50);
        bool couleur = false;
        for (int y = 0; y < img.height() && !couleur; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qRed(img.pixel(x, y)) != qGreen(img.pixel(x, y))) couleur = true;
        QVERIFY(couleur);
        QCOMPARE(Montree(), img);
        QCOMPARE(Actifs(), kImage);
        QVERIFY(Messages().isEmpty());
        // It turns like any picture.
        o.Clic(Acquisition::kGauche);
        QCOMPARE(A().PhotoScan1.Picture().size(), img.size().transposed());
    }

private:
    QTemporaryDir sane_;
};

QTEST_MAIN(TestAcquisition)
#include "test_acquisition.moc"
