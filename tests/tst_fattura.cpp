#include "support/programrun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

using testsupport::Run;

// The example of the invoice to the court's office, as a user would write it.
const char exampleJson[] = R"({"numero": "12/2026", "data": "2026-12-01", "tipo": "TD06",
 "progressivo": "00012",
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

// The example with the field at `path` ("consulente.cap") set to `value`, or removed when it
// is undefined.
QByteArray changed(const QString &path, const QJsonValue &value) {
    const std::function<QJsonObject(QJsonObject, QStringList)> set = [&](QJsonObject o,
                                                                         QStringList keys) {
        const QString key = keys.takeFirst();
        if (!keys.isEmpty())
            o[key] = set(o[key].toObject(), keys);
        else if (value.isUndefined())
            o.remove(key);
        else
            o[key] = value;
        return o;
    };
    const QJsonObject o = QJsonDocument::fromJson(exampleJson).object();
    return QJsonDocument(path.isEmpty() ? o : set(o, path.split(u'.'))).toJson();
}

Run run(const QStringList &args, const QByteArray &input) {
    return testsupport::run(QStringLiteral(TOLVEMAR_FATTURA), args, input);
}

} // namespace

// tolvemar-fattura as a user runs it.
class TestFattura : public QObject {
    Q_OBJECT

private slots:
    void example() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("IT01234567897_00012.xml"));
        const Run out = run({}, exampleJson);
        QCOMPARE(out.err, QByteArray());
        QCOMPARE(out.status, 0);
        for (const char *element :
             {"<FormatoTrasmissione>FPA12<", "<ImportoTotaleDocumento>1418.80<",
              "<ImportoRitenuta>200.00<", "<ImportoPagamento>1218.80<"})
            QVERIFY2(out.out.contains(element), element);
        const Run file = run({QStringLiteral("--uscita"), path}, exampleJson);
        QCOMPARE(file.status, 0);
        QCOMPARE(file.out, QByteArray());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), out.out);
        QVERIFY(run({QStringLiteral("--help")}, {}).out.startsWith("Usage: tolvemar-fattura"));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *path, const QJsonValue &value,
                            const char *message) {
            QTest::newRow(name) << changed(QString::fromUtf8(path), value)
                                << QString::fromUtf8(message);
        };
        row("VAT number", "consulente.partita_iva", "01234567890", "Partita IVA del consulente");
        row("tax code", "consulente.codice_fiscale", "RSSMRA80A01H501X",
            "Codice fiscale del consulente");
        row("IBAN", "consulente.iban", "IT61X0542811101000000123456", "IBAN del consulente");
        row("IPA code", "destinatario.codice_ipa", "WUMV1", "Codice IPA");
        row("office's tax code", "destinatario.codice_fiscale", "81019670026",
            "Codice fiscale del destinatario");
        row("province", "consulente.provincia", "Biella", "Provincia del consulente");
        row("CAP", "destinatario.cap", "1390", "CAP del destinatario");
        row("fund", "consulente.cassa.tipo", "TC23", "Cassa del consulente");
        row("fund rate", "consulente.cassa.aliquota", "4", "«consulente.cassa.aliquota»");
        row("regime", "consulente.regime", "minimi", "«consulente.regime»");
        row("amount", "onorario", "1.000,00", "«onorario»");
        row("amount as a number", "spese_escluse", 150, "«spese_escluse»");
        row("date", "data", "01/12/2026", "«data»");
        row("date after today", "data", "2999-01-01", "Data della fattura");
        row("number without a digit", "numero", "A/B", "Numero della fattura");
        row("number too long", "numero", "123456789012345678901", "Numero della fattura");
        row("progressive", "progressivo", "000012", "Progressivo");
        row("document type", "tipo", "TD04", "Tipo di documento");
        row("character outside Latin-1", "pagatore.denominazione", "ALFA → BETA", "Parte pagante");
        row("withholding agent", "pagatore.sostituto_imposta", "sì",
            "«pagatore.sostituto_imposta»");
        row("missing", "procedimento", QJsonValue::Undefined, "«procedimento»");
        row("to the party, no recipient code", "destinatario.codice_ipa", QJsonValue::Undefined,
            "«destinatario.codice_destinatario»");
        row("a PEC beside a recipient code", "destinatario",
            QJsonObject{{"denominazione", "ALFA S.r.l."},
                        {"codice_destinatario", "ABC1234"},
                        {"pec", "alfa@pec.example.it"},
                        {"partita_iva", "01234567897"},
                        {"indirizzo", "Via Italia 3"},
                        {"cap", "10121"},
                        {"comune", "Torino"},
                        {"provincia", "TO"}},
            "PEC del destinatario");
        QTest::newRow("not JSON") << QByteArray("{\"numero\": ") << QStringLiteral("JSON");
    }

    void refused() {
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fattura.xml"));
        for (const QStringList &args : {QStringList(), QStringList{"--uscita", path}}) {
            const Run r = run(args, input);
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, QByteArray());
            QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
            QVERIFY(!QFile::exists(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestFattura)
#include "tst_fattura.moc"
