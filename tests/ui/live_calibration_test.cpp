// Live Data and Calibrate Tavix against the emulated recorder on a pseudo-terminal: the needles
// show what the recorder feels, the extremes only move outward, the stream runs block after block,
// the window closes when the port goes away and says when the recorder is quiet; the whole
// calibration walked at -1, 0 and +1 g, OK writing the file and Cancel restoring it, a reading
// cancelled in Communication Status, and the dialog's field rules.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "dark_palette.h"
#include "device/calibration_dialog.h"
#include "device/calibration_steps.h"
#include "device/device_link.h"
#include "device/dial_gauge.h"
#include "device/emulator_thread.h"
#include "device/fake_link.h"
#include "device/live_text_form.h"
#include "device/status_dialog.h"
#include "files/calibration_file.h"
#include "formula/channel_conversion.h"
#include "modal_driver.h"
#include "program_fixture.h"

namespace orvale {

namespace {

using test::Program;

// The emulated recorder's own line: 3.4588 readings a g, 72 standing upright.
constexpr float kSlope = 3.4588f;
constexpr float kZeroG = 72.0f - kSlope;

tavix::ServeOptions Quiet(const std::string& script, int baud = 115200) {
    tavix::ServeOptions o;
    o.baud = baud;
    o.noise = 0.0;
    const tavix::SensorScript parsed = tavix::ParseSensorScript(script);
    o.sensorScript = parsed.changes;
    return o;
}

// A program whose recorder is the emulator, calibrated as the emulator reads.
struct LiveProgram : Program {
    explicit LiveProgram(tavix::ServeOptions options) {
        const std::string image = test::ReadWhole(test::SamplesFolder() + "FLT-002.DAT");
        recorder = std::make_unique<test::EmulatorThread>(
            options, std::vector<uint8_t>(image.begin(), image.end()));
        state.device.deviceName = recorder->Device();
        CalibrationData& c = state.calibration;
        c.avg0g = kZeroG;
        c.dodg = kSlope;
        c.avgbp = 210.0f;
        c.gainbp = 1.0f;
        c.offbp = 23.3f;
    }
    TLiveTextForm& Live() { return *form->LiveTextForm; }
    float G(int needle) { return Live().GMeter->Value(needle); }
    float Alt(int needle) { return Live().Altimeter->Value(needle); }
    // g of a raw acceleration reading, as the window converts it.
    float GOf(int reading) { return ConvertReading(state, static_cast<uint16_t>(reading * 16), 0); }
    int Blocks() {
        const std::string log = recorder->StopAndLog();
        int n = 0;
        for (size_t at = log.find("/T sensor block"); at != std::string::npos;
             at = log.find("/T sensor block", at + 1))
            ++n;
        return n;
    }
    std::unique_ptr<test::EmulatorThread> recorder;
};

// Runs act once, from the reading's event loop, when the status window shows the transfer.
void DuringReading(TStatusDlg& status, std::function<void()> act) {
    // Owned by the status window, so that a reading that never came takes it along.
    auto* timer = new QTimer(&status);
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

// Generous: the machine running the tests may be busy.
constexpr int kPatienceMs = 20000;

}  // namespace

class LiveCalibrationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void liveDataShowsTheRecordersSensorsOnTheirNeedles() {
        LiveProgram p(Quiet("block 1 gee 0 pressure 200"));
        p.state.calibration.actalt = 1234.0f;
        bool shown = false;
        QString title;
        test::WhenModal([&](QWidget* w) {
            title = w->windowTitle();
            shown =
                QTest::qWaitFor([&] { return p.G(1) == 69.0f && p.Alt(2) == 200.0f; }, kPatienceMs);
            p.Live().BitBtn1->click();
        });
        QTest::mouseClick(p.form->Button("LiveButton"), Qt::LeftButton);
        QCOMPARE(title, QString("Live Data"));
        QVERIFY(shown);
        QVERIFY(p.prompts.warnings.empty());
        QVERIFY(!p.Live().Timer1->isActive());
        // Flat: round(72 - 3.4588) = 69, a little above the fitted zero.
        QCOMPARE(p.G(0), p.GOf(69));
        QCOMPARE(p.Live().GMeter->ReadOutText(0), QString("0.13 g"));
        const float h = ConvertReading(p.state, 200 * 16, 1) + 1234.0f;
        // Above a thousand feet, so the long hand's value is brought below 10.
        QVERIFY(h > 1234.0f && h < 9999.0f);
        QCOMPARE(p.Alt(3), h);
        QCOMPARE(p.Alt(1), h / 100.0f);
        float reduced = h / 100.0f;
        while (reduced >= 10.0f)
            reduced -= 10.0f;
        QCOMPARE(p.Alt(0), reduced);
        QCOMPARE(p.Live().GMeter->toolTip(), QString("Current G reading"));
        // The scale covers every reading: 0 is -19.8 g and 255 is 53.9 g.
        QCOMPARE(p.Live().GMeter->FaceScale().low, -20.0f);
        QCOMPARE(p.Live().GMeter->FaceScale().high, 54.0f);
    }

