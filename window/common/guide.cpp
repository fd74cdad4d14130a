#include "guide.h"

#include "documentoutput.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

// Outside any namespace, as Qt asks: the resources of a static library are registered by hand.
static void registerGuideResources() {
    Q_INIT_RESOURCE(guida);
}

namespace tolvemar {

namespace {

const QString kRoot = QStringLiteral("qrc:/guida/");

QString readPage(const QString &file) {
    static const bool registered = (registerGuideResources(), true);
    Q_UNUSED(registered);
    QFile page(QStringLiteral(":/guida/") + file);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

// The one guide window, reused for each F1 unless a modal dialog would block it.
QPointer<GuideWindow> openWindow;

} // namespace

QList<GuidePage> guidePages() {
    QList<GuidePage> pages;
    for (const QString &line : readPage(QStringLiteral("pagine.txt")).split(u'\n')) {
        const qsizetype bar = line.indexOf(u'|');
        if (bar > 0)
            pages.append({line.left(bar).trimmed(), line.mid(bar + 1).trimmed()});
    }
    return pages;
}

QString guidePageFor(const QWidget *widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (const auto *tabs = qobject_cast<const QTabWidget *>(widget);
            tabs && tabs->currentWidget()) {
            const QString page = tabs->currentWidget()->property("guida").toString();
            if (!page.isEmpty())
                return page;
        }
        const QString page = widget->property("guida").toString();
        if (!page.isEmpty())
            return page;
    }
    return guidePages().value(0).file;
}

void offerGuide(QWidget *window, const QString &page) {
    window->setProperty("guida", page);
    if (window->isWindow() && window->windowType() == Qt::Dialog) {
        auto *help = new QShortcut(QKeySequence::HelpContents, window);
        QObject::connect(help, &QShortcut::activated, window, [window] { showGuide(window); });
    }
}

void addGuideItems(QMenu *menu, QWidget *window) {
    QAction *guide =
        menu->addAction(QStringLiteral("Guida"), window, [window] { showGuide(window); });
    guide->setShortcut(QKeySequence::HelpContents);
    menu->addAction(QStringLiteral("Esporta la guida in PDF…"), window,
                    [window] { exportGuide(window); });
}

void showGuide(QWidget *from) {
    QWidget *focus = QApplication::focusWidget();
    const QString page = guidePageFor(focus && focus->window() == from->window() ? focus : from);
    // A modal dialog blocks every window but its own: the guide then opens as one of them.
    QWidget *modal = QApplication::activeModalWidget();
    if (!openWindow || (modal && openWindow->parentWidget() != modal)) {
        openWindow = new GuideWindow(modal ? modal : from->window());
        openWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    openWindow->open(page);
    openWindow->show();
    openWindow->raise();
    openWindow->activateWindow();
}

QByteArray guidePdf() {
    QString html;
    for (const GuidePage &page : guidePages()) {
        QString text = readPage(page.file);
        const qsizetype start = text.indexOf(QLatin1String("<body>"));
        const qsizetype end = text.lastIndexOf(QLatin1String("</body>"));
        if (start >= 0 && end > start)
            text = text.mid(start + 6, end - start - 6);
        // Each page on a new sheet; links between pages mean nothing on paper.
        html += QStringLiteral("<div%1>%2</div>")
                    .arg(html.isEmpty() ? QString()
                                        : QStringLiteral(" style=\"page-break-before: always\""),
                         text.remove(QRegularExpression(QStringLiteral("</?a\\b[^>]*>"))));
    }
    QTextDocument document;
    // The pictures by hand: a document outside a browser finds no file in the resources.
    static const QRegularExpression picture(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
    for (const auto &match : picture.globalMatch(html))
        document.addResource(QTextDocument::ImageResource, QUrl(match.captured(1)),
                             QImage(QStringLiteral(":/guida/") + match.captured(1)));
    document.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 11));
    document.setHtml(html);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Guida di Calcolo Tolvemar CT"));
    writer.setCreator(QStringLiteral("Calcolo Tolvemar CT"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    // QTextDocument::print keeps margins of 2 cm of its own.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    document.print(&writer);
    return pdf;
}

void exportGuide(QWidget *parent) {
    exportPdf(QStringLiteral("Guida di Calcolo Tolvemar CT.pdf"), parent, guidePdf);
}

GuideWindow::GuideWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , contents(new QListWidget(this))
    , browser(new QTextBrowser(this))
    , back(new QToolButton(this))
    , forward(new QToolButton(this))
    , find(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Guida di Calcolo Tolvemar CT"));
    back->setText(QStringLiteral("Indietro"));
    back->setAccessibleName(QStringLiteral("Pagina precedente"));
    back->setShortcut(QKeySequence::Back);
    forward->setText(QStringLiteral("Avanti"));
    forward->setAccessibleName(QStringLiteral("Pagina successiva"));
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    find->setPlaceholderText(QStringLiteral("Cerca nella guida"));
    find->setAccessibleName(QStringLiteral("Cerca nella guida"));
    find->setClearButtonEnabled(true);
    contents->setAccessibleName(QStringLiteral("Indice della guida"));
    browser->setAccessibleName(QStringLiteral("Pagina della guida"));
    browser->setSearchPaths({QStringLiteral(":/guida")});
    browser->setOpenExternalLinks(false);
    auto *pdf = new QPushButton(QStringLiteral("Esporta in PDF…"), this);
    pdf->setAccessibleName(QStringLiteral("Esporta la guida in PDF"));
    auto *label = new QLabel(QStringLiteral("&Cerca"), this);
    label->setBuddy(find);

    for (const GuidePage &page : guidePages()) {
        auto *item = new QListWidgetItem(page.title, contents);
        item->setData(Qt::UserRole, page.file);
    }
    auto *bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addSpacing(12);
    bar->addWidget(label);
    bar->addWidget(find, 1);
    bar->addWidget(pdf);
    auto *split = new QSplitter(this);
    split->addWidget(contents);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 640});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    resize(900, 640);

    connect(back, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { open(item->data(Qt::UserRole).toString()); });
    connect(contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { open(item->data(Qt::UserRole).toString()); });
    // The browser tells the new page before source() gives it.
    connect(browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &source) {
        for (int i = 0; i < contents->count(); ++i) {
            if (contents->item(i)->data(Qt::UserRole).toString() == source.fileName()) {
                const QSignalBlocker quiet(contents);
                contents->setCurrentRow(i);
            }
        }
    });
    connect(find, &QLineEdit::textChanged, this, &GuideWindow::search);
    connect(find, &QLineEdit::returnPressed, this, [this] {
        // The next place on the page, from the top again after the last.
        if (!browser->find(find->text())) {
            browser->moveCursor(QTextCursor::Start);
            browser->find(find->text());
        }
    });
    connect(pdf, &QPushButton::clicked, this, [this] { exportGuide(this); });
}

void GuideWindow::open(const QString &page) {
    browser->setSource(QUrl(kRoot + page));
}

QString GuideWindow::page() const {
    return browser->source().fileName();
}

// The contents keep only the pages that hold every word typed.
void GuideWindow::search(const QString &text) {
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < contents->count(); ++i) {
        QTextDocument page;
        page.setHtml(readPage(contents->item(i)->data(Qt::UserRole).toString()));
        const QString plain = page.toPlainText();
        bool all = true;
        for (const QString &word : words)
            all = all && plain.contains(word, Qt::CaseInsensitive);
        contents->item(i)->setHidden(!all);
    }
}

} // namespace tolvemar
