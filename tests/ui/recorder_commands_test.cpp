// The recorder commands of the main window against the emulated recorder on a pseudo-terminal:
// capture through the real status dialog and its Cancel, the commands refused while a transfer
// runs, closing the window mid-transfer, the clear and deployment commands, and the Configure
// Port dialog.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/command_table.h"
#include "app/qt_prompts.h"
#include "device/device_commands.h"
#include "device/device_link.h"
#include "device/emulator_thread.h"
#include "device/port_dialog.h"
#include "device/status_dialog.h"
#include "modal_driver.h"
#include "program_fixture.h"

namespace orvale {

namespace {

namespace fs = std::filesystem;
using test::Program;

// A program whose recorder is the emulator, holding a shipped sample flight.
struct RecorderProgram : Program {
    explicit RecorderProgram(tavix::ServeOptions options = {}) {
        served = test::ReadWhole(test::SamplesFolder() + "FLT-002.DAT");
        recorder = std::make_unique<test::EmulatorThread>(
            options, std::vector<uint8_t>(served.begin(), served.end()));
        state.device.deviceName = recorder->Device();
    }
    TStatusDlg& Status() { return *form->StatusDlg; }
    void Capture(const std::string& name) {
        prompts.fileAnswers.push_back(Data() + name);
        QTest::mouseClick(form->Button("DownLoadBtn"), Qt::LeftButton);
    }

    std::string served;
    std::unique_ptr<test::EmulatorThread> recorder;
};

// Runs act once, from the event loop of the running transfer, as soon as the status dialog is
// showing the transfer of the image.
void DuringTransfer(TStatusDlg& status, std::function<void()> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &status, act] {
        if (status.isVisible() && status.StatusLine->text() == "Transfering Data" &&
            status.ProgressMeter->value() > 0) {
            timer->stop();
            timer->deleteLater();
            act();
        }
    });
    timer->start(10);
}

struct CloseCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            ++count;
        return false;
    }
    int count = 0;
};

}  // namespace

class RecorderCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captureStoresVerifiesAndLoadsTheFlight() {
        tavix::ServeOptions paced;
        paced.baud = 115200;  // under a second: long enough to look at the dialog on the way
        RecorderProgram p(paced);
        QVERIFY(p.FlightCommandsDisabled());
        bool shownNonModal = false;
        bool onTop = false;
        DuringTransfer(p.Status(), [&] {
            shownNonModal = !p.Status().isModal() && QApplication::activeModalWidget() == nullptr;
            onTop = p.Status().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        p.Capture("CAPTURED.DAT");
        QVERIFY(p.prompts.warnings.empty());
        QCOMPARE(test::ReadWhole(p.Data() + "CAPTURED.DAT"), p.served);
        QVERIFY(shownNonModal);
        QVERIFY(onTop);
        QCOMPARE(p.prompts.summariesShown, 1);
        QVERIFY(p.FlightCommandsEnabled());
        QCOMPARE(QString::fromStdString(p.state.current().dataFileName),
                 QString::fromStdString(p.Data() + "CAPTURED.DAT"));
        QVERIFY(!p.state.flight.date.empty());
        QVERIFY(fs::exists(p.Data() + "CAPTURED.PAR"));
        QVERIFY(!p.Status().isVisible());
        QCOMPARE(p.Status().StatusLine->text(), QString("Transfer Complete."));
        QCOMPARE(p.Status().ProgressMeter->value(), 100);
        QVERIFY(!p.form->Link().Busy());
    }

    // "FLT-003" and Enter in "Save Captured Data": the dialog adds ".dat" and checks only that
    // spelling, so it asks nothing itself; the capture asks once about FLT-003.DAT and
    // FLT-003.PAR, and declining sends nothing to the recorder and changes no file.
    void captureOverAnExistingFlightAsksOnceAboutBothFiles() {
        RecorderProgram p;
        test::PutFile(p.Data() + "FLT-003.DAT", "an older flight");
        test::PutFile(p.Data() + "FLT-003.PAR", "[Flight Data]\r\nNote=older\r\n");

        QtPrompts dialogs;
        FileDialogRequest request;
        request.title = "Save Captured Data";
        request.filter = "Data files|*.dat";
        request.defaultExtension = "dat";
        request.initialDirectory = p.Data();
        bool asked = false;
        test::WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr)
                return;
            test::WhenModal(
                [&](QWidget* box) {
                    asked = true;
                    box->close();
                },
                dialog, 1000);
            // Typed, as the flyer does: the name edit is what a save dialog takes.
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
                edit->setText("FLT-003.DAT");
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            if (dialog->isVisible())
                dialog->reject();  // it did not take the name: the test sees it cancelled
        });
        const std::optional<std::string> chosen = dialogs.AskSaveFileName(request);
        QVERIFY(!asked);
        QCOMPARE(QString::fromStdString(chosen.value_or("cancelled")),
                 QString::fromStdString(p.Data() + "FLT-003.DAT"));

        p.prompts.confirmAnswer = false;
        p.Capture("FLT-003.dat");
        QCOMPARE(p.prompts.confirmations,
                 std::vector<std::string>{
                     "FLT-003.DAT and FLT-003.PAR already exist.\nDo you want to replace them?"});
        QCOMPARE(test::ReadWhole(p.Data() + "FLT-003.DAT"), std::string("an older flight"));
        QCOMPARE(test::ReadWhole(p.Data() + "FLT-003.PAR"),
                 std::string("[Flight Data]\r\nNote=older\r\n"));
        QCOMPARE(p.prompts.summariesShown, 0);
        QVERIFY(p.FlightCommandsDisabled());
    }

    void cancelInTheStatusDialogStopsTheCaptureAndKeepsTheOlderFlight() {
        tavix::ServeOptions slow;
        slow.baud = 19200;  // about four seconds of image
        RecorderProgram p(slow);
        test::PutFile(p.Data() + "CAPTURED.DAT", "an older flight");
        QString caption;
        DuringTransfer(p.Status(), [&] {
            caption = p.Status().Button1->text();
            QTest::mouseClick(p.Status().Button1, Qt::LeftButton);
        });
        const std::string nameBefore = p.state.current().dataFileName;
        const std::string folderBefore = p.state.workingDirectory;
        QElapsedTimer took;
        took.start();
        p.Capture("CAPTURED.DAT");
        QVERIFY(took.elapsed() < 3000);
        // The flight in memory keeps its own name: Sum and the parameter editor see it as it was.
        QCOMPARE(p.state.current().dataFileName, nameBefore);
        QCOMPARE(p.state.workingDirectory, folderBefore);
        QCOMPARE(caption, QString("&Cancel"));
        QCOMPARE(p.prompts.warnings, std::vector<std::string>{"User aborted transfer"});
        QCOMPARE(p.prompts.summariesShown, 0);
        QVERIFY(p.FlightCommandsDisabled());
        QVERIFY(!p.Status().isVisible());
        QCOMPARE(test::ReadWhole(p.Data() + "CAPTURED.DAT"), std::string("an older flight"));
        QVERIFY(!fs::exists(p.Data() + "CAPTURED.PAR"));
        QVERIFY(!p.form->Link().Busy());
    }

    void adapterUnpluggedDuringACaptureIsToldAndKeepsTheOlderFlight() {
        tavix::ServeOptions slow;
        slow.baud = 19200;  // about four seconds of image
        RecorderProgram p(slow);
        const std::string device = p.state.device.deviceName;
        test::PutFile(p.Data() + "CAPTURED.DAT", "an older flight");
        DuringTransfer(p.Status(), [&] { p.recorder.reset(); });
        QElapsedTimer took;
        took.start();
        p.Capture("CAPTURED.DAT");
        QVERIFY(took.elapsed() < 3000);
        QCOMPARE(p.prompts.warnings.size(), size_t(1));
        QVERIFY2(p.prompts.warnings[0].rfind(
                     "The Tavix's port went away during the transfer: " + device + " (", 0) == 0,
                 p.prompts.warnings[0].c_str());
        QCOMPARE(test::ReadWhole(p.Data() + "CAPTURED.DAT"), std::string("an older flight"));
        QVERIFY(!fs::exists(p.Data() + "CAPTURED.PAR"));
        QCOMPARE(p.prompts.summariesShown, 0);
        QVERIFY(!p.Status().isVisible());
        QVERIFY(!p.form->Link().Busy());
        QVERIFY(!p.form->Link().port().IsOpen());
    }

    void escapeInTheStatusDialogIsItsButton() {
        tavix::ServeOptions slow;
        slow.baud = 19200;
        RecorderProgram p(slow);
        DuringTransfer(p.Status(), [&] { QTest::keyClick(&p.Status(), Qt::Key_Escape); });
        p.Capture("CAPTURED.DAT");
        QCOMPARE(p.prompts.warnings, std::vector<std::string>{"User aborted transfer"});
        QCOMPARE(p.prompts.summariesShown, 0);
    }

    void otherCommandsWaitForTheTransfer() {
        tavix::ServeOptions slow;
        slow.baud = 115200;  // under a second of image
        RecorderProgram p(slow);
        DuringTransfer(p.Status(), [&] {
            p.form->Item("LoadData1")->trigger();
            p.form->Item("ZeroData1")->trigger();
            QTest::mouseClick(p.form->Button("DownLoadBtn"), Qt::LeftButton);
            QTest::mouseClick(p.form->Button("MainDeployBtn"), Qt::LeftButton);
        });
        p.Capture("CAPTURED.DAT");
        QCOMPARE(p.prompts.notes, std::vector<std::string>(4, kDeviceBusyNote));
        QVERIFY(p.prompts.confirmations.empty());
        QCOMPARE(p.prompts.fileRequests.size(), size_t(1));  // the capture's own
        QVERIFY(!p.form->MainDeployPopup->isVisible());
        QCOMPARE(p.prompts.summariesShown, 1);
        QCOMPARE(test::ReadWhole(p.Data() + "CAPTURED.DAT"), p.served);
    }

    void closingTheWindowDuringATransferCancelsItThenCloses() {
        tavix::ServeOptions slow;
        slow.baud = 19200;
        RecorderProgram p(slow);
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        CloseCounter closes;
        p.form->installEventFilter(&closes);
        bool stayedOpen = false;
        DuringTransfer(p.Status(), [&] {
            p.form->close();
            stayedOpen = p.form->isVisible();
        });
        p.Capture("CAPTURED.DAT");
        QVERIFY(stayedOpen);
        QCOMPARE(p.prompts.warnings, std::vector<std::string>{"User aborted transfer"});
        QTRY_VERIFY(!p.form->isVisible());
        QVERIFY(p.Settings().find("[ChVsCh]") != std::string::npos);
        // Closed once, after the refused close: nothing keeps closing it afterwards.
        QTest::qWait(100);
        QCOMPARE(closes.count, 2);
    }

    void clearAsksFirstAndDeploymentGoesToTheRecorder() {
        tavix::ServeOptions quick;
        quick.clearMs = 50;
        RecorderProgram p(quick);
        p.prompts.confirmAnswer = false;
        p.form->Item("ZeroData1")->trigger();
        QVERIFY(p.prompts.notes.empty());
        p.prompts.confirmAnswer = true;
        p.form->Item("ZeroData1")->trigger();
        QCOMPARE(p.prompts.confirmations,
                 std::vector<std::string>(2, "About to Clear Tavix's data buffer"));
        QCOMPARE(p.prompts.notes, std::vector<std::string>{"Tavix's data buffer is now clear"});
        p.form->Item("StdAlt12001")->trigger();
        p.form->MainDeployPopup->actions().at(2)->trigger();
        QVERIFY(p.prompts.warnings.empty());
        QCOMPARE(p.form->statusBar()->currentMessage(), QString("Main deployment set to 2400 ft"));
        QVERIFY(!p.Status().isVisible());
        const std::string log = p.recorder->StopAndLog();
        QCOMPARE(log.find("/CC"), log.rfind("/CC"));  // cleared once
        QVERIFY(log.find("/CC") != std::string::npos);
        QVERIFY(log.find("/M main at 1200 ft") != std::string::npos);
        QVERIFY(log.find("/H main at 2400 ft") != std::string::npos);
    }

    void silentRecorderIsNotReportedAsCleared() {
        tavix::ServeOptions silent;
        silent.silent = true;
        RecorderProgram p(silent);
        p.form->Link().timeouts.clearMs = 300;
        p.form->Item("ZeroData1")->trigger();
        QVERIFY(p.prompts.notes.empty());
        QCOMPARE(p.prompts.warnings, std::vector<std::string>{kClearUnconfirmed});
        // An unanswered deployment is a warning, never "set" on the status line.
        p.form->Link().timeouts.deployMs = 300;
        p.form->Item("LowAlt6001")->trigger();
        QCOMPARE(p.prompts.warnings.back(), std::string(kDeployUnconfirmed));
        QCOMPARE(p.form->statusBar()->currentMessage(), QString());
    }

    void configurePortOpensAChoiceAtOnceAndKeepsItOnOk() {
        RecorderProgram p;
        const std::string device = p.state.device.deviceName;
        p.state.device.deviceName.clear();
        p.state.settings.port = 2;
        // No adapter plugged in, whatever the machine running the test has.
        p.form->ConfgDAUForm->listDevices = [] { return std::vector<SerialDevice>{}; };
        QString caption;
        QStringList firstEntries;
        QString shown;
        size_t warningsBeforeOk = 0;
        bool openAfterBadChoice = false;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TconfgDAUForm*>(w);
            caption = dlg->windowTitle();
            for (int i = 0; i < 4; ++i)
                firstEntries << dlg->ComboBox1->itemText(i);
            shown = dlg->ComboBox1->currentText();
            dlg->ComboBox1->setEditText("/nonexistent/ttyTAVIX");
            dlg->ComboBox1Change("/nonexistent/ttyTAVIX");  // cannot open: reported at once
            openAfterBadChoice = dlg->isVisible();
            warningsBeforeOk = p.prompts.warnings.size();
            dlg->ComboBox1->setEditText(QString::fromStdString(device));
            dlg->OKbtn->click();
        });
        p.form->Item("ConfigureDAU1")->trigger();
        QCOMPARE(caption, QString("Configure Port"));
        QCOMPARE(firstEntries, QStringList({"COM1", "COM2", "COM3", "COM4"}));
        QCOMPARE(shown, QString("COM2"));
        QVERIFY(openAfterBadChoice);
        QCOMPARE(warningsBeforeOk, size_t(1));
        QVERIFY(p.prompts.warnings[0].rfind(
                    "Comm Port Error - Check port, device, and Windows settings", 0) == 0);
        QCOMPARE(p.state.device.deviceName, device);
        QVERIFY(p.form->Link().port().IsOpen());
        // The device chosen is the one the next capture uses.
        p.Capture("VIAPORT.DAT");
        QCOMPARE(test::ReadWhole(p.Data() + "VIAPORT.DAT"), p.served);
    }

    // An adapter the system reports comes first, by its name; choosing that line sets its device,
    // which the next capture uses.
    void configurePortListsAdaptersByName() {
        RecorderProgram p;
        const std::string device = p.state.device.deviceName;
        p.state.device.deviceName.clear();
        p.form->ConfgDAUForm->listDevices = [&] {
            return std::vector<SerialDevice>{
                {"/dev/ttyS7", "", "", false},
                {device, "FT232R USB UART", "FTDI", true},
            };
        };
        QStringList entries;
        QString label;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TconfgDAUForm*>(w);
            for (int i = 0; i < dlg->ComboBox1->count(); ++i)
                entries << dlg->ComboBox1->itemText(i);
            dlg->ComboBox1->setCurrentIndex(0);
            dlg->ComboBox1Change(dlg->ComboBox1->currentText());
            label = dlg->DeviceLabel->text();
            dlg->OKbtn->click();
        });
        p.form->Item("ConfigureDAU1")->trigger();
        const QString adapter =
            QString::fromStdString(device) + QString::fromUtf8(" — FT232R USB UART");
        QCOMPARE(entries, QStringList({adapter, "COM1", "COM2", "COM3", "COM4", "/dev/ttyS7"}));
        QCOMPARE(label, QString::fromStdString(device) + " (FTDI)");
        QVERIFY(p.prompts.warnings.empty());
        QCOMPARE(p.state.device.deviceName, device);
        p.Capture("BYNAME.DAT");
        QCOMPARE(test::ReadWhole(p.Data() + "BYNAME.DAT"), p.served);
    }

    void configurePortKeepsAPortThatCannotBeOpenedYet() {
        Program p;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TconfgDAUForm*>(w);
            const int com4 = dlg->ComboBox1->findText("COM4");
            dlg->ComboBox1->setCurrentIndex(com4);
            dlg->ComboBox1Change("COM4");
            dlg->ComboBox1->setEditText("/dev/ttyUSB-not-plugged-in");
            dlg->OKbtn->click();
        });
        p.state.device.deviceName.clear();
        p.form->Item("ConfigureDAU1")->trigger();
        // Each choice reported once, and the last one kept for when the adapter is there.
        QCOMPARE(p.prompts.warnings.size(), size_t(2));
        QCOMPARE(p.state.device.deviceName, std::string("/dev/ttyUSB-not-plugged-in"));
        QVERIFY(!p.form->ConfgDAUForm->isVisible());
    }

    void configurePortCancelKeepsTheSetting() {
        Program p;
        p.state.settings.port = 3;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TconfgDAUForm*>(w);
            dlg->ComboBox1->setEditText("COM1");
            dlg->BitBtn1->click();
        });
        p.form->Item("ConfigureDAU1")->trigger();
        QCOMPARE(p.state.settings.port, 3);
        QVERIFY(p.state.device.deviceName.empty());
    }

    void statusButtonReadingOkOnlyHidesTheDialog() {
        RecorderProgram p;
        DeviceLink& link = p.form->Link();
        link.SetProgress(100);
        QVERIFY(p.Status().isVisible());
        QCOMPARE(p.Status().Button1->text(), QString("&OK"));
        QCOMPARE(p.Status().windowTitle(), QString("Communication Status"));
        QVERIFY(!p.Status().windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QTest::mouseClick(p.Status().Button1, Qt::LeftButton);
        QVERIFY(!p.Status().isVisible());
        QCOMPARE(p.Status().Button1->text(), QString("&Cancel"));
        QVERIFY(!p.state.device.TransferAborted);
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::RecorderCommandsTest)
#include "recorder_commands_test.moc"
