#include "conversions.h"
#include "fonts.h"
#include "output.h"
#include "pdftext.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace request;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
constexpr Cents refused = -1;

// What a window shows after "Calcola" from `start` to `end`, and the example's details.
Request example(QDate start, QDate end, fee::ExclusionMode mode, fee::CalcolaOptions options) {
    const fee::CalcolaInput input{fee::dateToText(fee::serialFromDate(start), italian),
                                  fee::dateToText(fee::serialFromDate(end), italian), mode, "2"};
    return {Computation::of(input, options, fee::calcola(input, options, italian)),
            {"Mario Rossi",
             "Tribunale di Firenze",
             "1234/2025 R.G.",
             "dott.ssa Anna Bianchi",
             20,
             {{"Trasferta Firenze–Prato", 4500}, {"Copie & stampe", 1250}},
             "Due sopralluoghi."}};
}

Document describe(const Request &request) {
    return request::describe(request, std::get<Totals>(totals(request)),
                             QDateTime(QDate(2026, 12, 7), QTime(10, 15)));
}

// What savePdf says when each write is limited to `sizeLimit` bytes (0: no limit) and, for
// root, as an ordinary user, whom a read-only folder refuses: on Linux in a child process.
// Windows has neither a per-process limit nor folders that refuse their owner: there only the
// unlimited case runs, in place; none for the others.
std::optional<QString> saveLimited(const QByteArray &pdf, const QString &path, int sizeLimit,
                                   bool readOnly) {
#ifdef Q_OS_WIN
    if (sizeLimit != 0 || readOnly)
        return std::nullopt;
    return savePdf(pdf, path).value_or(QString());
#else
    Q_UNUSED(readOnly); // as root the child is always an ordinary user
    constexpr size_t size = 4096;
    auto *shared = static_cast<char *>(
        mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        const rlim_t most = sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY;
        const rlimit limit{most, most};
        const bool root = getuid() == 0; // root writes into read-only folders: become nobody
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0 || (root && (setgid(65534) || setuid(65534))))
            _exit(2);
        qstrncpy(shared, savePdf(pdf, path).value_or(QString()).toUtf8().constData(), size);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const QString message = WIFEXITED(status) && WEXITSTATUS(status) == 0
                                ? QString::fromUtf8(shared)
                                : QStringLiteral("child failed");
    munmap(shared, size);
    return message;
#endif
}

} // namespace

Q_DECLARE_METATYPE(fee::CalcolaOptions)

class TestRequest : public QObject {
    Q_OBJECT

private slots:
    // Windows has none of the documents' fonts: they come with the program, as here with the
    // suite, and are loaded at start.
    void initTestCase() { QCOMPARE(loadDocumentFonts(shippedFontsFolder()), QStringList()); }

    // The fee as shown, to 15 digits, rounded half away from zero; then the increase on it.
    void cents_data() {
        QTest::addColumn<double>("euros");
        QTest::addColumn<int>("percent");
        QTest::addColumn<Cents>("fee");
        QTest::addColumn<Cents>("increase");

        QTest::newRow("169,53 + 20 %") << 169.53 << 20 << Cents(16953) << Cents(3391);
        QTest::newRow("half a cent up") << 10.605 << 0 << Cents(1061) << Cents(0);
        QTest::newRow("below 39,13") << 39.129999999999995 << 50 << Cents(3913) << Cents(1957);
        QTest::newRow("above 332,53") << 332.53000000000003 << 100 << Cents(33253) << Cents(33253);
        QTest::newRow("293,6 + 1 %") << 293.6 << 1 << Cents(29360) << Cents(294);
        QTest::newRow("half a cent") << 0.005 << 0 << Cents(1) << Cents(0);
        QTest::newRow("under half") << 0.0049 << 0 << Cents(0) << Cents(0);
        QTest::newRow("zero") << 0.0 << 100 << Cents(0) << Cents(0);
        QTest::newRow("large") << 1e16 << 0 << Cents(1'000'000'000'000'000'000) << Cents(0);
        QTest::newRow("beyond 64 bits") << 1e17 << 0 << refused << refused;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 0 << refused
                                  << refused;
    }

    void cents() {
        QFETCH(double, euros);
        QFETCH(int, percent);
        QFETCH(Cents, fee);
        QCOMPARE(fee::centsOf(euros).value_or(refused), fee);
        if (fee != refused)
            QTEST(fee::percentOfCents(fee, percent).value_or(refused), "increase");
    }

    void amounts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Cents>("cents");
        QTest::addColumn<QString>("message"); // a part of it, for a refused amount

