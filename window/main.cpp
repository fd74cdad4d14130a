#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Calcolo Tolvemar CT"));
    placeholder.setWindowTitle(QStringLiteral("Calcolo Tolvemar CT"));
    placeholder.show();
    return app.exec();
}
