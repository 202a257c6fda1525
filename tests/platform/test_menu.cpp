// The pop-up menu and its test seam.
#include <QSignalSpy>
#include <QtTest>

#include "platform/Menu.h"

using namespace platform;

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void menuSeamRecordsAndChooses() {
        MenuSeam::Enable();
        Menu m("Menu1");
        auto& add = m.Add("Ajouter", "&Ajouter");
        auto& del = m.Add("Supprimer", "&Supprimer");
        del.Enabled = false;
        QSignalSpy added(&add, &MenuItem::Click);
        QSignalSpy deleted(&del, &MenuItem::Click);
        MenuSeam::Choose("Supprimer");
        PopupMenu(m, nullptr);
        MenuSeam::Choose("Ajouter");
        PopupMenu(m, nullptr);
        QCOMPARE(MenuSeam::Popups().size(), 2);
        QCOMPARE(MenuSeam::Popups().first().disabled, QStringList{"Supprimer"});
        QCOMPARE(deleted.count(), 0);
        QCOMPARE(added.count(), 1);
        MenuSeam::Disable();
    }
};

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
