// Every control a user can reach is in the accessibility tree with a role
// and a name: buttons by their caption or tooltip, boxes and lists by a
// name of their own.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QtTest>

#include "platform/Modal.h"
#include "shell/DialogFrame.h"
#include "shell/Fenetres.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"

namespace {

// The controls of a window that a user can reach and that have no name.
QStringList Unnamed(QWidget& window) {
    QStringList out;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || !w->isEnabled()) continue;
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                             qobject_cast<QAbstractItemView*>(w);
        if (!control) continue;
        // The editor inside a combo box or a list is named through its owner.
        if (qobject_cast<QComboBox*>(w->parentWidget()) ||
            qobject_cast<QAbstractItemView*>(w->parentWidget()) ||
            (w->parentWidget() &&
             qobject_cast<QAbstractItemView*>(w->parentWidget()->parentWidget())))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a) {
            out << w->metaObject()->className() + QStringLiteral(" (absent)");
            continue;
        }
        if (a->text(QAccessible::Name).trimmed().isEmpty() &&
            a->text(QAccessible::Description).trimmed().isEmpty())
            out << QStringLiteral("%1 at %2,%3 in %4 %5")
                       .arg(QString::fromLatin1(w->metaObject()->className()))
                       .arg(w->x())
                       .arg(w->y())
                       .arg(QString::fromLatin1(w->parentWidget()->metaObject()->className()),
                            w->parentWidget()->accessibleName());
    }
    return out;
}

// The captions of the choices met walking down a window's accessibility
// tree, with the role each is announced with.
void Choices(QAccessibleInterface* a, QMap<QString, QAccessible::Role>& out) {
    if (!a) return;
    const auto* b = qobject_cast<const QAbstractButton*>(a->object());
    if (b && b->isCheckable()) out.insert(a->text(QAccessible::Name), a->role());
    for (int i = 0; i < a->childCount(); ++i) Choices(a->child(i), out);
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // The recipe panel in kind 0, both lists in kind 1, the glass panel in 2.
    void mainWindow_data() {
        QTest::addColumn<QString>("kind");
        for (const char* k : {"0", "1", "2"}) QTest::newRow(k) << k;
    }
    void mainWindow() {
        QFETCH(QString, kind);
        Fixture fx;
        fx.WriteSample();
        fx.SetSetting("Settings", "Tris", kind);
        QVERIFY(fx.StartMain());
        QAccessible::setActive(true);
        const QStringList missing = Unnamed(Frmmain::Instance());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }

    void windows_data() {
        QTest::addColumn<int>("code");
        for (int code : {0, 1, 2, 3, 4, 5, 8})
            QTest::newRow(qPrintable(QString::number(code))) << code;
    }
    void windows() {
        QFETCH(int, code);
        Fixture fx;
        fx.WriteSample();
        QVERIFY(fx.StartMain());
        QAccessible::setActive(true);
        QStringList missing;
        platform::ModalSeam::OnShow([&](QDialog& d) { missing = Unnamed(d); });
        QVERIFY(General::OuvrirFenetre(static_cast<short>(code)));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }

    // The search window's options are a choice of one, as the display-mode
    // window's are: announced as radio buttons, its ticks as check boxes.
    void searchWindowOptionsAreRadioButtons() {
        Fixture fx;
        fx.WriteSample();
        QVERIFY(fx.StartMain());
        QAccessible::setActive(true);
        QMap<QString, QAccessible::Role> roles;
        platform::ModalSeam::OnShow(
            [&](QDialog& d) { Choices(QAccessible::queryAccessibleInterface(&d), roles); });
        QVERIFY(General::OuvrirFenetre(5));
        const QMap<QString, QAccessible::Role> expected{
            {QString::fromUtf8("Commençant par"), QAccessible::RadioButton},
            {QStringLiteral("Rechercher Partout"), QAccessible::RadioButton},
            {QStringLiteral("Liste des Cocktails"), QAccessible::RadioButton},
            {QString::fromUtf8("Liste des Catégorie"), QAccessible::RadioButton},
            {QStringLiteral("Liste des Verres"), QAccessible::RadioButton},
            {QString::fromUtf8("Liste des Ingrédients"), QAccessible::RadioButton},
            {QString::fromUtf8("Coût"), QAccessible::CheckBox},
            {QString::fromUtf8("Difficulté"), QAccessible::CheckBox},
            {QStringLiteral("Teneur en Alcool"), QAccessible::CheckBox}};
        QCOMPARE(roles, expected);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
