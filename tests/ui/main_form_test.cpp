// The main window driven through its real menus and buttons, with every dialog of the commands
// answered by the fake prompts: start-up state, loading a flight, hints, settings on close,
// shortcuts, the pop-up, the picture area and failures at the command boundary.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/desktop_program.h"
#include "app/directory_dialog.h"
#include "app/main_form.h"
#include "app/picture_area.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "graph/graph_window.h"
#include "modal_driver.h"
#include "program_fixture.h"
#include "ui_fixture.h"

namespace orvale {

namespace fs = std::filesystem;
using test::Program;

class MainFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- Start-up ------------------------------------------------------------------------------

    void startUpLeavesTheFlightCommandsOffEvenAfterAParameterFile() {
        TempFolder folder;
        fs::create_directory(folder.Path() + "DATA");
        test::PutFile(folder.Path() + "DATA/DEFAULT.PAR",
                      "[Flight Data]\r\nNote=from start-up\r\n");
        DesktopProgram program(test::EnvironmentIn(folder));
        TMainform& form = program.MainForm();
        QCOMPARE(program.State().flight.note, std::string("from start-up"));
        for (const char* name : {"Graph1", "GrphBtn", "StartLenBtn", "SumBtn"}) {
            QAction* item = form.Item(name);
            QVERIFY2(item ? !item->isEnabled() : !form.Button(name)->isEnabled(), name);
        }
        for (const char* name : {"SaveData1", "LoadData1", "EditParameters1", "CaptureData1"})
            QVERIFY2(form.Item(name)->isEnabled(), name);
        for (const char* name : {"OpenFileBtn", "DownLoadBtn", "LiveButton", "MainDeployBtn"})
            QVERIFY2(form.Button(name)->isEnabled(), name);
        QCOMPARE(form.windowTitle(), QString("Vantrel Orvale v1.04"));
        QCOMPARE(QApplication::applicationName(), QString("Vantrel Orvale"));
    }

    void startUpCreatesTheOtherWindowsOnceInOrder() {
        TempFolder folder;
        DesktopProgram program(test::EnvironmentIn(folder));
        QStringList names;
        for (QObject* child : program.MainForm().children())
            if (auto* dialog = qobject_cast<QDialog*>(child))
                names << dialog->objectName();
        QCOMPARE(names, QStringList({"AboutBox", "DirDlg", "ShowDtaDlg", "ErrorBox", "confgDAUForm",
                                     "StatusDlg", "LiveTextForm", "StartForm", "EditParDlg",
                                     "GraphDlg", "GraphForm", "CalDlg"}));
        for (QObject* child : program.MainForm().children())
            if (auto* dialog = qobject_cast<QDialog*>(child))
                QVERIFY(!dialog->isVisible());
    }

    // --- The window's parts --------------------------------------------------------------------

    void menusFollowTheCommandTable() {
        Program p;
        QStringList menus;
        for (QAction* action : p.form->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&Comm", "&Graph", "&Window", "&Help"}));
        QAction* window = p.form->Item("Window1");
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isEnabled());
        QVERIFY(!p.form->Item("Graph1")->menu());

        const struct {
            const char* name;
            const char* caption;
            const char* keys;
        } items[] = {{"SaveData1", "&Save Data file...", "Ctrl+S"},
                     {"LoadData1", "&Load Data file...", "Ctrl+L"},
                     {"Parameter1", "Load &Parameter file...", "Ctrl+P"},
                     {"LoadCalibrationfile1", "Load &Calibration file...", "Ctrl+C"},
                     {"ChangeDirectory1", "Change &Directory...", "Ctrl+D"},
                     {"Printsetup1", "P&rinter setup...", ""},
                     {"Exit1", "E&xit", "Alt+F4"},
                     {"EditParameters1", "&Edit Parameter file", ""},
                     {"ConfigureDAU1", "&Configure Port ...", ""},
                     {"CaptureData1", "Capture &Data", ""},
                     {"ZeroData1", "Clea&r Data Buffer", ""},
                     {"LowAlt6001", "Low Alt (600')", ""},
                     {"StdAlt12001", "Med Alt (1200')", ""},
                     {"HighAlt24001", "High Alt (2400')", ""},
                     {"About1", "&About", ""}};
        for (const auto& item : items) {
            QAction* action = p.form->Item(item.name);
            QVERIFY2(action, item.name);
            QCOMPARE(action->text(), QString(item.caption));
            QCOMPARE(action->shortcut(), QKeySequence(item.keys));
        }
        QCOMPARE(p.form->Item("Help1")->shortcut(), QKeySequence("F1"));
        QCOMPARE(p.form->Item("MainDeploy1")->menu()->actions().size(), 3);
    }

