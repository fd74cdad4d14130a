#include "guide.h"
#include "output.h"
#include "pdftext.h"
#include "registerdriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using tolvemar::GuideWindow;

namespace {

QString resource(const QString &file) {
    QFile page(QStringLiteral(":/guida/") + file);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

QStringList matches(const QString &text, const char *pattern) {
    QStringList found;
    for (const auto &match : QRegularExpression(QLatin1String(pattern)).globalMatch(text))
        found.append(match.captured(1));
    return found;
}

// What a user reads on the controls of `root`: menus and their items, buttons, tabs, labels,
// group titles and the headers of tables, without "&" and a label's colon.
QSet<QString> controlTexts(const QWidget *root) {
    QStringList texts{root->windowTitle()};
    for (const QAction *action : root->findChildren<QAction *>())
        texts.append(action->text());
    for (const QMenu *menu : root->findChildren<QMenu *>())
        texts.append(menu->title());
    for (const QAbstractButton *button : root->findChildren<QAbstractButton *>())
        texts.append(button->text());
    for (const QTabWidget *tabs : root->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            texts.append(tabs->tabText(i));
    for (const QLabel *label : root->findChildren<QLabel *>())
        texts.append(label->text());
    for (const QGroupBox *group : root->findChildren<QGroupBox *>())
        texts.append(group->title());
    for (const QAbstractItemView *view : root->findChildren<QAbstractItemView *>()) {
        const QAbstractItemModel *model = view->model();
        for (int i = 0; model && i < model->columnCount(); ++i)
            texts.append(model->headerData(i, Qt::Horizontal).toString());
    }
    QSet<QString> cleaned;
    for (QString text : texts) {
        text = text.section(u'\t', 0, 0).remove(u'&').trimmed();
        if (text.endsWith(u':'))
            text.chop(1);
        cleaned.insert(text);
    }
    return cleaned;
}

// The guide's window open now, and the page it shows, marked in its contents too.
QString shownPage() {
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *guide = qobject_cast<GuideWindow *>(widget); guide && guide->isVisible()) {
            const QListWidgetItem *marked = guide->findChild<QListWidget *>()->currentItem();
            if (!marked || marked->data(Qt::UserRole).toString() != guide->page())
                return QStringLiteral("not marked in the contents: ") + guide->page();
            return guide->page();
        }
    }
    return QStringLiteral("no guide open");
}

void closeGuides() {
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *guide = qobject_cast<GuideWindow *>(widget))
            guide->close();
    QCoreApplication::processEvents();
}

