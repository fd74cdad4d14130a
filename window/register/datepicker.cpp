#include "datepicker.h"

#include "registertexts.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace tolvemar {

QToolButton *datePicker(QLineEdit *edit, QWidget *parent, std::function<void()> picked) {
    auto *button = new QToolButton(parent);
    button->setText(QStringLiteral("…"));
    button->setAccessibleName(QStringLiteral("Scegli la data: ") + edit->accessibleName());
    button->setToolTip(button->accessibleName());
    button->setPopupMode(QToolButton::InstantPopup);
    // The "…" says there is more; the menu's arrow beside it would only crowd the field.
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    auto *menu = new QMenu(button);
    auto *calendar = new QCalendarWidget(menu);
    calendar->setAccessibleName(QStringLiteral("Calendario: ") + edit->accessibleName());
    auto *action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar);
    menu->addAction(action);
    button->setMenu(menu);
    QObject::connect(menu, &QMenu::aboutToShow, calendar, [edit, calendar] {
        const auto typed = registertext::parseDate(edit->text());
        const QDate *date = std::get_if<QDate>(&typed);
        calendar->setSelectedDate(date && date->isValid() ? *date : QDate::currentDate());
    });
    QObject::connect(calendar, &QCalendarWidget::clicked, button,
                     [edit, menu, picked = std::move(picked)](QDate date) {
                         menu->close();
                         edit->setText(registertext::date(date));
                         picked();
                     });
    return button;
}

} // namespace tolvemar
