// The anchor of the start-up timing: an empty Qt 6 main window, shown and closed the way the
// program's --exit-when-shown does it. Other arguments are ignored.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QElapsedTimer started;
    started.start();
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    QTimer::singleShot(0, &application, [&] {
        std::printf("main window shown after %lld ms\n", static_cast<long long>(started.elapsed()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return application.exec();
}