    // Upright, shaken to +3 g, turned to -2 g and back: the extremes only ever move outward, and
    // each block's closing bytes (no digit) start the next block.
    void extremesMoveOutwardAsTheStreamRunsBlockAfterBlock() {
        LiveProgram p(Quiet("block 1 gee 1\nblock 3 gee 3\nblock 5 gee -2\nblock 7 gee 1\n"));
        std::vector<float> maxima;
        std::vector<float> minima;
        bool walked = false;
        test::WhenModal([&](QWidget*) {
            QTimer sample;
            QObject::connect(&sample, &QTimer::timeout, [&] {
                maxima.push_back(p.G(2));
                minima.push_back(p.G(3));
            });
            sample.start(5);
            walked = QTest::qWaitFor(
                [&] { return p.G(2) == p.GOf(79) && p.G(3) == p.GOf(62) && p.G(0) == p.GOf(72); },
                kPatienceMs);
            p.Live().BitBtn1->click();
        });
        p.form->Item("LiveData1")->trigger();
        QVERIFY(walked);
        QVERIFY(p.prompts.warnings.empty());
        QVERIFY(maxima.size() > 10);
        for (size_t i = 1; i < maxima.size(); ++i) {
            QVERIFY(maxima[i] >= maxima[i - 1]);
            QVERIFY(minima[i] <= minima[i - 1]);
        }
        QVERIFY(p.Blocks() >= 7);
    }

    void windowClosesWhenThePortGoesAway() {
        LiveProgram p(Quiet("block 1 gee 1"));
        bool streaming = false;
        bool closed = false;
        test::WhenModal([&](QWidget* w) {
            streaming = QTest::qWaitFor([&] { return p.G(1) == 72.0f; }, kPatienceMs);
            p.recorder.reset();  // the far end of the line closes
            closed = QTest::qWaitFor([&] { return !w->isVisible(); }, kPatienceMs);
            if (!closed)
                p.Live().BitBtn1->click();
        });
        p.form->Item("LiveData1")->trigger();
        QVERIFY(streaming);
        QVERIFY(closed);
        // The command says why the window closed, as any failure of the link.
        QCOMPARE(p.prompts.warnings.size(), size_t(1));
        QVERIFY(p.prompts.warnings[0].find("went away") != std::string::npos);
        QVERIFY(!p.form->Link().port().IsOpen());
    }

    // After a second without a record the window says so under the gauges and the needles stay;
    // the note goes when records come again. Driven over the scripted port.
    void quietRecorderIsNoticedAndForgottenWhenItSpeaksAgain() {
        AppState state;
        state.calibration.avg0g = 100.0f;
        state.calibration.dodg = 10.0f;
        test::FakeClock clock;
        test::FakePort port{clock};
        test::FakeWaiter waiter{port};
        test::FakeStatus status;
        DeviceLink link{state, port, waiter, clock, status};
        TLiveTextForm form(link);
        const auto record = [](const char* text) { return std::vector<uint8_t>(text, text + 8); };
        bool first = false;
        bool quiet = false;
        bool stayed = false;
        bool spoke = false;
        QTimer::singleShot(0, [&] {
            port.ArriveNow(record("120,200\r"));
            first = QTest::qWaitFor([&] { return form.GMeter->Value(0) == 2.0f; }, kPatienceMs);
            quiet = QTest::qWaitFor([&] { return form.NoDataL->isVisible(); }, kPatienceMs);
            stayed = form.GMeter->Value(0) == 2.0f && form.GMeter->Value(1) == 120.0f;
            port.ArriveNow(record("110,200\r"));
            spoke = QTest::qWaitFor([&] { return !form.NoDataL->isVisible(); }, kPatienceMs);
            form.accept();
        });
        form.ShowModal();
        QVERIFY(first);
        QVERIFY(quiet);
        QVERIFY(stayed);
        QVERIFY(spoke);
        QCOMPARE(form.GMeter->Value(0), 1.0f);
        QCOMPARE(form.NoDataL->text(), QString("No data from the Tavix"));
    }

