#include "expert.h"

#include "fiscalcodes.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace assignments {

namespace {

QString key(const char *name) {
    return QStringLiteral("consulente/") + QLatin1String(name);
}

// The fields as QSettings keeps them, each with its key.
std::array<std::pair<const char *, QString *>, 14> textFields(Expert &e) {
    return {{{"nome", &e.name},
             {"cognome", &e.surname},
             {"titolo", &e.title},
             {"codice_fiscale", &e.taxCode},
             {"partita_iva", &e.vatNumber},
             {"indirizzo", &e.address.street},
             {"cap", &e.address.postcode},
             {"comune", &e.address.town},
             {"provincia", &e.address.province},
             {"albo", &e.register_},
             {"provincia_albo", &e.registerProvince},
             {"numero_albo", &e.registerNumber},
             {"cassa", &e.fiscal.fundCode},
             {"iban", &e.iban}}};
}

} // namespace

Expert readExpert() {
    const QSettings settings;
    Expert e;
    for (const auto &[name, field] : textFields(e))
        *field = settings.value(key(name)).toString();
    e.fiscal.regime = settings.value(key("regime")).toString() == QLatin1String("forfettario")
                          ? fee::Regime::Forfettario
                          : fee::Regime::Ordinario;
    // From 0 to 100 %, in hundredths of a per cent.
    e.fiscal.fundRate =
        std::clamp<fee::Rate>(settings.value(key("aliquota_cassa")).toLongLong(), 0, 10000);
    e.nextNumber = std::max(1, settings.value(key("prossimo_numero"), 1).toInt());
    return e;
}

QString writeExpert(const Expert &expert) {
    QSettings settings;
    Expert e = expert;
    for (const auto &[name, field] : textFields(e))
        settings.setValue(key(name), *field);
    settings.setValue(key("regime"), e.fiscal.regime == fee::Regime::Forfettario
                                         ? QStringLiteral("forfettario")
                                         : QStringLiteral("ordinario"));
    settings.setValue(key("aliquota_cassa"), e.fiscal.fundRate);
    settings.setValue(key("prossimo_numero"), e.nextNumber);
    settings.sync();
    return settings.status() == QSettings::NoError
               ? QString()
               : QStringLiteral("Le impostazioni non possono essere salvate.");
}

QString expertError(const Expert &e) {
    Expert copy = e;
    const auto fields = textFields(copy);
    if (std::all_of(fields.begin(), fields.end(),
                    [](const auto &f) { return f.second->isEmpty(); }))
        return {};
    const auto optional = [](const QString &value, auto check, const char *field) {
        return value.isEmpty() ? QString() : check(value, QString::fromUtf8(field));
    };
    if (e.name.trimmed().isEmpty() || e.surname.trimmed().isEmpty())
        return QStringLiteral("Nome e cognome: indicarli entrambi.");
    for (const QString &error :
         {fee::checkTaxCode(e.taxCode, QStringLiteral("Codice fiscale")),
          fee::checkVatNumber(e.vatNumber, QStringLiteral("Partita IVA")),
          fee::checkPostalCode(e.address.postcode, QStringLiteral("CAP")),
          fee::checkProvince(e.address.province, QStringLiteral("Provincia")),
          optional(e.registerProvince, fee::checkProvince, "Provincia dell'albo"),
          fee::checkIban(e.iban, QStringLiteral("IBAN"))})
        if (!error.isEmpty())
            return error;
    if (e.address.street.trimmed().isEmpty() || e.address.town.trimmed().isEmpty())
        return QStringLiteral("Indirizzo: indicare via e comune.");
    if (e.fiscal.hasFund() && !fee::fundOf(e.fiscal.fundCode))
        return QStringLiteral("Cassa previdenziale: codice «%1» sconosciuto.")
            .arg(e.fiscal.fundCode);
    if (e.nextNumber < 1)
        return QStringLiteral("Prossimo numero di fattura: almeno 1.");
    return {};
}

std::optional<fee::FiscalDetails> fiscalDetails(const Expert &expert) {
    if (expert.taxCode.isEmpty() || expert.vatNumber.isEmpty())
        return std::nullopt;
    return expert.fiscal;
}

} // namespace assignments
