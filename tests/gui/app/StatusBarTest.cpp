#include <QtTest>

#include "gui/app/CProgStatusBar.h"
#include "gui/app/FileFilter.h"

using vexlor::ConnectionIcon;
using vexlor::gui::ConvertFileFilter;
using vexlor::gui::CProgStatusBar;

class StatusBarTest : public QObject {
    Q_OBJECT
  private slots:
    void progressProtocol_data();
    void progressProtocol();
    void rangeResetsPositionAndText();
    void mouseTextAndConnectionPane();
    void fileFilters_data();
    void fileFilters();
};

// Steps: "r low high", "p position", "a" (almost done). Expectation after the last step.
void StatusBarTest::progressProtocol_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("value");
    QTest::newRow("range alone keeps the bar hidden") << QStringList{"r 0 100"} << false << 0;
    QTest::newRow("position shows the bar") << QStringList{"r 0 100", "p 1"} << true << 1;
    QTest::newRow("position 0 hides it") << QStringList{"r 0 100", "p 40", "p 0"} << false << 0;
    QTest::newRow("almost done is upper minus one")
        << QStringList{"r 0 100", "p 3", "a"} << true << 99;
    QTest::newRow("almost done needs an upper bound of 2")
        << QStringList{"r 0 1", "p 1", "a"} << true << 1;
    QTest::newRow("upper bound 2 is enough") << QStringList{"r 0 2", "p 1", "a"} << true << 1;
    QTest::newRow("positions past the end hold at the end")
        << QStringList{"r 0 1", "p 1", "p 2", "p 3"} << true << 1;
    QTest::newRow("a new range starts at its low end")
        << QStringList{"r 0 100", "p 50", "r 0 5"} << true << 0;
    QTest::newRow("range bounds are 16 bits") << QStringList{"r 0 65537", "p 1"} << true << 1;
}

void StatusBarTest::progressProtocol() {
    QFETCH(QStringList, steps);
    QFETCH(bool, visible);
    QFETCH(int, value);
    CProgStatusBar bar;
    bar.show();
    for (const QString& step : steps) {
        QStringList parts = step.split(' ');
        if (parts[0] == "r") {
            bar.setRange(parts[1].toInt(), parts[2].toInt());
        } else if (parts[0] == "p") {
            bar.setPosition(parts[1].toInt());
        } else {
            bar.almostDone();
        }
    }
    QCOMPARE(bar.progressBar()->isVisible(), visible);
    QCOMPARE(bar.progressBar()->value(), value);
}

void StatusBarTest::rangeResetsPositionAndText() {
    CProgStatusBar bar;
    bar.show();
    bar.setRange(0, 0x10001);
    QCOMPARE(bar.progressBar()->maximum(), 1);
    bar.showMousePosition(3, 4);
    bar.setRange(0, 10);
    QCOMPARE(bar.paneText(0), QString("Ready"));
    bar.setPosition(7);
    bar.showMousePosition(3, 4);
    bar.setPosition(0);
    QCOMPARE(bar.paneText(0), QString("Ready"));
}

void StatusBarTest::mouseTextAndConnectionPane() {
    CProgStatusBar bar;
    bar.showMousePosition(120, 7);
    QCOMPARE(bar.paneText(0), QString("X=120 Y=7"));
    QCOMPARE(bar.paneText(1), QString("USB was not connected"));
    QVERIFY(!bar.connectedIconShown());
    bar.showConnection({ConnectionIcon::Connected, "USB STANDALONE WRITER"});
    QCOMPARE(bar.paneText(1), QString("USB STANDALONE WRITER"));
    QVERIFY(bar.connectedIconShown());
}

void StatusBarTest::fileFilters_data() {
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one pair") << "Hex Files (*.hex)|*.hex||"
                              << "Hex Files (*.hex)";
    QTest::newRow("two pairs") << "Hex Files (*.hex)|*.hex|OTP Files (*.otp)|*.otp||"
                               << "Hex Files (*.hex);;OTP Files (*.otp)";
    QTest::newRow("several patterns") << "Program (*.hex;*.bin)|*.hex;*.bin||"
                                      << "Program (*.hex *.bin)";
    QTest::newRow("description without patterns") << "All Files|*.*||"
                                                  << "All Files (*.*)";
    QTest::newRow("pattern wins over the description") << "Hex (*.h86)|*.hex||"
                                                       << "Hex (*.hex)";
    QTest::newRow("unpaired tail dropped") << "Hex (*.hex)|*.hex|Other"
                                           << "Hex (*.hex)";
    QTest::newRow("empty") << ""
                           << "";
}

void StatusBarTest::fileFilters() {
    QFETCH(QString, catalogue);
    QFETCH(QString, qt);
    QCOMPARE(ConvertFileFilter(catalogue.toStdString()), qt);
}

QTEST_MAIN(StatusBarTest)
#include "StatusBarTest.moc"
