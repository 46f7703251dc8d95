#include <QtTest>

#include "gui/app/CWriterApp.h"

using vexlor::gui::ParseStartOptions;
using vexlor::gui::StartOptions;

class StartOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void parse_data();
    void parse();
};

void StartOptionsTest::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("simulate");
    QTest::addColumn<bool>("detached");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << QStringList{} << true << false << false << ""
                             << ""
                             << "";
    QTest::newRow("run command") << QStringList{"--simulate", "--base-dir", "build/base"} << true
                                 << true << false << "build/base"
                                 << ""
                                 << "";
    QTest::newRow("known version name")
        << QStringList{"--simulate", "--sim-version", "V1.1", "--sim-detached"} << true << true
        << true << ""
        << "USB STANDALONE WRITER_V1.1"
        << "";
    QTest::newRow("any other version text is taken as it is")
        << QStringList{"--sim-version", "MY WRITER"} << true << false << false << ""
        << "MY WRITER"
        << "";
    QTest::newRow("missing value") << QStringList{"--base-dir"} << false << false << false << ""
                                   << ""
                                   << "--base-dir needs a value";
    QTest::newRow("unknown option") << QStringList{"--simulated"} << false << true << false << ""
                                    << ""
                                    << "unknown option --simulated";
}

void StartOptionsTest::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(bool, simulate);
    QFETCH(bool, detached);
    QFETCH(QString, base);
    QFETCH(QString, version);
    QFETCH(QString, error);
    arguments.prepend("vexlor-writer");
    StartOptions options;
    QString reason;
    QCOMPARE(ParseStartOptions(arguments, options, reason), ok);
    QCOMPARE(reason, error);
    if (!ok) {
        return;
    }
    QCOMPARE(options.simulate, simulate);
    QCOMPARE(options.simulatedDetached, detached);
    QCOMPARE(QString::fromStdString(options.baseDirectory.value_or("").string()), base);
    QCOMPARE(QString::fromStdString(options.simulatedVersion), version);
}

QTEST_GUILESS_MAIN(StartOptionsTest)
#include "StartOptionsTest.moc"