    void toolButtonsComeInOrderWithTheirHints() {
        Program p;
        auto* bar = p.form->findChild<QToolBar*>("SpeedBar");
        QStringList order;
        for (QAction* action : bar->actions())
            order << bar->widgetForAction(action)->objectName();
        QCOMPARE(order, QStringList({"OpenFileBtn", "StartLenBtn", "DownLoadBtn", "SumBtn",
                                     "GrphBtn", "LiveButton", "CalBtn", "MainDeployBtn"}));
        QCOMPARE(p.form->Button("StartLenBtn")->text(), QString("S/L"));
        QCOMPARE(p.form->Button("SumBtn")->text(), QString("Sum"));
        QCOMPARE(p.form->Button("OpenFileBtn")->toolTip(), QString("Open Data file"));
        QCOMPARE(p.form->Button("StartLenBtn")->toolTip(),
                 QString("Set Start & Length of time to graph"));
        QCOMPARE(p.form->Button("MainDeployBtn")->toolTip(),
                 QString("Set Main Deployment Altitude"));
        QVERIFY(!p.form->Button("GrphBtn")->icon().isNull());
    }

    void statusLineShowsTheHintUnderTheMouseAndNothingElsewhere() {
        Program p;
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        QCOMPARE(p.form->Panel1->text(), QString());
        QTest::mouseMove(p.form->Button("GrphBtn"));
        QTRY_COMPARE(p.form->Panel1->text(), QString("Draw graph"));
        QTest::mouseMove(p.form->Image1);
        QTRY_COMPARE(p.form->Panel1->text(), QString());

        auto* file = p.form->findChild<QMenu*>("File1");
        file->popup(p.form->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->setActiveAction(p.form->Item("Exit1"));
        QTRY_COMPARE(p.form->Panel1->text(), QString("Terminate Orvale"));
        // An item without a hint shows an empty line.
        file->setActiveAction(p.form->Item("LoadCalibrationfile1"));
        QTRY_COMPARE(p.form->Panel1->text(), QString());
        file->setActiveAction(p.form->Item("LoadData1"));
        QTRY_COMPARE(p.form->Panel1->text(), QString("Load captured data file"));
        file->hide();
        QTRY_COMPARE(p.form->Panel1->text(), QString());

        // Test mouse moves do not reach the menu bar offscreen; the event it gets from the
        // window system does.
        QMenuBar* bar = p.form->menuBar();
        const QPointF over = bar->actionGeometry(p.form->Item("Comm1")).center();
        QMouseEvent move(QEvent::MouseMove, over, bar->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTRY_COMPARE(p.form->Panel1->text(), QString("Communicate with the DAU"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(bar, &leave);
        QCOMPARE(p.form->Panel1->text(), QString());
    }

    // --- Loading a flight ----------------------------------------------------------------------

    void openingASampleEnablesTheFlightCommandsAndShowsTheSummaryOnce() {
        Program p;
        QVERIFY(p.FlightCommandsDisabled());
        p.Open(p.Data() + "FLT-001.DAT");
        QCOMPARE(p.prompts.summariesShown, 1);
        QVERIFY(p.FlightCommandsEnabled());
        QCOMPARE(p.state.current().dataFileName, p.Data() + "FLT-001.DAT");
        QVERIFY(p.state.loadedDataSize > 0);
        QCOMPARE(p.prompts.fileRequests.at(0).title, std::string("Load Data file"));
        QCOMPARE(p.prompts.fileRequests.at(0).filter, std::string("Data files|*.dat"));
        QCOMPARE(p.prompts.shownRows.at(0)[SummaryRow::FName], std::string("FLT-001.DAT"));
    }

    // Edit > Units: the summary already shown is written again in metres, the Sum button shows it
    // so, the choice is kept in the settings file and comes back ticked at the next start.
    void unitsItemsSwitchTheSummaryAndAreKept() {
        std::string settings;
        {
            Program p;
            QVERIFY(p.form->Item("UnitsFeet1")->isChecked());
            QVERIFY(!p.form->Item("UnitsMetres1")->isChecked());
            p.Open(p.Data() + "FLT-001.DAT");
            const SummaryRows feet = p.state.summaryRows;
            QVERIFY(feet[SummaryRow::MaxPressureAlt].find(" ft @ ") != std::string::npos);
            p.form->Item("UnitsMetres1")->trigger();
            QCOMPARE(p.state.settings.units, Units::Metres);
            QVERIFY(p.form->Item("UnitsMetres1")->isChecked());
            QVERIFY(!p.form->Item("UnitsFeet1")->isChecked());
            QTest::mouseClick(p.form->Button("SumBtn"), Qt::LeftButton);
            const SummaryRows& shown = p.prompts.shownRows.back();
            QVERIFY(shown[SummaryRow::MaxPressureAlt].find(" m @ ") != std::string::npos);
            QVERIFY(shown[SummaryRow::MaxVelocity].find(" m/s @ ") != std::string::npos);
            QCOMPARE(shown[SummaryRow::FName], feet[SummaryRow::FName]);
            p.form->close();
            settings = p.Settings();
            QVERIFY(settings.find("\r\nUnits=m\r\n") != std::string::npos);
        }
        Program again("[Main]\r\nUnits=m\r\n");
        QVERIFY(again.form->Item("UnitsMetres1")->isChecked());
        again.Open(again.Data() + "FLT-001.DAT");
        QVERIFY(again.prompts.shownRows.back()[SummaryRow::LaunchAlt].find(" metres") !=
                std::string::npos);
        again.form->Item("UnitsFeet1")->trigger();
        QVERIFY(again.state.summaryRows[SummaryRow::LaunchAlt].find(" feet") != std::string::npos);
    }

    void loadDataItemAndShortcutRunTheSameCommand() {
        Program p;
        p.prompts.fileAnswers = {std::nullopt, std::nullopt};
        p.form->Item("LoadData1")->trigger();
        p.form->show();
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        QTest::keyClick(p.form.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(p.prompts.fileRequests.size(), size_t(2));
        QCOMPARE(p.prompts.fileRequests.at(1).title, std::string("Load Data file"));
    }

    void cancellingTheSummaryDiscardsTheFlight() {
        Program p;
        p.Open(p.Data() + "FLT-002.DAT");
        QVERIFY(p.FlightCommandsEnabled());
        p.prompts.summaryAnswer = 2;
        p.Open(p.Data() + "FLT-003.DAT");
        QCOMPARE(p.prompts.summariesShown, 2);
        QVERIFY(p.FlightCommandsDisabled());
        QCOMPARE(p.state.current().dataFileName, std::string("None"));
        QCOMPARE(p.state.loadedDataSize, 0);
    }

    void aCaptureEntryIsNeverDiscarded() {
        Program p;
        fs::copy_file(p.Data() + "FLT-004.DAT", p.Data() + "RAMFILE.TMP");
        p.state.current().dataFileName = "Capture";
        p.prompts.summaryAnswer = 2;
        LoadCurrentFile(p.state, p.form->CommandPrompts(), true, true, true);
        QCOMPARE(p.prompts.summariesShown, 1);
        QCOMPARE(p.state.current().dataFileName, std::string("Capture"));
        QVERIFY(p.FlightCommandsEnabled());
    }

    void sumShowsTheLastRowsAgain() {
        Program p;
        p.Open(p.Data() + "FLT-005.DAT");
        QTest::mouseClick(p.form->Button("SumBtn"), Qt::LeftButton);
        QCOMPARE(p.prompts.summariesShown, 2);
        QCOMPARE(p.prompts.shownRows.at(1).text, p.prompts.shownRows.at(0).text);
    }

    void aDamagedFlightIsReportedAndTheWindowGoesBackToWaiting() {
        Program p;
        test::PutFile(p.Data() + "SHORT.DAT", "only a few bytes");
        p.Open(p.Data() + "SHORT.DAT");
        QCOMPARE(p.prompts.warnings.size(), size_t(1));
        QVERIFY(p.prompts.warnings[0].find("SHORT.DAT") != std::string::npos);
        QVERIFY(p.FlightCommandsDisabled());
        // The next command runs as usual.
        p.Open(p.Data() + "FLT-001.DAT");
        QVERIFY(p.FlightCommandsEnabled());
    }

    void savingWithoutAFlightShowsTheErrorBox() {
        Program p;
        p.form->Item("SaveData1")->trigger();
        QCOMPARE(p.prompts.errors, std::vector<std::string>{"No data to save"});
    }

    // --- Shortcuts and commands ------------------------------------------------------------------

    void ctrlCLoadsACalibrationFileRatherThanCopying() {
        Program p;
        p.form->show();
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        p.prompts.fileAnswers = {p.Data() + "NOSUCH.cal"};
        QTest::keyClick(p.form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(p.prompts.fileRequests.size(), size_t(1));
        QCOMPARE(p.prompts.fileRequests[0].filter, std::string("Calibration file|*.cal"));
        QCOMPARE(p.prompts.errors,
                 std::vector<std::string>{p.Data() + "NOSUCH.cal file not found"});
    }

    void startLengthDoesNothingWhenNotAsked() {
        Program p("[Graph]\r\nAsk_Start_Length=0\r\n");
        p.Open(p.Data() + "FLT-001.DAT");
        QVERIFY(p.Enabled("StartLenBtn"));
        bool opened = false;
        test::WhenModal(
            [&](QWidget* w) {
                opened = true;
                static_cast<QDialog*>(w)->reject();
            },
            nullptr, 300);
        QTest::mouseClick(p.form->Button("StartLenBtn"), Qt::LeftButton);
        QTest::qWait(400);
        QVERIFY(!opened);
    }

    void startLengthAsksWhenTheSettingIsOn() {
        Program p;
        p.Open(p.Data() + "FLT-001.DAT");
        QString shown;
        test::WhenModal([&](QWidget* w) {
            shown = w->objectName();
            w->findChild<QLineEdit*>("StartField")->setText("1.5");
            w->findChild<QLineEdit*>("LengthField")->setText("3");
            w->findChild<QPushButton*>("OKBtn")->click();
        });
        QTest::mouseClick(p.form->Button("StartLenBtn"), Qt::LeftButton);
        QCOMPARE(shown, QString("StartForm"));
        QCOMPARE(p.state.current().graphStart, 1.5);
        QCOMPARE(p.state.current().graphLength, 3.0);
    }

    void printerSetupOnlySetsUp() {
        Program p;
        QString title;
        QStringList buttons;
        test::WhenModal([&](QWidget* w) {
            title = w->windowTitle();
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->isVisible())
                    buttons << b->text();
            static_cast<QDialog*>(w)->reject();
        });
        p.form->Item("Printsetup1")->trigger();
        QCOMPARE(title, QString("Printer setup"));
        QVERIFY2(buttons.contains("OK") && !buttons.contains("&Print"),
                 qPrintable(buttons.join(",")));
    }

    void mainDeployPopupOpensAtTheSameScreenPlaceWhereverTheWindowIs() {
        Program p;
        p.form->move(200, 150);
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        QTest::mouseClick(p.form->Button("MainDeployBtn"), Qt::LeftButton);
        QTRY_VERIFY(p.form->MainDeployPopup->isVisible());
        QCOMPARE(p.form->MainDeployPopup->pos(), QPoint(300, 110));
        p.form->MainDeployPopup->hide();
        p.form->move(20, 60);
        QTest::mouseClick(p.form->Button("MainDeployBtn"), Qt::LeftButton);
        QTRY_VERIFY(p.form->MainDeployPopup->isVisible());
        QCOMPARE(p.form->MainDeployPopup->pos(), QPoint(300, 110));
        p.form->MainDeployPopup->hide();
        QStringList items;
        for (QAction* item : p.form->MainDeployPopup->actions())
            items << item->text();
        QCOMPARE(items, QStringList({"Low Alt (600')", "Med Alt (1200')", "High Alt (2400')"}));
    }

    // Live Data and Calibrate Tavix, from the menu and from their buttons, open their windows.
    void liveDataAndCalibrateOpenTheirWindows() {
        Program p;
        p.state.device.deviceName = "/nonexistent/ttyTAVIX";
        QStringList titles;
        const auto closeNext = [&] {
            test::WhenModal([&](QWidget* w) {
                titles << w->windowTitle();
                static_cast<QDialog*>(w)->reject();
            });
        };
        closeNext();
        p.form->Item("CalibrateTavix1")->trigger();
        closeNext();
        QTest::mouseClick(p.form->Button("CalBtn"), Qt::LeftButton);
        QCOMPARE(titles, QStringList({"Calibrate Tavix", "Calibrate Tavix"}));
        // Without a recorder the live window cannot start: the port's failure is said instead.
        p.form->Item("LiveData1")->trigger();
        QTest::mouseClick(p.form->Button("LiveButton"), Qt::LeftButton);
        QCOMPARE(p.prompts.warnings.size(), size_t(2));
        QVERIFY(p.prompts.warnings[0].find("/nonexistent/ttyTAVIX") != std::string::npos);
        QVERIFY(p.prompts.notes.empty());
    }

    void graphCommandsOpenTheParametersAndTheGraph() {
        Program p;
        p.Open(p.Data() + "FLT-001.DAT");
        QString parameters;
        test::WhenModal([&](QWidget* w) {
            parameters = w->windowTitle();
            static_cast<QDialog*>(w)->reject();
        });
        p.form->Item("Graph1")->trigger();
        QCOMPARE(parameters, QString("Graph Parameters"));

        // The graph of the flight's selected channels, built once the window is up.
        QString graph;
        int curves = 0;
        test::WhenModal([&](QWidget* w) {
            graph = w->windowTitle();
            const GraphView& view = p.form->GraphForm->View();
            for (int i = 0; i < 100 && view.channelSlots.empty(); ++i)
                QTest::qWait(20);
            curves = static_cast<int>(view.channelSlots.size());
            static_cast<QDialog*>(w)->accept();
        });
        QTest::mouseClick(p.form->Button("GrphBtn"), Qt::LeftButton);
        QCOMPARE(graph, QString("Graph"));
        QCOMPARE(curves, 3);  // FLT-001.PAR selects three channels
        QVERIFY(p.prompts.notes.empty());
        QCOMPARE(p.state.currentEntry, 0);
    }

    void changeDirectoryTakesTheNameWithTheSeparator() {
        Program p;
        fs::create_directory(p.folder.Path() + "flights");
        QString shown;
        test::WhenModal([&](QWidget* w) {
            shown = w->windowTitle();
            auto* dlg = static_cast<TDirDlg*>(w);
            dlg->ComboBox1->setEditText(QString::fromStdString(p.folder.Path() + "flights"));
            dlg->OKBtn->click();
        });
        p.form->Item("ChangeDirectory1")->trigger();
        QCOMPARE(shown, QString("Select a Directory"));
        QCOMPARE(p.state.workingDirectory, p.folder.Path() + "flights/");
    }

    void aboutShowsTheWindowCaption() {
        Program p;
        QString version;
        test::WhenModal([&](QWidget* w) {
            version = w->findChild<QLabel*>("Version")->text();
            static_cast<QDialog*>(w)->accept();
        });
        p.form->Item("About1")->trigger();
        QCOMPARE(version, p.form->windowTitle());
    }

    void editParameterFileOpensTheEditor() {
        Program p;
        QString shown;
        test::WhenModal([&](QWidget* w) {
            shown = w->windowTitle();
            static_cast<QDialog*>(w)->reject();
        });
        p.form->Item("EditParameters1")->trigger();
        QCOMPARE(shown, QString("Edit Parameters Dialog"));
    }

    // --- Settings and shut-down ----------------------------------------------------------------

    void closingWritesTheSettingsWithTheFiveSectionsInOrder() {
        Program p;
        QVERIFY(!fs::exists(p.folder.Path() + "QUENDA.INI"));
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        QVERIFY(p.form->close());
        const std::string ini = p.Settings();
        size_t at = 0;
        for (const char* section : {"[Main]", "[TMainForm]", "[DAU]", "[Graph]", "[ChVsCh]"}) {
            const size_t found = ini.find(section);
            QVERIFY2(found != std::string::npos && found >= at, section);
            at = found;
        }
        QVERIFY(p.prompts.warnings.empty());
    }

    void exitWritesTheSettingsAndClosesTheWindow() {
        Program p;
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        p.form->Item("Exit1")->trigger();
        QVERIFY(!p.form->isVisible());
        QVERIFY(p.Settings().find("[ChVsCh]") != std::string::npos);
    }

    void exitStaysOpenWhenTheSettingsCannotBeWritten() {
        Program p;
        // A folder where the file should be: no writer can replace it, not even root.
        fs::create_directory(p.state.settingsFile);
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        p.form->Item("Exit1")->trigger();
        QCOMPARE(p.prompts.warnings.size(), size_t(1));
        QVERIFY2(p.prompts.warnings[0].find("QUENDA.INI") != std::string::npos,
                 p.prompts.warnings[0].c_str());
        QVERIFY(p.form->isVisible());
        // The close box still closes, after saying so once more.
        QVERIFY(p.form->close());
        QCOMPARE(p.prompts.warnings.size(), size_t(2));
    }

    void windowBoundsComeFromTheSettingsAndGoBackToThem() {
        Program p("[TMainForm]\r\nTop=60\r\nLeft=70\r\nHeight=300\r\nWidth=500\r\n");
        QCOMPARE(p.form->pos(), QPoint(70, 60));
        QCOMPARE(p.form->size(), QSize(500, 300));
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        p.form->move(90, 80);
        p.form->resize(520, 330);
        QTRY_COMPARE(p.form->pos(), QPoint(90, 80));
        p.form->close();
        const std::string ini = p.Settings();
        for (const char* line : {"Top=80", "Left=90", "Height=330", "Width=520"})
            QVERIFY2(ini.find(line) != std::string::npos, line);
    }

    void aWindowOffEveryScreenComesBackOnOne() {
        Program p("[TMainForm]\r\nTop=-5000\r\nLeft=90000\r\n");
        QCOMPARE(p.form->pos(), QPoint(50, 35));
    }

    // --- Picture area --------------------------------------------------------------------------

    void bannerFromThePictureFileThenHiddenByADoubleClick() {
        TempFolder program;
        QImage picture(64, 16, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QVERIFY(picture.save(QString::fromStdString(program.Path() + "BACKGND.BMP"), "BMP"));
        test::PutFile(program.Path() + "QUENDA.INI", "[Main]\r\nShow_BMP=1\r\n");
        AppState state;
        test::FakePrompts prompts;
        InitProgramState(state, test::EnvironmentIn(program), prompts);
        TMainform form(state, prompts);
        form.CreateForms();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.Image1->Look(), PictureLook::Banner);
        QCOMPARE(form.Image1->height(), 120);
        QCOMPARE(form.Image1->Picture().width(), 64);
        QTest::mouseDClick(form.Image1, Qt::LeftButton);
        QCOMPARE(form.Image1->Look(), PictureLook::Hidden);
        QVERIFY(!form.Image1->isVisible());
        form.close();
        QVERIFY(test::ReadWhole(program.Path() + "QUENDA.INI").find("Show_BMP=0") !=
                std::string::npos);
    }

    void withoutThePictureFileTheBuiltInPictureFillsAndShowBmpStays() {
        Program p("[Main]\r\nShow_BMP=1\r\n");
        p.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        QCOMPARE(p.form->Image1->Look(), PictureLook::Filling);
        QVERIFY(p.form->Image1->height() > 120);
        QTest::mouseDClick(p.form->Image1, Qt::LeftButton);
        QCOMPARE(p.form->Image1->Look(), PictureLook::Filling);
        p.form->close();
        QVERIFY(p.Settings().find("Show_BMP=1") != std::string::npos);
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::MainFormTest)
#include "main_form_test.moc"
