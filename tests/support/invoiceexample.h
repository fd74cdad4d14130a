#pragma once

#include <QJsonDocument>
#include <QJsonObject>

// The worked example of an invoice to the court's office, as a user writes it for
// tolvemar-fattura: Inarcassa 4 %, a withholding agent, art. 15 expenses.
namespace testsupport {

inline constexpr char kInvoiceJson[] = R"({"numero": "12/2026", "data": "2026-12-01",
 "tipo": "TD06", "progressivo": "00012",
 "consulente": {"nome": "Mario", "cognome": "Rossi", "titolo": "Ing.",
                "codice_fiscale": "RSSMRA80A01H501U", "partita_iva": "01234567897",
                "indirizzo": "Via Roma 1", "cap": "13900", "comune": "Biella", "provincia": "BI",
                "albo": "Ingegneri", "provincia_albo": "BI", "numero_albo": "1234",
                "regime": "ordinario", "cassa": {"tipo": "TC04", "aliquota": "4.00"},
                "iban": "IT60X0542811101000000123456"},
 "destinatario": {"denominazione": "Tribunale di Biella", "codice_ipa": "WUMV1P",
                  "codice_fiscale": "81019670025", "indirizzo": "Via Marconi 28",
                  "cap": "13900", "comune": "Biella", "provincia": "BI"},
 "procedimento": "R.G. 123/2025", "decreto": "2026-11-10",
 "pagatore": {"denominazione": "ALFA S.r.l.", "sostituto_imposta": true},
 "pagamento": {"data": "2026-11-25", "riferimento": "CRO 0123456789"},
 "onorario": "1000.00", "spese_imponibili": "0.00", "spese_escluse": "150.00"})";

// `patch` merged into `base`: objects key by key, any other value put in place (null as absent).
inline QJsonObject merged(QJsonObject base, const QJsonObject &patch) {
    for (auto it = patch.begin(); it != patch.end(); ++it)
        base[it.key()] = it->isObject() && base[it.key()].isObject()
                             ? QJsonValue(merged(base[it.key()].toObject(), it->toObject()))
                             : it.value();
    return base;
}

// The example with `patch`, a JSON object, merged into it.
inline QByteArray invoiceJson(const QByteArray &patch = "{}") {
    return QJsonDocument(merged(QJsonDocument::fromJson(kInvoiceJson).object(),
                                QJsonDocument::fromJson(patch).object()))
        .toJson();
}

} // namespace testsupport
