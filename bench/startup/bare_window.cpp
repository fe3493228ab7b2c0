// A bare Qt Quick window with a toolbar, started by bench_startup as the floor its first-window
// figure is compared with.
#include <QGuiApplication>
#include <QQmlApplicationEngine>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.load(QUrl(QStringLiteral("qrc:/bare_window.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
