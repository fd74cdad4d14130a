#pragma once

class QApplication;

namespace tolvemar {

class MainWindow;

// The fonts the window's description names, "MS Sans Serif" and "Arial", are Windows fonts.
// Where they are missing, Liberation Sans, drawn to Arial's metrics, takes their place so the
// captions keep the widths the layout was drawn for; without it, the default sans-serif family.
void installFontSubstitutes();

// The toolkit's own texts (context menus, standard buttons) in Italian, like the program's.
// False when Qt's Italian translation is not installed: the program then goes on in English.
bool installItalianTranslation(QApplication &app);

// Names, version, translation and fonts: everything the program sets before building Form1.
void setUpApplication(QApplication &app);

// The register of assignments in the calculator's window, which knows nothing of it: the menu
// "Incarichi" before "?", the reminder in the status line, the fees at the window's tariff.
void addRegister(MainWindow &window);

} // namespace tolvemar