    // On a dark desktop the text the windows colour themselves stays readable: the quiet note
    // under the gauges and the figure on the transfer's white progress bar. Back on a light
    // desktop the note follows.
    void colouredTextStaysReadableOnADarkDesktop() {
        const QPalette light = QApplication::palette();
        AppState state;
        test::FakeClock clock;
        test::FakePort port{clock};
        test::FakeWaiter waiter{port};
        test::FakeStatus fakeStatus;
        DeviceLink link{state, port, waiter, clock, fakeStatus};
        QApplication::setPalette(test::DarkPalette());
        TLiveTextForm live(link);
        live.NoDataL->show();
        const auto noteContrast = [&] {
            const QImage picture = live.grab().toImage();
            return test::TextContrast(picture, live.NoDataL->geometry());
        };
        const double onDark = noteContrast();
        TStatusDlg status;
        status.ProgressMeter->setValue(0);
        const QImage bar = status.ProgressMeter->grab().toImage();
        const double figure = test::TextContrast(bar, bar.rect().adjusted(3, 3, -3, -3));
        QApplication::setPalette(light);
        const double onLight = noteContrast();
        QVERIFY2(onDark >= 3.0, qPrintable(QString::number(onDark)));
        QVERIFY2(onLight >= 3.0, qPrintable(QString::number(onLight)));
        QVERIFY2(figure >= 3.0, qPrintable(QString::number(figure)));
    }

