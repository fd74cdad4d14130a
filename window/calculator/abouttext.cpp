#include "abouttext.h"

#include "fee.h"
#include "holidays.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>

namespace tolvemar {

QString aboutText() {
    return QStringLiteral(
               "<h3>Calcolo Tolvemar CT</h3><p>Versione %1</p>"
               "<p>Calcola il compenso a vacazione di consulenti tecnici, periti, interpreti e "
               "traduttori incaricati dall'autorità giudiziaria.</p>"
               "<p>Distribuito con licenza MIT.</p><p><b>Riferimenti normativi</b></p><ul>"
               "<li>Tariffa del 2002 (%2): %3.</li><li>Tariffa attuale (%4): %5; la sentenza ha "
               "dichiarato illegittimo il compenso ridotto delle vacazioni successive alla prima "
               "(art. 4, secondo comma, della legge 319/1980).</li><li>Festività nazionali: "
               "%6.</li></ul>")
               .arg(QLatin1String(kVersionText), fee::tariffRates(fee::Tariff::Decree2002),
                    fee::tariffBasis(fee::Tariff::Decree2002),
                    fee::tariffRates(fee::Tariff::Ruling2025),
                    fee::tariffBasis(fee::Tariff::Ruling2025), fee::holidayLaws()) +
           thirdPartyNotice();
}

QString thirdPartyNotice() {
    const QString common = QStringLiteral(
        "<p><b>Componenti di terze parti</b></p><ul>"
        "<li>Qt 6: LGPL 3;</li><li>SQLite: pubblico dominio;</li>"
        "<li>libical: LGPL 2.1 o MPL 2.0;</li><li>libxml2: MIT;</li>"
        "<li>font Liberation Sans e Liberation Serif: SIL Open Font License 1.1;</li>");
#ifdef Q_OS_WIN
    return common +
           QStringLiteral("<li>runtime di MinGW-w64: GPL 3 con GCC Runtime Library Exception "
                          "(libstdc++, libgcc), MIT (winpthreads).</li></ul>"
                          "<p>I testi delle licenze, con la versione e il pacchetto sorgente di "
                          "Debian di ciascun componente, sono nella cartella «%1».</p>")
               .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                             QStringLiteral("/licenses")));
#else
    return common + QStringLiteral("</ul><p>I componenti sono quelli dei pacchetti di Debian con "
                                   "cui il programma è installato: i testi delle licenze sono "
                                   "nel file copyright di ciascuno, in /usr/share/doc.</p>");
#endif
}

} // namespace tolvemar