// With TOLVEMAR_PICTURES set to a folder, the guide's pictures are saved there as the program
// now looks (tests/guide/pictures.sh).
void picture(QWidget *window, const QString &name) {
    const QString folder = qEnvironmentVariable("TOLVEMAR_PICTURES");
    if (!folder.isEmpty())
        QVERIFY(window->grab().save(folder + u'/' + name));
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT

    RegisterDriver r;

private slots:
    void initTestCase() { r.setUpApplication(); }
    void init() {
        r.startClean();
        registerfile::seed(QStringLiteral("300/2025"), {registerfile::kMorning});
    }
    void cleanup() {
        closeGuides();
        QCOMPARE(r.finish(), QStringList());
    }

    // Every link goes to a page of the guide and an anchor of it, every picture is there, and
    // every page is in the contents.
    void linksResolve() {
        const QList<tolvemar::GuidePage> pages = tolvemar::guidePages();
        QVERIFY(pages.size() >= 10);
        QStringList files;
        for (const auto &page : pages) {
            const QString html = resource(page.file);
            QVERIFY2(!html.isEmpty(), qPrintable(page.file));
            QVERIFY2(html.contains(QStringLiteral("<h1>%1</h1>").arg(page.title)),
                     qPrintable(page.file));
            files.append(page.file);
            for (const QString &link : matches(html, "href=\"([^\"]*)\"")) {
                const QString target =
                    link.section(u'#', 0, 0).isEmpty() ? page.file : link.section(u'#', 0, 0);
                const QString anchor = link.section(u'#', 1);
                const QString linked = resource(target);
                QVERIFY2(!linked.isEmpty(), qPrintable(page.file + ": " + link));
                QVERIFY2(anchor.isEmpty() ||
                             linked.contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                         qPrintable(page.file + ": " + link));
            }
            for (const QString &image : matches(html, "<img[^>]*src=\"([^\"]*)\"")) {
                QVERIFY2(QFile::exists(QStringLiteral(":/guida/") + image),
                         qPrintable(page.file + ": " + image));
            }
        }
        const QStringList all = QDir(QStringLiteral(":/guida")).entryList({"*.html"});
        QCOMPARE(QSet<QString>(all.begin(), all.end()), QSet<QString>(files.begin(), files.end()));
    }

    // The guide names in «» only menus, items, buttons, tabs, labels and columns the program has.
    void namesAreReal() {
        QVERIFY(r.openRegister());
        QSet<QString> real = controlTexts(&r.driver->window()) + controlTexts(r.registerWindow);
        for (const QWidget *dialog : everyDialog(r.registerWindow))
            real += controlTexts(dialog);
        QStringList unknown;
        for (const auto &page : tolvemar::guidePages()) {
            for (const QString &name : matches(resource(page.file), "«([^»]*)»")) {
                if (!real.contains(name))
                    unknown.append(page.file + QStringLiteral(": «") + name + u'»');
            }
        }
        QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(u'\n')));
    }

    // F1 opens the guide where the user is: the window, the tab in front, the dialog. A row
    // names the page, and the picture of that place.
    void helpKey_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("calculator") << "calcolatore";
        QTest::newRow("register's list") << "registro";
        QTest::newRow("first tab") << "sedute";
        QTest::newRow("Liquidazione e pagamenti") << "liquidazione";
        QTest::newRow("fees by value") << "onorari-a-valore";
        QTest::newRow("request") << "istanza";
    }

    void helpKey() {
        QFETCH(QString, where);
        WindowDriver &driver = *r.driver;
        QString seen;
        if (where == QLatin1String("calcolatore")) {
            driver.child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2026, 3, 2));
            driver.child<QCalendarWidget>("Calendar2")->setSelectedDate(QDate(2026, 3, 13));
            driver.type(QStringLiteral("3"));
            QVERIFY(driver.pressCalcola(true));
            picture(&driver.window(), where + QStringLiteral(".png"));
            driver.key(Qt::Key_F1);
            seen = shownPage();
        } else if (where == QLatin1String("onorari-a-valore") ||
                   where == QLatin1String("istanza")) {
            driver.fillDialog = [&seen, &where](QDialog *dialog) {
                picture(dialog, where + QStringLiteral(".png"));
                dialog->activateWindow();
                QVERIFY(QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); }));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
                seen = shownPage();
            };
            if (where == QLatin1String("onorari-a-valore")) {
                for (QMenu *menu : driver.window().menuBar()->findChildren<QMenu *>())
                    if (menu->title() == QLatin1String("&Strumenti"))
                        menu->actions().at(0)->trigger();
            } else {
                QVERIFY(driver.pressCalcola(true));
                driver.key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
            }
            r.driver->takeBoxes();
        } else {
            QVERIFY(r.openRegister());
            auto *tabs = r.registerWindow->findChild<QTabWidget *>();
            tabs->setCurrentIndex(where == QLatin1String("liquidazione") ? 1 : 0);
            QWidget *focus = where == QLatin1String("registro")
                                 ? static_cast<QWidget *>(r.field<QTableView>("Incarichi"))
                                 : tabs->tabBar();
            focus->setFocus();
            if (where != QLatin1String("sedute") &&
                qEnvironmentVariableIsSet("TOLVEMAR_PICTURES")) {
                // Whole, as on a desktop's screen, without the scroll bar of a laptop's.
                r.registerWindow->resize(1240, 980);
                picture(r.registerWindow, where + QStringLiteral(".png"));
            }
            QTest::keyClick(focus, Qt::Key_F1);
            seen = shownPage();
        }
        QCOMPARE(seen, where + QStringLiteral(".html"));
    }

    // Typing in the search field keeps in the contents only the pages that hold the words.
    void search() {
        GuideWindow guide;
        auto *contents = guide.findChild<QListWidget *>();
        const auto shown = [&guide, contents](const QString &words) {
            guide.findChild<QLineEdit *>()->setText(words);
            QStringList pages;
            for (int i = 0; i < contents->count(); ++i)
                if (!contents->item(i)->isHidden())
                    pages.append(contents->item(i)->data(Qt::UserRole).toString());
            return pages;
        };
        QVERIFY(shown(QStringLiteral("fatturapa")).contains(QStringLiteral("liquidazione.html")));
        QVERIFY(!shown(QStringLiteral("fatturapa")).contains(QStringLiteral("calcolatore.html")));
        QCOMPARE(shown(QStringLiteral("FatturaPA parolachenoncè")), QStringList());
    }

    // The PDF holds every page of the guide, each from a new sheet.
    void pdf() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("guida.pdf"));
        QVERIFY(!request::savePdf(tolvemar::guidePdf(), path));
        const QString text = pdfText(path);
        for (const auto &page : tolvemar::guidePages())
            QVERIFY2(text.simplified().contains(page.title), qPrintable(page.title));
        QVERIFY(text.count(u'\f') >= tolvemar::guidePages().size());
    }
};

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
