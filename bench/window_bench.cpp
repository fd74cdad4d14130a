#include "application.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <memory>

// Start-up of the program's window against a bare window holding only its two calendars:
// what the twenty other controls, the fonts and the load handler add on top of the calendars.

namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

template <class Build> void showUntilPainted(benchmark::State &state, Build build) {
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = build();
        FirstPaint firstPaint;
        window->installEventFilter(&firstPaint);
        window->show();
        while (!firstPaint.painted)
            QCoreApplication::processEvents();

        state.PauseTiming();
        window.reset();
        // Objects that the widgets handed to deleteLater() go too, so no iteration pays for
        // the leftovers of the ones before.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void WindowStartup(benchmark::State &state) {
    showUntilPainted(state, [] {
        auto form = std::make_unique<tolvemar::Form1>();
        form->load();
        return form;
    });
}

// The program's window as it starts: Form1 with the menus, the register's among them, the status
// line and the settings.
void MainWindowStartup(benchmark::State &state) {
    showUntilPainted(state, [] {
        auto window = std::make_unique<tolvemar::MainWindow>();
        tolvemar::addRegister(*window);
        window->load();
        return window;
    });
}

void BareStartup(benchmark::State &state) {
    showUntilPainted(state, [] {
        auto window = std::make_unique<QWidget>();
        window->setFixedSize(1027, 536);
        (new QCalendarWidget(window.get()))->setGeometry(16, 16, 345, 249);
        (new QCalendarWidget(window.get()))->setGeometry(16, 272, 345, 249);
        return window;
    });
}

BENCHMARK(WindowStartup)->Unit(benchmark::kMillisecond);
BENCHMARK(MainWindowStartup)->Unit(benchmark::kMillisecond);
BENCHMARK(BareStartup)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tolvemar::setUpApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
