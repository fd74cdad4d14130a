#include "support/invoiceexample.h"
#include "support/programrun.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using testsupport::invoiceJson;
using testsupport::Run;

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
        const Run out = run({}, invoiceJson());
        QCOMPARE(out.err, QByteArray());
        QCOMPARE(out.status, 0);
        for (const char *element :
             {"<FormatoTrasmissione>FPA12<", "<ImportoTotaleDocumento>1418.80<",
              "<ImportoRitenuta>200.00<", "<ImportoPagamento>1218.80<"})
            QVERIFY2(out.out.contains(element), element);
        const Run file = run({QStringLiteral("--uscita"), path}, invoiceJson());
        QCOMPARE(file.status, 0);
        QCOMPARE(file.out, QByteArray());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), out.out);
        QVERIFY(run({QStringLiteral("--help")}, {}).out.startsWith("Usage: tolvemar-fattura"));
    }

    // The example with one field spoilt, and what the message names.
    void refused_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *patch, const char *message) {
            QTest::newRow(name) << invoiceJson(patch) << QString::fromUtf8(message);
        };
        row("VAT number", R"({"consulente": {"partita_iva": "01234567890"}})",
            "Partita IVA del consulente");
        row("tax code", R"({"consulente": {"codice_fiscale": "RSSMRA80A01H501X"}})",
            "Codice fiscale del consulente");
        row("IBAN", R"({"consulente": {"iban": "IT61X0542811101000000123456"}})",
            "IBAN del consulente");
        row("IPA code", R"({"destinatario": {"codice_ipa": "WUMV1"}})", "Codice IPA");
        row("office's tax code", R"({"destinatario": {"codice_fiscale": "81019670026"}})",
            "Codice fiscale del destinatario");
        row("province", R"({"consulente": {"provincia": "Biella"}})", "Provincia del consulente");
        row("CAP", R"({"destinatario": {"cap": "1390"}})", "CAP del destinatario");
        row("fund", R"({"consulente": {"cassa": {"tipo": "TC23"}}})", "Cassa del consulente");
        row("fund rate", R"({"consulente": {"cassa": {"aliquota": "4"}}})",
            "«consulente.cassa.aliquota»");
        row("regime", R"({"consulente": {"regime": "minimi"}})", "«consulente.regime»");
        row("amount", R"({"onorario": "1.000,00"})", "«onorario»");
        row("amount as a number", R"({"spese_escluse": 150})", "«spese_escluse»");
        row("date", R"({"data": "01/12/2026"})", "«data»");
        row("date after today", R"({"data": "2999-01-01"})", "Data della fattura");
        row("number without a digit", R"({"numero": "A/B"})", "Numero della fattura");
        row("number too long", R"({"numero": "123456789012345678901"})", "Numero della fattura");
        row("progressive", R"({"progressivo": "000012"})", "Progressivo");
        row("document type", R"({"tipo": "TD04"})", "Tipo di documento");
        row("character outside Latin-1", R"({"pagatore": {"denominazione": "ALFA → BETA"}})",
            "Parte pagante");
        row("withholding agent", R"({"pagatore": {"sostituto_imposta": "sì"}})",
            "«pagatore.sostituto_imposta»");
        row("missing", R"({"procedimento": null})", "«procedimento»");
        row("to the party, no recipient code", R"({"destinatario": {"codice_ipa": null}})",
            "«destinatario.codice_destinatario»");
        row("a PEC beside a recipient code",
            R"({"destinatario": {"codice_ipa": null, "codice_destinatario": "ABC1234",
                "pec": "alfa@pec.example.it", "codice_fiscale": null,
                "partita_iva": "01234567897"}})",
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
