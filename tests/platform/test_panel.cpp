// Panels and the scrolling container.
#include <QScrollBar>
#include <QtTest>

#include "platform/Panel.h"

using namespace platform;

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void scrollPanelScrollsItsExtent() {
        QWidget w;
        ScrollPanel s(&w);
        s.Move(0, 0, 3000, 3000);  // 200 pixels
        w.resize(300, 300);
        w.show();
        s.SetScrollHeight(15000);
        QCOMPARE(s.Content()->height(), 1000);
        QVERIFY(s.verticalScrollBar()->maximum() > 0);
        s.SetScrollHeight(0);
        QCOMPARE(s.Content()->height(), s.viewport()->height());
    }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
