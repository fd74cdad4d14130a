#include "formdescription.h"

#include "version.h"

namespace tolvemar {

const std::array<ControlDescription, kControlCount> &form1Description() {
    using enum ControlKind;
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const QColor darkBlue(0, 0, 192);
    const QColor magenta(255, 0, 255);
    const QColor darkOrange(192, 64, 0);
    const QColor none;
    const QString version = QStringLiteral("Versione ") + QLatin1String(kVersionText);

    // clang-format off
    static const std::array<ControlDescription, kControlCount> description{{
        {"Calendar1", Calendar,      {},                                                240,   240,   5175, 3735, 8.25,  none},
        {"Calendar2", Calendar,      {},                                                240,   4080,  5175, 3735, 8.25,  none},
        {"Command1",  CommandButton, QStringLiteral("&Calcola"),                        8640,  5880,  2775, 1215, 13.5,  none},
        {"Text1",     TextBox,       QStringLiteral("Text1"),                           19800, 4440,  2055, 495,  0,     none},
        {"Text2",     TextBox,       QStringLiteral("Text2"),                           19800, 5040,  2055, 495,  0,     none},
        {"Option1",   OptionButton,  QStringLiteral("Non escludere i sabati e le domeniche"), 9360, 600, 6135, 375, 13.5, red},
        {"Option2",   OptionButton,  QStringLiteral("Escludi i sabati e le domeniche"), 9360,  1200,  5415, 375,  13.5,  red},
        {"Option3",   OptionButton,  QStringLiteral("Escludi le domeniche"),            9360,  1800,  4455, 375,  13.5,  red},
        {"Label1",    Label,         QStringLiteral("Data di inizio incarico"),         5520,  840,   3000, 360,  13.5,  blue},
        {"Label2",    Label,         QStringLiteral("Data di fine incarico"),           5520,  4680,  2775, 360,  13.5,  blue},
        {"Label3",    Label,         QStringLiteral("Label3"),                          5520,  1440,  990,  375,  15,    blue},
        {"Label4",    Label,         QStringLiteral("Label4"),                          5520,  5280,  990,  375,  15,    blue},
        {"Label5",    Label,         QStringLiteral("Hai lavorato giorni:"),            10080, 2880,  2640, 360,  13.5,  darkOrange},
        {"Label6",    Label,         QStringLiteral("0"),                               12840, 2880,  180,  360,  13.5,  darkOrange},
        {"Label7",    Label,         QStringLiteral("Vacazioni giornaliere:"),          9600,  3480,  3060, 360,  13.5,  darkOrange},
        {"Label8",    Label,         QStringLiteral("Compenso €:"),                     10320, 4920,  2310, 435,  17.25, magenta},
        {"Label9",    Label,         QStringLiteral("Vacazioni totali:"),               10440, 4200,  2205, 360,  13.5,  darkBlue},
        {"Label10",   Label,         QStringLiteral("Label10"),                         12720, 4200,  1110, 360,  13.5,  darkBlue},
        {"Label11",   Label,         QStringLiteral("Label11"),                         12720, 4920,  1410, 435,  17.25, magenta},
        {"Combo1",    ComboBox,      QStringLiteral("2"),                               12840, 3480,  735,  480,  13.5,  darkOrange},
        {"Command2",  CommandButton, QStringLiteral("&Esci"),                           12120, 5880,  2775, 1215, 13.5,  none},
        {"Label12",   Label,         QStringLiteral("Tolvemar, compensi a vacazione"),  12600, 7320,  2610, 195,  8.25,  blue},
        {"Label13",   Label,         version,                                           12600, 7560,  2610, 195,  8.25,  blue},
    }};
    // clang-format on
    return description;
}

} // namespace tolvemar
