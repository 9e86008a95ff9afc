// Starts the real orvale program under a virtual X display: its main window must appear with the
// program's caption, and Alt+F4 must end it after writing the settings file. Skipped where Xvfb
// or xdotool is not installed.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The output of a short xdotool run on the display, or an empty text.
QString XdoTool(const QString& display, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    tool.setProcessEnvironment(env);
    tool.start("xdotool", arguments);
    if (!tool.waitForFinished(3000))
        tool.kill();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// A virtual display that a client has been seen to reach, or an empty name. A display the
// server says it took may still turn clients away (seen on CI with :0, likely another server
// holding that number's socket outside our view), so each number is picked at random from a
// high range and checked with a real client before the program is started on it.
QString StartUsableDisplay(QProcess& server, QString& serverOutput) {
    for (int attempt = 0; attempt < 6; ++attempt) {
        const QString display =
            ":" + QString::number(200 + QRandomGenerator::global()->bounded(700));
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start("Xvfb", {display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        if (!server.waitForStarted(5000))
            return {};
        QElapsedTimer waited;
        waited.start();
        while (server.state() == QProcess::Running && waited.elapsed() < 8000) {
            if (XdoTool(display, {"getdisplaygeometry"}) == "1280 800")
                return display;
            QTest::qWait(100);
        }
        serverOutput += QString::fromLocal8Bit(server.readAll());
        server.kill();
        server.waitForFinished(3000);
    }
    return {};
}

}  // namespace

class XvfbStartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mainWindowAppearsWithItsCaptionAndClosesWithAltF4() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            QSKIP("Xvfb is not installed (package xvfb)");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed (package xdotool)");
        QProcess server;
        QString serverOutput;
        const QString display = StartUsableDisplay(server, serverOutput);
        if (display.isEmpty())
            QSKIP(qPrintable("no virtual display could be reached on this machine: " +
                             serverOutput.right(400)));

        // A copy in a folder of its own: the settings and the flights go there, not into the
        // build folder.
        QTemporaryDir folder;
        const QString program = folder.filePath("orvale");
        QVERIFY(QFile::copy(ORVALE_BINARY, program));
        QProcess orvale;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        orvale.setProcessEnvironment(env);
        orvale.setWorkingDirectory(folder.path());
        orvale.start(program, {});
        QVERIFY(orvale.waitForStarted(5000));

        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(window = XdoTool(display, {"search", "--name", "^Vantrel Orvale v1.04$"}))
                    .isEmpty() ||
                orvale.state() != QProcess::Running,
            15000);
        QVERIFY2(!window.isEmpty(), orvale.readAllStandardError().constData());
        window = window.split('\n').first();
        QCOMPARE(XdoTool(display, {"getwindowname", window}), QString("Vantrel Orvale v1.04"));

        XdoTool(display, {"windowfocus", "--sync", window});
        XdoTool(display, {"key", "alt+F4"});
        const bool ended = orvale.waitForFinished(10000);
        if (!ended)
            orvale.kill();
        server.terminate();
        server.waitForFinished(5000);
        QVERIFY2(ended, "orvale did not end on Alt+F4");
        QCOMPARE(orvale.exitCode(), 0);
        QFile settings(folder.filePath("QUENDA.INI"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("[ChVsCh]"));
        QVERIFY(QDir(folder.filePath("DATA")).exists("FLT-001.DAT"));
    }
};

QTEST_GUILESS_MAIN(XvfbStartTest)
#include "xvfb_start_test.moc"
