#pragma once

#include <functional>

class QLineEdit;
class QToolButton;
class QWidget;

namespace tolvemar {

// The button beside a date field that drops a calendar: a date picked is written into `edit` as
// one typed, then `picked` saves it as the field would.
QToolButton *datePicker(QLineEdit *edit, QWidget *parent, std::function<void()> picked);

} // namespace tolvemar