    // The flyer reads the barometer, then turns the recorder upside down, flat and upright: the
    // fit gives back the emulator's own slope and intercept, and OK saves the calibration file.
    void wholeCalibrationFindsTheRecordersLineAndOkSavesIt() {
        tavix::ServeOptions o = Quiet(
            "block 1 gee 1 pressure 205\nblock 2 gee -1\nblock 3 gee 0\nblock 4 gee 1\n", 1000000);
        o.noise = 0.5;  // enough noise to dither the readings' rounding
        LiveProgram p(o);
        p.state.calibration = {};
        p.state.calibration.actbp = 29.92f;
        p.state.flight.calibrationFile = p.Data() + "OLD.CAL";
        p.prompts.fileAnswers.push_back(p.Data() + "TAVIX.CAL");
        QString slopeShown;
        QString fileShown;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TCalDlg*>(w);
            fileShown = dlg->CalFileE->text();
            dlg->BitBtn1->click();
            slopeShown = dlg->Field("SlopeE")->text();
            dlg->CalFileE->setText(QString::fromStdString(p.Data() + "SITE.CAL"));
            dlg->OKBtn->click();
        });
        QTest::mouseClick(p.form->Button("CalBtn"), Qt::LeftButton);
        QCOMPARE(fileShown, QString::fromStdString(p.Data() + "OLD.CAL"));
        QVERIFY(p.prompts.warnings.empty());
        QCOMPARE(p.prompts.confirmations,
                 (std::vector<std::string>{kReadPressurePrompt, kReadMinusOneGeePrompt,
                                           kReadZeroGeePrompt, kReadPlusOneGeePrompt,
                                           kCalibrateReminder}));
        const CalibrationData& c = p.state.calibration;
        QVERIFY(std::fabs(c.avgbp - 205.0f) < 0.1f);
        QVERIFY(std::fabs(c.dodg - kSlope) < 0.05f);
        QVERIFY(std::fabs(c.y0 - kZeroG) < 0.05f);
        QVERIFY(std::fabs(c.avg0g - kZeroG) < 0.1f);
        QVERIFY(c.ccoff > 0.9f);
        QVERIFY(c.std0g > 0.2f && c.std0g < 0.8f);
        QCOMPARE(slopeShown, QString::asprintf("%.4f", c.dodg));
        QCOMPARE(c.actbp, 29.92f);
        // OK took the dialog's file name, then the save asked where to write.
        QCOMPARE(p.prompts.fileRequests.size(), size_t(1));
        QCOMPARE(p.prompts.fileRequests[0].proposedName.find("SITE.CAL") != std::string::npos,
                 true);
        QCOMPARE(p.state.calibrationFilePath, p.Data() + "TAVIX.CAL");
        CalibrationData back;
        ApplyCalibrationText(test::ReadWhole(p.Data() + "TAVIX.CAL"), back);
        QVERIFY(std::fabs(back.dodg - c.dodg) < 1e-4f);
        QVERIFY(std::fabs(back.avgbp - c.avgbp) < 1e-4f);
    }

    // A reading cancelled in Communication Status says it did not complete and changes nothing;
    // the next one is not misled by the rest of the cancelled block. Cancel reads the
    // calibration file again: what the readings changed goes.
    void cancelRestoresTheFileAndACancelledReadingChangesNothing() {
        LiveProgram p(Quiet("block 1 gee 0\n", 19200));  // a second a block
        CalibrationData onDisk = p.state.calibration;
        onDisk.avg0g = 50.0f;
        onDisk.std0g = 0.25f;
        test::PutFile(p.Data() + "KEPT.CAL", CalibrationFileText(onDisk));
        p.state.calibrationFilePath = p.Data() + "KEPT.CAL";
        p.state.calibration.avg0g = 50.0f;
        QString afterCancelledReading;
        QString warning;
        float avg0gAfterReading = 0.0f;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TCalDlg*>(w);
            DuringReading(*p.form->StatusDlg,
                          [&] { QTest::mouseClick(p.form->StatusDlg->Button1, Qt::LeftButton); });
            dlg->Read0GBtn->click();
            afterCancelledReading = dlg->Field("Avg0GE")->text();
            warning = QString::fromStdString(p.prompts.warnings.empty() ? std::string()
                                                                        : p.prompts.warnings[0]);
            // This one completes, though the recorder is still sending the cancelled block.
            dlg->Read0GBtn->click();
            avg0gAfterReading = p.state.calibration.avg0g;
            dlg->CancelBtn->click();
        });
        p.form->Item("CalibrateTavix1")->trigger();
        QCOMPARE(afterCancelledReading, QString("50.0000"));
        QVERIFY(warning.startsWith(kReadingIncomplete));
        QVERIFY(warning.contains("User aborted transfer"));
        QCOMPARE(avg0gAfterReading, 69.0f);
        QCOMPARE(p.state.calibration.avg0g, 50.0f);
        QCOMPARE(p.state.calibration.std0g, 0.25f);
        QVERIFY(p.prompts.fileRequests.empty());  // nothing saved
    }

    void fieldRules() {
        Program p;
        p.state.calibration.actbp = 29.92f;
        p.state.calibration.avgbp = 210.123456f;
        QStringList tabbed;
        QString labelOfStd;
        bool helpHidden = false;
        int fileLimit = 0;
        std::vector<std::string> warningsAfterBadEdit;
        bool stayedOpen = false;
        test::WhenModal([&](QWidget* w) {
            auto* dlg = static_cast<TCalDlg*>(w);
            helpHidden = !dlg->HelpBtn->isVisible() && !dlg->HelpBtn->isEnabled();
            fileLimit = dlg->CalFileE->maxLength();
            labelOfStd = dlg->Field("StdBPE")->toolTip();
            QApplication::setActiveWindow(dlg);
            dlg->Field("ActAltE")->setFocus();
            for (int i = 0; i < 14; ++i) {
                if (QWidget* f = QApplication::focusWidget())
                    tabbed << f->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            // A displayed value changed behind the dialog: OK stores what the field shows,
            // the disabled ActBPE included.
            p.state.calibration.actbp = 1.0f;
            dlg->Field("GainBPE")->setText("1.0250");
            dlg->Field("SlopeE")->setText("-");
            dlg->OKBtn->click();
            warningsAfterBadEdit = p.prompts.warnings;
            stayedOpen = dlg->isVisible();
            dlg->Field("SlopeE")->setText("3.5000");
            dlg->OKBtn->click();
        });
        p.form->Item("CalibrateTavix1")->trigger();
        QVERIFY(helpHidden);
        QCOMPARE(labelOfStd, QString("Standard Deviation of Pressure data read from Tavix"));
        QCOMPARE(tabbed.mid(0, 11),
                 QStringList({"ActAltE", "AvgBPE", "OffBPE", "GainBPE", "AvgM1GE", "Avg0GE",
                              "AvgP1GE", "SlopeE", "Y0E", "CalFileE", "ReadBP"}));
        for (const char* readOnly :
             {"ActBPE", "StdBPE", "StdM1GE", "Fid0E", "Std0GE", "Fid1E", "Std1GE", "CCoffE"})
            QVERIFY(!tabbed.contains(readOnly));
        QCOMPARE(warningsAfterBadEdit.size(), size_t(1));
        QVERIFY(warningsAfterBadEdit[0].rfind("Slope of Tavix Output per G must be a number", 0) ==
                0);
        QVERIFY(stayedOpen);
        QCOMPARE(p.state.calibration.actbp, 29.92f);
        QCOMPARE(p.state.calibration.gainbp, 1.025f);
        QCOMPARE(p.state.calibration.dodg, 3.5f);
        // Left as shown, a value keeps its precision rather than its four decimals.
        QCOMPARE(p.state.calibration.avgbp, 210.123456f);
        QVERIFY(fileLimit >= 80);
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::LiveCalibrationTest)
#include "live_calibration_test.moc"
