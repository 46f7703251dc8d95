#include "gui/app/CWriterApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <cstdio>

#include "core/app/AppContext.h"
#include "core/base/Diagnostics.h"
#include "core/base/InstalledLayout.h"
#include "gui/app/CWriterMainDlg.h"
#include "gui/app/DeferredIconStyle.h"
#include "gui/app/QtOperator.h"
#include "sim/SimSettings.h"

namespace vexlor::gui {

namespace {

// The job the simulated writer holds when none is named: a chip's option prototype.
constexpr const char* kDemoJob = "hwversion1.1/QR62J61.txt";

}  // namespace

bool ParseStartOptions(const QStringList& arguments, StartOptions& options, QString& error) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = argument + " needs a value";
                return false;
            }
            out = arguments[++i].toStdString();
            return true;
        };
        std::string text;
        if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument == "--sim-detached") {
            options.simulatedDetached = true;
        } else if (argument == "--verbose") {
            options.verbose = true;
        } else if (argument == "--exit-when-shown") {
            options.exitWhenShown = true;
        } else if (argument == "--base-dir") {
            if (!value(text)) {
                return false;
            }
            options.baseDirectory = text;
        } else if (argument == "--sim-version") {
            if (!value(text)) {
                return false;
            }
            options.simulatedVersion = sim::versionTextFor(text);
        } else if (argument == "--sim-job") {
            if (!value(text)) {
                return false;
            }
            options.simulatedJob = text;
        } else {
            error = "unknown option " + argument;
            return false;
        }
    }
    return true;
}

int RunWriterApp(int argc, char** argv, WriterEnvironment environment) {
    QElapsedTimer started;
    started.start();
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName("Vexlor_Writer");
    QCoreApplication::setOrganizationName("Vexlor");
    QCoreApplication::setApplicationVersion("1.0");
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));

    StartOptions start;
    QString error;
    if (!ParseStartOptions(QCoreApplication::arguments(), start, error)) {
        std::fprintf(stderr, "vexlor-writer: %s\n", qPrintable(error));
        std::fprintf(stderr,
                     "usage: vexlor-writer [--simulate [--sim-detached] [--sim-version V1.0|"
                     "V1.1|V2.0|TEXT] [--sim-job FILE]] [--base-dir DIR] [--verbose]\n");
        return 2;
    }
    if (!start.baseDirectory) {
        std::string why;
        start.baseDirectory =
            InstalledBaseDirectory(QCoreApplication::applicationDirPath().toStdString(),
                                   environment.xdgDataHome, environment.home, why);
        if (!why.empty()) {
            std::fprintf(stderr, "vexlor-writer: %s\n", why.c_str());
            return 2;
        }
    }
    std::error_code failure;
    if (start.baseDirectory) {
        std::filesystem::current_path(*start.baseDirectory, failure);
        if (failure) {
            std::fprintf(stderr, "vexlor-writer: cannot enter %s: %s\n",
                         start.baseDirectory->c_str(), failure.message().c_str());
            return 2;
        }
    }
    std::filesystem::path base = std::filesystem::current_path();

    QtOperator op;
    AppContext context(op, base, LanguageFromLocaleName(QLocale::system().name().toStdString()));
    SteadyClock clock;
    MainWindowOptions options;
    options.programDirectory = QCoreApplication::applicationDirPath().toStdString();
    options.session.paths = ResolveWriterPaths(
        options.programDirectory, environment.deviceDirectory, environment.accessLibrary);
    options.session.verbose = start.verbose || VerboseEnvironment(environment.verbose);
    options.session.simulate = start.simulate;
    options.session.simulatedAttached = !start.simulatedDetached;
    if (!start.simulatedVersion.empty()) {
        options.session.simulatedVersion = start.simulatedVersion;
    }
    options.session.simulatedJob = start.simulatedJob.value_or(base / kDemoJob);

    CWriterMainDlg window(context, op, clock, options);
    op.bind(&window, window.logEdit(), window.progStatusBar());
    window.session().connection().SelectTransport(false);
    window.OnInitDialog();
    window.show();
    if (start.exitWhenShown) {
        QTimer::singleShot(0, &application, [&] {
            std::printf("main window shown after %lld ms\n",
                        static_cast<long long>(started.elapsed()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    int result = application.exec();
    window.session().connection().CloseAtExit();
    return result;
}

}  // namespace vexlor::gui
