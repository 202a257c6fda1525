#include <QApplication>

#include "shell/Frmmain.h"

int main(int argc, char** argv) {
    // The embedded browser shares the windows' drawing contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivanta"));
    if (!Frmmain::Instance().Form_Load()) return 1;
    return QApplication::exec();
}
