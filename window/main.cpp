#include "application.h"
#include "form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    tolvemar::setUpApplication(app);
    // Sizes given, so no image is read before one is drawn.
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tolvemar-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    tolvemar::Form1 form;
    form.load();
    form.show();
    return app.exec();
}
