#include "form1.h"

#include "conversions.h"
#include "formdescription.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCharFormat>

namespace tolvemar {

namespace {

QRect pixels(const ControlDescription &control) {
    return QRect(control.left / kTwipsPerPixel, control.top / kTwipsPerPixel,
                 control.width / kTwipsPerPixel, control.height / kTwipsPerPixel);
}

// The calendars keep the fonts of their own stored settings; every other visible control is
// drawn in bold "MS Sans Serif".
QFont controlFont(const ControlDescription &control) {
    QFont font;
    if (control.kind == ControlKind::Calendar) {
        font.setFamily(QStringLiteral("Arial"));
    } else {
        font.setFamily(QStringLiteral("MS Sans Serif"));
        font.setBold(true);
    }
    font.setPointSizeF(control.fontPoints);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A label is one line of its font high and as wide as its caption; its left edge and top stay
// put, so a longer caption grows it to the right. The window clips what runs past its edge.
void setCaption(QLabel *label, const QString &caption) {
    label->setText(caption);
    const QFontMetrics metrics(label->font());
    label->resize(metrics.horizontalAdvance(caption), metrics.height());
}

QCalendarWidget *createCalendar(QWidget *form) {
    auto *calendar = new QCalendarWidget(form);
    // Month and day names stay Italian whatever the regional settings.
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    // The dates the conversions write and read back.
    calendar->setDateRange(*fee::dateFromSerial(fee::kFirstSerial),
                           *fee::dateFromSerial(fee::kLastSerial));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    QTextCharFormat dayNames = calendar->headerTextFormat();
    dayNames.setFontWeight(QFont::Bold);
    calendar->setHeaderTextFormat(dayNames);
    // The month and year title in the third of the calendar's fonts, 12 points bold.
    if (auto *title = calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"))) {
        QFont titleFont(QStringLiteral("Arial"));
        titleFont.setPointSizeF(12);
        titleFont.setBold(true);
        title->setFont(titleFont);
    }
    return calendar;
}

QComboBox *createCombo(QWidget *form, const QString &text) {
    auto *combo = new QComboBox(form);
    combo->setEditable(true);
    // Typed text is taken as typed: not completed, not added to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QStringList items;
    for (const char *item : kCombo1Items)
        items.append(QLatin1String(item));
    combo->addItems(items);
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
    return combo;
}

QWidget *createControl(const ControlDescription &control, QWidget *form) {
    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::Calendar:
        widget = createCalendar(form);
        break;
    case ControlKind::CommandButton: {
        auto *button = new QPushButton(control.caption, form);
        // Enter presses neither button.
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case ControlKind::OptionButton:
        widget = new QRadioButton(control.caption, form);
        break;
    case ControlKind::ComboBox:
        widget = createCombo(form, control.caption);
        break;
    case ControlKind::Label: {
        auto *label = new QLabel(form);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    case ControlKind::TextBox:
        // A working field: holds a value as text, never seen or focused.
        widget = new QLineEdit(control.caption, form);
        widget->hide();
        break;
    }
    widget->setObjectName(QLatin1String(control.name));
    widget->setGeometry(pixels(control));
    if (control.fontPoints > 0)
        widget->setFont(controlFont(control));
    if (control.colour.isValid())
        setTextColour(widget, control.colour);
    if (auto *label = qobject_cast<QLabel *>(widget))
        setCaption(label, control.caption);
    return widget;
}

template <class Control> Control *control(QWidget *form, const char *name) {
    auto *found = form->findChild<Control *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(found);
    return found;
}

// The caption label names its control for screen readers, without the trailing colon.
void setCaptionLabel(QLabel *label, QWidget *control) {
    label->setBuddy(control);
    QString name = label->text();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control->setAccessibleName(name);
    if (QWidget *proxy = control->focusProxy())
        proxy->setAccessibleName(name);
}

fee::DateSerial value(const QCalendarWidget *calendar) {
    return fee::serialFromDate(calendar->selectedDate());
}

void setValue(QCalendarWidget *calendar, fee::DateSerial serial) {
    if (const auto date = fee::dateFromSerial(serial))
        calendar->setSelectedDate(*date);
}

} // namespace

Form1::Form1(Clock clock, QWidget *parent)
    : QWidget(parent)
    , clock(std::move(clock)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Calcolo Tolvemar CT"));
    setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

    // Created in tab order, so the focus chain follows the description.
    for (const ControlDescription &description : form1Description())
        createControl(description, this);

    Calendar1 = control<QCalendarWidget>(this, "Calendar1");
    Calendar2 = control<QCalendarWidget>(this, "Calendar2");
    Command1 = control<QPushButton>(this, "Command1");
    Command2 = control<QPushButton>(this, "Command2");
    Text1 = control<QLineEdit>(this, "Text1");
    Text2 = control<QLineEdit>(this, "Text2");
    Option1 = control<QRadioButton>(this, "Option1");
    Option2 = control<QRadioButton>(this, "Option2");
    Option3 = control<QRadioButton>(this, "Option3");
    Label3 = control<QLabel>(this, "Label3");
    Label4 = control<QLabel>(this, "Label4");
    Label6 = control<QLabel>(this, "Label6");
    Label10 = control<QLabel>(this, "Label10");
    Label11 = control<QLabel>(this, "Label11");
    Combo1 = control<QComboBox>(this, "Combo1");

    modes = new QButtonGroup(this);
    modes->addButton(Option1, int(fee::ExclusionMode::None));
    modes->addButton(Option2, int(fee::ExclusionMode::SaturdaysAndSundays));
    modes->addButton(Option3, int(fee::ExclusionMode::Sundays));

    setCaptionLabel(control<QLabel>(this, "Label1"), Calendar1);
    setCaptionLabel(control<QLabel>(this, "Label2"), Calendar2);
    setCaptionLabel(control<QLabel>(this, "Label7"), Combo1);

    Calendar1->setFocus();

    // A day chosen by mouse or keyboard changes the selection.
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, &Form1::startDateChosen);
    connect(Calendar2, &QCalendarWidget::selectionChanged, this, &Form1::endDateChosen);
    connect(Command1, &QPushButton::clicked, this, &Form1::calcola);
    // Esci closes the window that holds the form, and so ends the program.
    connect(Command2, &QPushButton::clicked, this, [this] { window()->close(); });
}

void Form1::load() {
    setValue(Calendar1, clock());
    setValue(Calendar2, clock());
    Option1->setChecked(true);
    // The fields get what the calendars keep of the clock readings: the date alone.
    Text1->setText(fee::dateToText(value(Calendar1), QLocale()));
    Text2->setText(fee::dateToText(value(Calendar2), QLocale()));
    setCaption(Label3, Text1->text());
    setCaption(Label4, Text2->text());
    setCaption(Label10, fee::integerToText(0, QLocale()));
    setCaption(Label11, fee::integerToText(0, QLocale()));
}

void Form1::setOptions(const fee::CalcolaOptions &chosen) {
    options = chosen;
}

void Form1::startDateChosen() {
    Text1->setText(fee::dateToText(value(Calendar1), QLocale()));
    setCaption(Label3, Text1->text());
}

void Form1::endDateChosen() {
    Text2->setText(fee::dateToText(value(Calendar2), QLocale()));
    setCaption(Label4, Text2->text());
}

void Form1::calcola() {
    // No option is selected only before the load handler has run.
    const int mode = modes->checkedId();
    const fee::CalcolaInput input{Text1->text(), Text2->text(),
                                  mode < 0 ? fee::ExclusionMode::None : fee::ExclusionMode(mode),
                                  Combo1->currentText()};
    const fee::CalcolaResult result = fee::calcola(input, options, QLocale());
    if (result.dateOrderWarning)
        showCritical(QString::fromUtf8(fee::kDateOrderWarning));
    if (result.failed()) {
        showCritical(result.error);
        return;
    }
    setCaption(Label6, result.label6);
    setCaption(Label10, result.label10);
    setCaption(Label11, result.label11);
    emit computed(input, options, result);
}

void Form1::showCritical(const QString &text) {
    QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), text);
}

} // namespace tolvemar
