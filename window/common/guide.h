#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QMenu;
class QTextBrowser;
class QToolButton;

// "Guida di Calcolo Tolvemar CT": its pages, in the program's resources so that it is there
// offline and wherever the program is installed, the window that shows them, and its PDF.
namespace tolvemar {

struct GuidePage {
    QString file; // "registro.html", under :/guida/
    QString title;
};

// The pages in the order of the contents, the first the guide's own start page.
QList<GuidePage> guidePages();

// The page that speaks of what `widget` belongs to: the nearest of its ancestors that names one
// (property "guida"), where a tab widget counts by the tab in front.
QString guidePageFor(const QWidget *widget);

// Names `page` as the guide's page for `window` and its children; for a dialog, F1 opens it.
void offerGuide(QWidget *window, const QString &page);

// "Guida" (F1) and "Esporta la guida in PDF…", for the "?" menu of a window.
void addGuideItems(QMenu *menu, QWidget *window);

// Opens the guide on the page for what has the focus in `from`, in the guide's window if one is
// open, else in a new one beside `from`.
void showGuide(QWidget *from);

// The whole guide as one PDF, with its pictures, page after page.
QByteArray guidePdf();

// Asks where to save the guide's PDF and writes it, whole or not at all.
void exportGuide(QWidget *parent);

class GuideWindow : public QWidget {
    Q_OBJECT

public:
    explicit GuideWindow(QWidget *parent = nullptr);

    void open(const QString &page);
    QString page() const; // the file shown, without its anchor

private:
    void search(const QString &text);

    QListWidget *contents;
    QTextBrowser *browser;
    QToolButton *back;
    QToolButton *forward;
    QLineEdit *find;
};

} // namespace tolvemar
