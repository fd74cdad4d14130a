#include "tablefeedialog.h"

#include "articlechoice.h"
#include "fieldmark.h"
#include "guide.h"
#include "tablefeetext.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tolvemar {

namespace {

const QString kNone = QStringLiteral("—");

// "Totale delle attività" from the tables' "totale delle attività".
QString capitalized(const QString &text) {
    return text.left(1).toUpper() + text.mid(1);
}

// The caption with an access key on its first letter that `taken` does not hold; the letter
// joins `taken`.
QString withAccessKey(const QString &caption, QString &taken) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar letter = caption[i].toLower();
        if (letter.isLetter() && !taken.contains(letter)) {
            taken.append(letter);
            return QString(caption).insert(i, u'&');
        }
    }
    return caption;
}

QLabel *valueLabel(QWidget *parent) {
    auto *label = new QLabel(kNone, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

TableFeeDialog::TableFeeDialog(QDate day, QWidget *parent)
    : QDialog(parent)
    , article(new QComboBox(this))
    , valueCaptions{new QLabel(this), new QLabel(this)}
    , values{new QLineEdit(this), new QLineEdit(this)}
    , valueError(fieldmark::errorLabel(this))
    , reduction(new QComboBox(this))
    , quantityCaption(new QLabel(this))
    , quantity(new QSpinBox(this))
    , low(valueLabel(this))
    , middle(valueLabel(this))
    , high(valueLabel(this))
    , slices(new QTableWidget(0, 5, this))
    , basis(new QLabel(this))
    , sourceNote(new QLabel(this))
    , included(new QLabel(this))
    , copy(new QPushButton(QStringLiteral("&Copia il calcolo"), this)) {
    setWindowTitle(QStringLiteral("Onorari fissi e variabili"));
    offerGuide(this, QStringLiteral("onorari-a-valore.html"));
    // Named for the tests and for whoever reads the widget tree.
    const std::array<std::pair<QWidget *, const char *>, 12> names{{{article, "article"},
                                                                    {values[0], "value"},
                                                                    {values[1], "revenues"},
                                                                    {reduction, "reduction"},
                                                                    {quantity, "quantity"},
                                                                    {sourceNote, "sourceNote"},
                                                                    {low, "low"},
                                                                    {middle, "middle"},
                                                                    {high, "high"},
                                                                    {slices, "slices"},
                                                                    {basis, "basis"},
                                                                    {included, "included"}}};
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    setStyleSheet(QStringLiteral("QLineEdit[invalid=\"true\"] { border: 1px solid #b00000; }"
                                 "QLabel#error { color: #b00000; }"));
    const auto found = fee::decreeOn(day);
    if (const auto *shipped = std::get_if<const fee::Decree *>(&found))
        decree = *shipped;

    auto *form = new QFormLayout;
    auto *articleCaption = new QLabel(QStringLiteral("&Articolo"), this);
    articleCaption->setBuddy(article);
    article->setAccessibleName(QStringLiteral("Articolo"));
    if (decree)
        articlechoice::list(article, *decree);
    article->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    article->setMinimumContentsLength(48);
    form->addRow(articleCaption, article);
    for (int t = 0; t < 2; ++t) {
        valueCaptions[t]->setBuddy(values[t]);
        values[t]->setPlaceholderText(QStringLiteral("ad esempio 650.000,00"));
        form->addRow(valueCaptions[t], values[t]);
    }
    form->addRow(QString(), valueError);
    auto *reductionCaption = new QLabel(QStringLiteral("Ri&duzione"), this);
    reductionCaption->setBuddy(reduction);
    reduction->setAccessibleName(QStringLiteral("Riduzione"));
    form->addRow(reductionCaption, reduction);
    quantityCaption->setBuddy(quantity);
    quantity->setRange(1, fee::kMaxQuantity);
    form->addRow(quantityCaption, quantity);

    auto *points = new QGridLayout;
    const std::array<std::pair<const char *, QLabel *>, 3> named{
        {{"Minimo", low}, {"Medio", middle}, {"Massimo", high}}};
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(QString::fromLatin1(named[i].first), this);
        caption->setAlignment(Qt::AlignCenter);
        points->addWidget(caption, 0, i);
        points->addWidget(named[i].second, 1, i);
    }

    slices->setHorizontalHeaderLabels({QStringLiteral("Tabella"), QStringLiteral("Scaglione"),
                                       QStringLiteral("Quota"), QStringLiteral("Aliquote"),
                                       QStringLiteral("Importi")});
    slices->setAccessibleName(QStringLiteral("Scaglioni"));
    slices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    slices->setSelectionBehavior(QAbstractItemView::SelectRows);
    slices->verticalHeader()->hide();
    slices->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    slices->horizontalHeader()->setStretchLastSection(true);
    for (QLabel *note : {basis, sourceNote, included}) {
        note->setWordWrap(true);
        note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    if (decree)
        included->setText(decree->included);
    included->setVisible(!included->text().isEmpty());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    buttons->addButton(copy, QDialogButtonBox::ActionRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(points);
    layout->addWidget(slices, 1);
    layout->addWidget(basis);
    layout->addWidget(sourceNote);
    layout->addWidget(included);
    layout->addWidget(buttons);
    resize(720, 520);

    connect(article, &QComboBox::currentIndexChanged, this, &TableFeeDialog::articleChosen);
    for (QLineEdit *value : values)
        connect(value, &QLineEdit::textChanged, this, &TableFeeDialog::compute);
    connect(reduction, &QComboBox::currentIndexChanged, this, &TableFeeDialog::compute);
    connect(quantity, &QSpinBox::valueChanged, this, &TableFeeDialog::compute);
    connect(copy, &QPushButton::clicked, this, &TableFeeDialog::copyComputation);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (decree) {
        articleChosen();
    } else {
        article->setEnabled(false);
        display(nullptr);
        basis->setText(std::get<QString>(found));
    }
}

const fee::TableArticle &TableFeeDialog::chosen() const {
    return *decree->article(article->currentData().toString());
}

void TableFeeDialog::articleChosen() {
    if (articlechoice::moveToAnArticle(article))
        return; // chosen again, from the article now in front
    const fee::TableArticle &a = chosen();
    const bool byValue = a.kind == fee::FeeKind::Value;
    QString taken = QStringLiteral("acdq"); // Articolo, Copia, Riduzione, Quantità
    auto *form = qobject_cast<QFormLayout *>(layout()->itemAt(0)->layout());
    for (int t = 0; t < 2; ++t) {
        const QString caption = byValue && t < a.tables.size() ? capitalized(a.tables[t].value)
                                                               : QStringLiteral("Valore");
        valueCaptions[t]->setText(withAccessKey(caption, taken));
        values[t]->setAccessibleName(caption);
        values[t]->setEnabled(byValue);
        form->setRowVisible(values[t], t == 0 || (byValue && a.tables.size() > 1));
    }
    {
        const QSignalBlocker quiet(reduction); // one computation for the new article
        reduction->clear();
        reduction->addItem(QStringLiteral("nessuna"), QString());
        for (const fee::TableReduction &r : a.reductions)
            reduction->addItem(r.name, r.id);
        reduction->setEnabled(!a.reductions.isEmpty());
        const QSignalBlocker still(quantity);
        quantity->setValue(1);
    }
    const QString counted = a.quantity ? a.quantity->many : QString();
    quantityCaption->setText(QStringLiteral("&Quantità (%1)").arg(counted));
    quantity->setAccessibleName(QStringLiteral("Quantità di %1").arg(counted));
    form->setRowVisible(quantity, a.quantity.has_value());
    slices->setColumnHidden(0, a.tables.size() < 2);
    compute();
}

void TableFeeDialog::compute() {
    const fee::TableArticle &a = chosen();
    QList<fee::Cents> read;
    QWidget *bad = nullptr;
    QString message;
    for (int t = 0; t < 2; ++t)
        fieldmark::mark(values[t], valueError, {});
    for (int t = 0; a.kind == fee::FeeKind::Value && t < a.tables.size(); ++t) {
        if (values[t]->text().trimmed().isEmpty())
            return display(nullptr); // not typed yet: nothing to say
        const auto amount = fee::parseAmount(values[t]->text(), locale());
        if (const QString *error = std::get_if<QString>(&amount)) {
            bad = values[t];
            message = *error;
            break;
        }
        read.append(std::get<fee::Cents>(amount));
    }
    if (!bad) {
        const auto computed = fee::tableFee(a, read, reduction->currentData().toString(),
                                            a.quantity ? quantity->value() : 1);
        if (const auto *result = std::get_if<fee::TableFee>(&computed))
            return display(result);
        bad = values[0];
        message = std::get<QString>(computed);
    }
    fieldmark::mark(bad, valueError, message);
    display(nullptr);
}

void TableFeeDialog::display(const fee::TableFee *fee) {
    shown = fee ? std::optional(*fee) : std::nullopt;
    const std::array<std::pair<QLabel *, fee::Cents>, 3> points{
        {{low, fee ? fee->low : 0}, {middle, fee ? fee->middle : 0}, {high, fee ? fee->high : 0}}};
    const QStringList names{QStringLiteral("Minimo"), QStringLiteral("Medio"),
                            QStringLiteral("Massimo")};
    for (int i = 0; i < 3; ++i) {
        const QString text = fee ? fee::euroText(points[i].second) : kNone;
        points[i].first->setText(text);
        points[i].first->setAccessibleName(names[i] + QStringLiteral(": ") + text);
    }
    copy->setEnabled(fee != nullptr);
    slices->setRowCount(0);
    if (!decree)
        return;
    const fee::TableArticle &a = chosen();
    const QList<fee::SliceRow> rows = fee ? fee::sliceRows(a, *fee) : QList<fee::SliceRow>();
    slices->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells{rows[r].table, rows[r].range, rows[r].amount, rows[r].rates,
                                rows[r].fees};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            slices->setItem(r, c, item);
        }
    }
    const QString source = QStringLiteral("Secondo le %1 (in vigore dal %2).")
                               .arg(decree->basis, decree->inForce.toString(u"dd/MM/yyyy"));
    const QString minimum =
        a.kind == fee::FeeKind::Fixed
            ? fee::fixedFeeSentence(a)
            : QStringLiteral("Minimo dell'articolo: %1%2.")
                  .arg(fee::euroText(a.minimum),
                       fee && fee->floored ? QStringLiteral(", applicato") : QString());
    basis->setText(source + u' ' + minimum);
    basis->setToolTip(QStringLiteral("Fonti: %1.").arg(a.sources.join(QStringLiteral("; "))));
    sourceNote->setText(fee::sourceNote(*decree, a));
    sourceNote->setVisible(!sourceNote->text().isEmpty());
}

void TableFeeDialog::copyComputation() {
    if (!shown)
        return;
    const fee::TableArticle &a = chosen();
    QGuiApplication::clipboard()->setText(fee::tableFeeText(*decree, a, *shown));
}

} // namespace tolvemar
