
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/WebBrowser.h"
#include "shell/Frmmain.h"

int main(int argc, char** argv) {
    platform::PreparerNavigateur();
    // The embedded browser shares the windows' drawing contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivanta"));
    // Qt's own dialogs (files, printer) speak French like the program.
    QTranslator qt;
    if (qt.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);
    if (!Frmmain::Instance().Form_Load()) return 1;
    return QApplication::exec();
}
