// Starts the real orvale program under a virtual X display: its main window must appear with the
// program's caption, and Alt+F4 must end it after writing the settings file. Skipped where Xvfb
// or xdotool is not installed.
#include <QDir>
#include <QFile>
#include <QProcess>
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

}  // namespace

class XvfbStartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mainWindowAppearsWithItsCaptionAndClosesWithAltF4() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            QSKIP("Xvfb is not installed (package xvfb)");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed (package xdotool)");
        // The server picks a free display itself and writes its number once it accepts
        // clients, so parallel runs never meet on one display.
        QProcess server;
        server.start("Xvfb",
                     {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine() || server.state() != QProcess::Running,
                                 15000);
        const QString number = QString::fromUtf8(server.readLine()).trimmed();
        QVERIFY2(!number.isEmpty(), "Xvfb did not start");
        const QString display = ":" + number;

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