        const QLocale english(QLocale::English, QLocale::UnitedStates);
        auto good = [](const char *text, Cents cents, const QLocale &locale = italian) {
            QTest::newRow(text) << locale << QString(text) << cents << QString();
        };
        auto bad = [](const char *text, const char *message, const QLocale &locale = italian) {
            QTest::newRow(text) << locale << QString(text) << refused << QString(message);
        };
        good("12", 1200);
        good("12,5", 1250);
        good("1.234,56", 123456);
        good(" € 7,05 ", 705);
        good("92.233.720.368.547.758,07", std::numeric_limits<Cents>::max());
        good("1,234.5", 123450, english);
        bad("12,345", "più di due decimali");
        bad("-5", "negativo");
        bad("abc", "«abc» non è un importo");
        bad("12.50", "non è un importo");
        bad("", "Manca l'importo");
        bad("92233720368547758,08", "troppo grande");
        bad("12,5", "non è un importo", english);
    }

    void amounts() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(Cents, cents);
        QFETCH(QString, message);
        const auto read = fee::parseAmount(text, locale);
        if (cents != refused)
            QCOMPARE(std::get<Cents>(read), cents);
        else
            QVERIFY2(std::get<QString>(read).contains(message),
                     qPrintable(std::get<QString>(read)));
    }

    // Ten thousand expenses of 0,10 € make 1.000,00 € exactly; sums past 64 bits are refused.
    void sumsDoNotDrift() {
        Request request = example({2025, 3, 3}, {2025, 3, 14}, fee::ExclusionMode::None, {});
        request.details.expenses =
            QList<Expense>(10000, {"Copia", std::get<Cents>(fee::parseAmount("0,10", italian))});
        QCOMPARE(fee::euroText(std::get<Totals>(totals(request)).expenses), "1.000,00 €");
        request.details.expenses = {{"a", std::numeric_limits<Cents>::max()}, {"b", 1}};
        QVERIFY(std::holds_alternative<QString>(totals(request)));
    }

    void document_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<fee::CalcolaOptions>("options");
        QTest::addColumn<QStringList>("shown");

        const QStringList details =
            QString("Mario Rossi|Tribunale di Firenze|1234/2025 R.G.|dott.ssa Anna Bianchi|"
                    "Trasferta Firenze–Prato|45,00 €|Copie & stampe|12,50 €|57,50 €|"
                    "Due sopralluoghi.|Importi al netto di IVA e contributi previdenziali|"
                    "Calcolo Tolvemar CT 2.00.0009 · 07/12/2026 alle 10:15")
                .split('|');
        QTest::newRow("March 2025")
            << QDate(2025, 3, 3) << QDate(2025, 3, 14) << fee::CalcolaOptions{}
            << details + QString("Calcolo del compenso a vacazione|dal 03/03/2025 al 14/03/2025|"
                                 "Esclusi i sabati e le domeniche|Festività nazionali non escluse|"
                                 "Giorni contati|Vacazioni totali|14,68 € la prima vacazione|"
                                 "169,53 €|Maggiorazione del 20%|33,91 €|260,94 €")
                             .split('|');
        const fee::CalcolaOptions now{fee::Tariff::Ruling2025, true, fee::PatronDay{4, 23}};
        // Two holidays and the patron day on weekdays: 10 days of 2 vacazioni at 14,68 €.
        QTest::newRow("April 2025, holidays, ruling")
            << QDate(2025, 4, 14) << QDate(2025, 4, 30) << now
            << QString("23/04/2025|Santo patrono|21/04/2025|Lunedì dell'Angelo|25/04/2025|"
                       "Festa della Liberazione|sentenza n. 16/2025|293,60 €")
                   .split('|');
        QTest::newRow("reversed") << QDate(2025, 3, 10) << QDate(2025, 3, 5) << now
                                  << QStringList{"Errore, le date non sono congruenti",
                                                 "dal 10/03/2025 al 05/03/2025"};
    }

    // The PDF, as pdftotext reads it, and the clipboard's plain text and HTML show each value.
    void document() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(fee::CalcolaOptions, options);
        QFETCH(QStringList, shown);
        const Document document =
            describe(example(start, end, fee::ExclusionMode::SaturdaysAndSundays, options));

        QTemporaryDir folder;
        QVERIFY(!savePdf(toPdf(document), folder.filePath("a.pdf")));
        const QString pdf = pdfText(folder.filePath("a.pdf"));
        const std::unique_ptr<QMimeData> clipboard(toMimeData(document));
        for (const QString &value : shown) {
            QVERIFY2(pdf.contains(value), qPrintable(value + " not in the PDF:\n" + pdf));
            QVERIFY2(clipboard->text().contains(value), qPrintable(value));
            QVERIFY2(clipboard->html().contains(value.toHtmlEscaped()), qPrintable(value));
        }
        QCOMPARE(pdf.contains("Errore"), end < start);
    }

    void saveFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("sizeLimit"); // 0: none
        QTest::newRow("missing folder") << "missing/a.pdf" << false << 0;
        QTest::newRow("read-only folder") << "a.pdf" << true << 0;
        QTest::newRow("size limit") << "a.pdf" << false << 1000; // bytes, a fraction of the PDF
    }

    // The message names the path; a file that was there is untouched and nothing else is left.
    void saveFailures() {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(int, sizeLimit);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QFile old(folder.filePath("a.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        old.setPermissions(old.permissions() | QFile::WriteOther); // for the user in the child
        const auto rights = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(
            folder.path(),
            rights | (readOnly ? QFile::Permissions() : QFile::WriteOwner | QFile::WriteOther));

        const QByteArray pdf = toPdf(describe(example({2025, 3, 3}, {2025, 3, 14}, {}, {})));
        QVERIFY(pdf.size() > 1000);
        const std::optional<QString> saved = saveLimited(pdf, path, sizeLimit, readOnly);
        if (!saved)
            QSKIP("Windows has neither a per-process limit on writes nor folders that refuse "
                  "their owner");
        const QString message = *saved;
        QVERIFY2(message.startsWith(QStringLiteral("Impossibile salvare il PDF «%1»: ")
                                        .arg(QDir::toNativeSeparators(path))),
                 qPrintable(message));
        QVERIFY2(!message.endsWith(QStringLiteral("..")), qPrintable(message));
        QVERIFY(!message.contains("Unknown error"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), "old");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.pdf"});
        QFile::setPermissions(folder.path(), rights | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestRequest)
#include "tst_request.moc"
