#include "application.h"

#include "fonts.h"
#include "mainwindow.h"
#include "registermenu.h"
#include "screenfit.h"
#include "version.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace tolvemar {

void installFontSubstitutes() {
    const QStringList families = QFontDatabase::families();
    QString replacement = QStringLiteral("Liberation Sans");
    if (!families.contains(replacement)) {
        QFont sansSerif;
        sansSerif.setStyleHint(QFont::SansSerif);
        replacement = sansSerif.defaultFamily();
    }
    for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}) {
        if (!families.contains(family))
            QFont::insertSubstitution(family, replacement);
    }
}

bool installItalianTranslation(QApplication &app) {
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void setUpApplication(QApplication &app) {
    // The data folder, and with it the register, is Tolvemar/CalcoloCT, beside the settings'.
    QApplication::setOrganizationName(QStringLiteral("Tolvemar"));
    QApplication::setApplicationName(QStringLiteral("CalcoloCT"));
    // Message boxes carry this as their title.
    QApplication::setApplicationDisplayName(QStringLiteral("Calcolo Tolvemar CT"));
    QApplication::setApplicationVersion(QLatin1String(kVersionText));
    // Lets the desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvemar.CalcoloCT"));
    installItalianTranslation(app);
    // Before the substitutes, which take Liberation Sans where it is found.
    request::loadDocumentFonts(request::shippedFontsFolder());
    installFontSubstitutes();
    app.installEventFilter(new ScreenFit(&app));
}

void addRegister(MainWindow &window) {
    auto *menu = new RegisterMenu(&window, window.options().tariff);
    window.addMenu(menu->menu());
    QObject::connect(
        &window, &MainWindow::optionsChanged, menu,
        [menu](const fee::CalcolaOptions &options) { menu->setTariff(options.tariff); });
}

} // namespace tolvemar
