#include "screenfit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tolvemar {

QRect fittedFrame(const QRect &frame, const QRect &available) {
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    if (fitted.right() > available.right())
        fitted.moveRight(available.right());
    if (fitted.bottom() > available.bottom())
        fitted.moveBottom(available.bottom());
    if (fitted.left() < available.left())
        fitted.moveLeft(available.left());
    if (fitted.top() < available.top())
        fitted.moveTop(available.top());
    return fitted;
}

ScreenFit::ScreenFit(QObject *parent)
    : QObject(parent) {}

void ScreenFit::fit(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is known once the window is on screen; before, a title bar's worth is kept free.
    QMargins margins(window->geometry().left() - window->frameGeometry().left(),
                     window->geometry().top() - window->frameGeometry().top(),
                     window->frameGeometry().right() - window->geometry().right(),
                     window->frameGeometry().bottom() - window->geometry().bottom());
    if (margins.isNull() && !window->isVisible())
        margins = QMargins(8, 31, 8, 8);
    const QRect frame = window->geometry().marginsAdded(margins);
    const QRect fitted = fittedFrame(frame, screen->availableGeometry());
    if (fitted == frame)
        return;
    const QRect inside = fitted.marginsRemoved(margins);
    window->setMinimumSize(window->minimumSize().boundedTo(inside.size()));
    window->setGeometry(inside);
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog) &&
            !widget->property("screenFitted").toBool()) {
            widget->setProperty("screenFitted", true);
            fit(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tolvemar
