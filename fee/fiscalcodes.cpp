#include "fiscalcodes.h"

#include <algorithm>
#include <array>

namespace fee {

namespace {

// The codes and names of TipoCassaType in the FatturaPA schema 1.2.3. The settled rates: 4 %
// for Inarcassa and for the INPS charge, 5 % for the surveyors' fund and for EPPI; the INPS
// charge alone is subject to withholding.
constexpr std::array kFunds{
    Fund{"TC01", "Cassa nazionale previdenza e assistenza avvocati e procuratori legali", 0, false},
    Fund{"TC02", "Cassa previdenza dottori commercialisti", 0, false},
    Fund{"TC03", "Cassa previdenza e assistenza geometri", 500, false},
    Fund{"TC04",
         "Cassa nazionale previdenza e assistenza ingegneri e architetti liberi "
         "professionisti",
         400, false},
    Fund{"TC05", "Cassa nazionale del notariato", 0, false},
    Fund{"TC06", "Cassa nazionale previdenza e assistenza ragionieri e periti commerciali", 0,
         false},
    Fund{"TC07", "Ente nazionale assistenza agenti e rappresentanti di commercio (ENASARCO)", 0,
         false},
    Fund{"TC08", "Ente nazionale previdenza e assistenza consulenti del lavoro (ENPACL)", 0, false},
    Fund{"TC09", "Ente nazionale previdenza e assistenza medici (ENPAM)", 0, false},
    Fund{"TC10", "Ente nazionale previdenza e assistenza farmacisti (ENPAF)", 0, false},
    Fund{"TC11", "Ente nazionale previdenza e assistenza veterinari (ENPAV)", 0, false},
    Fund{"TC12", "Ente nazionale previdenza e assistenza impiegati dell'agricoltura (ENPAIA)", 0,
         false},
    Fund{"TC13", "Fondo previdenza impiegati imprese di spedizione e agenzie marittime", 0, false},
    Fund{"TC14", "Istituto nazionale previdenza giornalisti italiani (INPGI)", 0, false},
    Fund{"TC15", "Opera nazionale assistenza orfani sanitari italiani (ONAOSI)", 0, false},
    Fund{"TC16", "Cassa autonoma assistenza integrativa giornalisti italiani (CASAGIT)", 0, false},
    Fund{"TC17", "Ente previdenza periti industriali e periti industriali laureati (EPPI)", 500,
         false},
    Fund{"TC18", "Ente previdenza e assistenza pluricategoriale (EPAP)", 0, false},
    Fund{"TC19", "Ente nazionale previdenza e assistenza biologi (ENPAB)", 0, false},
    Fund{"TC20", "Ente nazionale previdenza e assistenza professione infermieristica (ENPAPI)", 0,
         false},
    Fund{"TC21", "Ente nazionale previdenza e assistenza psicologi (ENPAP)", 0, false},
    Fund{"TC22", "INPS", 400, true},
};

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool isUpper(QChar c) {
    return c >= u'A' && c <= u'Z';
}

bool allOf(const QString &value, qsizetype size, bool (*kind)(QChar)) {
    return value.size() == size && std::all_of(value.begin(), value.end(), kind);
}

// The check digit of an 11-digit VAT number, which a body's tax code shares: the digits in odd
// places added, those in even places doubled less 9 when above 9 (DPR 605/1973, DM 23/12/1976).
bool checkDigitHolds(const QString &digits) {
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int d = digits[i].unicode() - u'0';
        if (i % 2 == 1)
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return (10 - sum % 10) % 10 == digits[10].unicode() - u'0';
}

// A person's tax code (DM 23/12/1976): surname, name, year, month, day, place, check letter;
// the digits may be replaced by letters where two people would share a code.
bool personCodeHolds(const QString &code) {
    static const QString substitutes = QStringLiteral("LMNPQRSTUV");
    static const QString months = QStringLiteral("ABCDEHLMPRST");
    const auto digitLike = [](QChar c) { return isDigit(c) || substitutes.contains(c); };
    for (int i = 0; i < 16; ++i) {
        const QChar c = code[i];
        const bool letter = i < 6 || i == 8 || i == 11 || i == 15;
        if (letter ? !isUpper(c) : !digitLike(c))
            return false;
    }
    if (!months.contains(code[8]))
        return false;
    // The value of a character in an odd place, 0-9 and A-Z alike.
    static constexpr int odd[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                    20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = code[i];
        const int value = isDigit(c) ? c.unicode() - u'0' : c.unicode() - u'A';
        sum += i % 2 == 0 ? odd[value] : value;
    }
    return code[15].unicode() - u'A' == sum % 26;
}

// ISO 13616: the country and check digits moved to the end, letters as 10 to 35, the whole
// number modulo 97 is 1.
bool ibanHolds(const QString &iban) {
    if (iban.size() < 15 || iban.size() > 34 || !isUpper(iban[0]) || !isUpper(iban[1]) ||
        !isDigit(iban[2]) || !isDigit(iban[3]))
        return false;
    int remainder = 0;
    const QString moved = iban.mid(4) + iban.left(4);
    for (QChar c : moved) {
        if (isDigit(c))
            remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
        else if (isUpper(c))
            remainder = (remainder * 100 + (c.unicode() - u'A' + 10)) % 97;
        else
            return false;
    }
    return remainder == 1;
}

bool isCodeChar(QChar c) {
    return isDigit(c) || isUpper(c);
}

} // namespace

std::span<const Fund> funds() {
    return kFunds;
}

const Fund *fundOf(const QString &code) {
    const auto found = std::find_if(kFunds.begin(), kFunds.end(),
                                    [&](const Fund &f) { return code == QLatin1String(f.code); });
    return found == kFunds.end() ? nullptr : &*found;
}

QString checkVatNumber(const QString &value, const QString &field) {
    if (!allOf(value, 11, isDigit))
        return QStringLiteral("%1: la partita IVA è di 11 cifre.").arg(field);
    if (!checkDigitHolds(value))
        return QStringLiteral("%1: la cifra di controllo della partita IVA non corrisponde.")
            .arg(field);
    return {};
}

QString checkTaxCode(const QString &value, const QString &field) {
    if (allOf(value, 11, isDigit)) {
        if (!checkDigitHolds(value))
            return QStringLiteral(
                       "%1: la cifra di controllo del codice fiscale numerico non corrisponde.")
                .arg(field);
        return {};
    }
    if (value.size() != 16 || !personCodeHolds(value))
        return QStringLiteral("%1: il codice fiscale è di 16 caratteri con il carattere di "
                              "controllo giusto, o di 11 cifre per un ente.")
            .arg(field);
    return {};
}

QString checkIban(const QString &value, const QString &field) {
    if (!ibanHolds(value))
        return QStringLiteral("%1: l'IBAN non è valido (caratteri o cifre di controllo).")
            .arg(field);
    return {};
}

QString checkIpaCode(const QString &value, const QString &field) {
    if (!allOf(value, 6, isCodeChar))
        return QStringLiteral("%1: il codice IPA è di 6 caratteri, lettere maiuscole e cifre.")
            .arg(field);
    return {};
}

QString checkRecipientCode(const QString &value, const QString &field) {
    if (!allOf(value, 7, isCodeChar))
        return QStringLiteral(
                   "%1: il codice destinatario è di 7 caratteri, lettere maiuscole e cifre.")
            .arg(field);
    return {};
}

QString checkProvince(const QString &value, const QString &field) {
    if (!allOf(value, 2, isUpper))
        return QStringLiteral("%1: la provincia è la sigla di 2 lettere maiuscole.").arg(field);
    return {};
}

QString checkPostalCode(const QString &value, const QString &field) {
    if (!allOf(value, 5, isDigit))
        return QStringLiteral("%1: il CAP è di 5 cifre.").arg(field);
    return {};
}

} // namespace fee
