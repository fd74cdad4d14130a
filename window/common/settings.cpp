#include "settings.h"

#include <QSettings>

namespace tolvemar::settings {

namespace {

const QString kTariff = QStringLiteral("opzioni/tariffa");
const QString kHolidays = QStringLiteral("opzioni/festivita");
const QString kPatron = QStringLiteral("opzioni/patrono");
const QString kExpert = QStringLiteral("istanza/consulente");
const QString kCourt = QStringLiteral("istanza/ufficio");
constexpr qsizetype kLongestText = 200;

// The program's settings, or nothing when the file cannot be read as a whole.
class Store {
public:
    // The application's names and the system's own place: a file on Linux, the registry on
    // Windows.
    Store() = default;

    bool readable() const { return settings.status() == QSettings::NoError; }
    QString text(const QString &key) const {
        return readable() ? settings.value(key).toString() : QString();
    }
    // A broken file is replaced rather than patched.
    void write(const QList<std::pair<QString, QString>> &values) {
        if (!readable())
            settings.clear();
        for (const auto &[key, value] : values)
            settings.setValue(key, value);
        settings.sync();
    }

private:
    QSettings settings;
};

QString patronKey(std::optional<fee::PatronDay> patron) {
    if (!patron)
        return {};
    return QStringLiteral("%1-%2")
        .arg(patron->month, 2, 10, QLatin1Char('0'))
        .arg(patron->day, 2, 10, QLatin1Char('0'));
}

std::optional<fee::PatronDay> patronFromKey(const QString &key) {
    const QStringList parts = key.split(u'-');
    if (parts.size() != 2 || parts[0].size() != 2 || parts[1].size() != 2)
        return std::nullopt;
    const fee::PatronDay patron{parts[0].toInt(), parts[1].toInt()};
    return patron.isValid() ? std::optional(patron) : std::nullopt;
}

QString shortText(const QString &text) {
    return text.size() <= kLongestText ? text : QString();
}

} // namespace

fee::CalcolaOptions options() {
    const Store store;
    fee::CalcolaOptions options;
    if (store.text(kTariff) == QLatin1String("2025"))
        options.tariff = fee::Tariff::Ruling2025;
    options.excludeHolidays = store.text(kHolidays) == QLatin1String("true");
    options.patron = patronFromKey(store.text(kPatron));
    return options;
}

void setOptions(const fee::CalcolaOptions &options) {
    Store().write({
        {kTariff, QLatin1String(options.tariff == fee::Tariff::Ruling2025 ? "2025" : "2002")},
        {kHolidays, QLatin1String(options.excludeHolidays ? "true" : "false")},
        {kPatron, patronKey(options.patron)},
    });
}

QString expert() {
    return shortText(Store().text(kExpert));
}

QString court() {
    return shortText(Store().text(kCourt));
}

void setExpertAndCourt(const QString &expert, const QString &court) {
    Store().write({{kExpert, shortText(expert)}, {kCourt, shortText(court)}});
}

} // namespace tolvemar::settings
