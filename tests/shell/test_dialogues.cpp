// The program's own questions in their real dialogs: the input box of the
// lists' menu is wide enough for its title, and every file dialog shows each
// filter's description once, as the program writes it.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QtTest>
#include <functional>

#include "entry/Manuelle.h"
#include "pictures/Acquisition.h"
#include "platform/CommonDialog.h"
#include "platform/InputBox.h"
#include "platform/Menu.h"
#include "platform/Modal.h"
#include "shell/Frmmain.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace {

const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"}]})";

Frmmain& F() {
    return Frmmain::Instance();
}

// Runs `inside` once the dialog of type D is up, while `open` waits in it;
// `inside` must close the dialog. False when no such dialog came.
template <class D>
bool Pendant(const std::function<void()>& open, const std::function<void(D&)>& inside) {
    bool seen = false;
    std::function<void()> look;
    int tries = 0;
    look = [&] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (d && d->isVisible()) {
            seen = true;
            inside(*d);
            return;
        }
        if (++tries < 100) QTimer::singleShot(50, look);
    };
    QTimer::singleShot(50, look);
    open();
    return seen;
}

// What the file-type list of a file dialog shows, entry by entry.
QStringList Affiches(QFileDialog& d) {
    auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList out;
    if (!types) return {QStringLiteral("<no file-type list>")};
    for (int i = 0; i < types->count(); ++i) out << types->itemText(i);
    return out;
}

// The width a title bar needs for a title: the text in a bold sans serif
// larger than most window managers' own, and room for the window's icon
// and three buttons.
int LargeurBarre(const QString& title) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(11);
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) + 4 * 24;
}

}  // namespace

class TestDialogues : public QObject {
    Q_OBJECT
private slots:
    // The lists' menu in kinds 1, 2 and 6: the input box comes up with its
    // title whole in the title bar, and what is typed in it is stored.
    void inputBoxShowsItsTitle_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sql");
        QTest::newRow("category") << 1 << "Création d'une nouvelle Catégorie"
                                  << "SELECT Categorie FROM Categorie WHERE Categorie = 'Neuve'";
        QTest::newRow("glass") << 2 << "Création d'un nouveau type de verre "
                               << "SELECT Verre FROM Verre WHERE Verre = 'Neuve'";
        QTest::newRow("ingredient")
            << 6 << "Création d'un nouvel ingrédient"
            << "SELECT Ingredient FROM Ingredient WHERE Ingredient = 'Neuve'";
    }
    void inputBoxShowsItsTitle() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, sql);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", QString::number(kind));
        QVERIFY(fx.StartMain());
        platform::InputSeam::Disable();
        platform::MenuSeam::Choose(QStringLiteral("Ajouter"));
        platform::ListView& l = F().Liste;
        const QPoint at = l.visualItemRect(l.Item(1)).center();
        QString shownTitle;
        int width = 0;
        const bool seen =
            Pendant<QInputDialog>([&] { QTest::mousePress(l.viewport(), Qt::RightButton, {}, at); },
                                  [&](QInputDialog& box) {
                                      shownTitle = box.windowTitle();
                                      width = box.width();
                                      auto* line = box.findChild<QLineEdit*>();
                                      QTest::keyClicks(line, QStringLiteral("Neuve"));
                                      QTest::keyClick(line, Qt::Key_Return);
                                  });
        QTest::mouseRelease(l.viewport(), Qt::RightButton, {}, at);
        QVERIFY(seen);
        QCOMPARE(shownTitle, title);
        QVERIFY2(width >= LargeurBarre(title),
                 qPrintable(QStringLiteral("%1 px for a title that needs %2")
                                .arg(width)
                                .arg(LargeurBarre(title))));
        QCOMPARE(Fixture::Rows(sql), QStringList{"Neuve"});
    }

    // Each road to a file dialog: the list of file types reads as the
    // program writes each description, once.
    void fileDialogsShowEachDescriptionOnce_data() {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("backup") << "backup" << QStringList{"Tous les fichiers MDB (*.mdb)"};
        QTest::newRow("restore") << "restore" << QStringList{"Tous les fichiers MDB (*.mdb)"};
        QTest::newRow("photo of a new recipe")
            << "photo" << QStringList{"Tous les fichiers images (*.bmp,*.jpg,*.jpeg,*.gif)"};
        QTest::newRow("picture window, open")
            << "open" << QStringList{"Tous les fichiers images (*.bmp;*.jpg;*.wmf;*.ico)"};
    }
    void fileDialogsShowEachDescriptionOnce() {
        QFETCH(QString, road);
        QFETCH(QStringList, shown);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        platform::CommonDialogSeam::Disable();
        std::function<void()> open;
        if (road == "backup" || road == "restore") {
            platform::PictureButton* b = F().Outils[road == "backup" ? 5 : 6].get();
            open = [b] { QTest::mouseClick(b, Qt::LeftButton); };
        } else if (road == "photo") {
            Manuelle& m = Manuelle::Instance();
            m.show();
            open = [&m] { QTest::mouseClick(&m.CadrePhoto, Qt::LeftButton, {}, QPoint(4, 4)); };
        } else {
            Acquisition& a = Acquisition::Instance();
            a.show();
            platform::PictureButton* b = a.Btn_ScanS[Acquisition::kOuvrir].get();
            open = [b] { QTest::mouseClick(b, Qt::LeftButton); };
        }
        QStringList types;
        QString qtFilters;
        const bool seen = Pendant<QFileDialog>(open, [&](QFileDialog& d) {
            types = Affiches(d);
            qtFilters = d.nameFilters().join(";;");
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        Manuelle::Unload();
        Acquisition::Unload();
        QVERIFY(seen);
        QCOMPARE(types, shown);
        // The patterns still choose the files shown.
        QVERIFY2(qtFilters.endsWith(u')') && qtFilters.contains(QStringLiteral("(*.")),
                 qPrintable(qtFilters));
    }
};

QTEST_MAIN(TestDialogues)
#include "test_dialogues.moc"
