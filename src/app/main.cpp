#include <QApplication>

#include "shell/Frmmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivanta"));
    if (!Frmmain::Instance().Form_Load()) return 1;
    return QApplication::exec();
}
