#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace tolvemar {

// Where a window whose outer rectangle, title bar included, is `frame` goes on `available`: its
// size bounded by the area, and moved so that it lies wholly there.
QRect fittedFrame(const QRect &frame, const QRect &available);

// Puts every window and dialog the application opens inside the available area of its screen,
// on first showing: a window larger than a laptop's screen is shrunk to it, one beyond its edge
// moved back. A window that fits keeps its size and place.
class ScreenFit : public QObject {
    Q_OBJECT

public:
    explicit ScreenFit(QObject *parent = nullptr);

    // Fits `window` now.
    static void fit(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tolvemar
