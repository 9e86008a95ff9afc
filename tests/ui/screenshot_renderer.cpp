// Renders the desktop program's windows and dialogs to PNG files for the documentation:
//   orvale_screenshots <output folder> [--dark]
// (--dark: every window on a dark palette, for checking them; QT_SCALE_FACTOR=2 in the
// environment renders them all at 200 %.)
// Runs on any Qt platform (scripts/screenshots uses offscreen). Each picture gets a plain title
// strip with the window's caption, since grabbing a window leaves out the frame.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <array>
#include <cstdio>
#include <memory>

#include "app/about_box.h"
#include "app/directory_dialog.h"
#include "app/error_box.h"
#include "app/main_form.h"
#include "app/summary_dialog.h"
#include "core/time_window.h"
#include "dark_palette.h"
#include "device/calibration_dialog.h"
#include "device/device_link.h"
#include "device/emulator_thread.h"
#include "device/live_text_form.h"
#include "device/port_dialog.h"
#include "device/status_dialog.h"
#include "fake_prompts.h"
#include "files/data_files.h"
#include "files/parameter_editor.h"
#include "files/parameter_fields.h"
#include "graph/ch_vs_ch_page.h"
#include "graph/graph_dialog.h"
#include "graph/graph_window.h"
#include "graph/multi_graph.h"
#include "graph/multi_graph_page.h"
#include "graph/start_length_dialog.h"
#include "modal_driver.h"
#include "ui_fixture.h"

namespace {

using namespace orvale;

QString g_folder;

QImage WithTitle(const QImage& picture, const QString& caption) {
    const int strip = 26;
    // A picture of a scaled screen keeps its pixels; the strip is scaled with it.
    const qreal ratio = picture.devicePixelRatio();
    const QSize logical = (QSizeF(picture.size()) / ratio).toSize();
    QImage framed(QSize(logical.width() + 2, logical.height() + strip + 1) * ratio,
                  QImage::Format_RGB32);
    framed.setDevicePixelRatio(ratio);
    framed.fill(QColor(70, 78, 92));
    QPainter painter(&framed);
    painter.drawImage(1, strip, picture);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, framed.width() - 16, strip), Qt::AlignVCenter, caption);
    return framed;
}

void Save(const QImage& picture, const QString& caption, const char* name) {
    const QString path = g_folder + "/" + name + ".png";
    if (!WithTitle(picture, caption).save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void Save(QWidget& widget, const char* name) {
    Save(widget.grab().toImage(), widget.windowTitle(), name);
}

// Shows a modal dialog through show(), which returns when it closes, and saves its picture.
void SaveModal(const char* name, const std::function<void()>& show,
               const std::function<void(QWidget*)>& prepare = {}, int settleMs = 150) {
    test::WhenModal([&](QWidget* dialog) {
        if (prepare)
            prepare(dialog);
        QTest::qWait(settleMs);
        Save(*dialog, name);
        static_cast<QDialog*>(dialog)->done(QDialog::Rejected);
    });
    show();
}

// The program as a flyer starts it, in a folder of its own, its main window on screen.
struct ShownProgram {
    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
    std::unique_ptr<TMainform> form;

    ShownProgram() {
        InitProgramState(state, test::EnvironmentIn(folder), prompts);
        form = std::make_unique<TMainform>(state, prompts);
        form->CreateForms();
        form->resize(640, 420);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            std::fprintf(stderr, "the main window was not shown\n");
    }
};

// The main window and the summary of a flight on a screen scaled to 200 %: run as a second
// process of this program with QT_SCALE_FACTOR=2, since the scale is fixed when Qt starts.
int RenderScaled() {
    ShownProgram program;
    AppState& state = program.state;
    test::FakePrompts& prompts = program.prompts;
    TempFolder& folder = program.folder;
    TMainform& form = *program.form;
    prompts.fileAnswers.push_back(folder.Path() + "DATA/FLT-004.DAT");
    OpenChild(state, form.CommandPrompts(), OpenCommand::DataFile);
    QTest::qWait(100);
    Save(form, "main_window_2x");
    SaveModal("summary_2x", [&] { form.ShowDtaDlg->ShowModal(state); });
    form.hide();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_folder);
    if (argc > 2 && QString(argv[2]) == "--scaled")
        return RenderScaled();
    // Every window on a dark desktop, for checking them all (the shipped pictures stay light).
    const bool allDark = argc > 2 && QString(argv[2]) == "--dark";
    if (allDark) {
        QApplication::setStyle("Fusion");
        QApplication::setPalette(test::DarkPalette());
    }

    ShownProgram program;
    AppState& state = program.state;
    test::FakePrompts& prompts = program.prompts;
    TempFolder& folder = program.folder;
    TMainform& form = *program.form;
    QTest::qWait(100);
    Save(form, "main_window_start");

    prompts.fileAnswers.push_back(folder.Path() + "DATA/FLT-004.DAT");
    OpenChild(state, form.CommandPrompts(), OpenCommand::DataFile);
    QTest::mouseMove(form.Button("SumBtn"));
    QTest::qWait(100);
    Save(form, "main_window");

    // The File menu, painted where it opens under the menu bar.
    auto* file = form.findChild<QMenu*>("File1");
    const QRect item = form.menuBar()->actionGeometry(form.Item("File1"));
    const QPoint at = form.menuBar()->mapTo(&form, item.bottomLeft());
    file->popup(form.mapToGlobal(at));
    if (!QTest::qWaitForWindowExposed(file))
        std::fprintf(stderr, "the File menu was not shown\n");
    file->setActiveAction(form.Item("Exit1"));
    QTest::qWait(100);
    QImage window = form.grab().toImage();
    {
        QPainter painter(&window);
        painter.drawImage(at, file->grab().toImage());
    }
    file->hide();
    Save(window, form.windowTitle(), "main_window_file_menu");

    QTest::mouseClick(form.Button("MainDeployBtn"), Qt::LeftButton);
    QTest::qWait(100);
    form.MainDeployPopup->hide();

    SaveModal("summary", [&] { form.ShowDtaDlg->ShowModal(state); });
    SaveModal("error_box", [&] {
        form.ErrorBox->ShowReport("Invalid character:", "\"ch1 * 32.17 $ 2\"", "            ^");
    });
    SaveModal("about_box", [&] { form.AboutBox->ShowVersion(form.windowTitle()); });
    // The folder tree is listed by a thread: give it time to reach the working directory.
    SaveModal(
        "directory_dialog", [&] { form.DirDlg->exec(); }, {}, 1500);
    SaveModal(
        "parameter_editor", [&] { form.EditParDlg->exec(); },
        [](QWidget* dialog) {
            auto* editor = static_cast<TEditParDlg*>(dialog);
            editor->Field(kNoteField)->setText("Second flight of the day, light wind");
            editor->Field(kLocationField)->setText("Brookfield club field");
        });
    SaveModal("start_length_dialog", [&] { form.StartForm->exec(); });
    SaveModal("configure_port", [&] { form.ConfgDAUForm->exec(); });
    {
        // Live Data and Calibrate Tavix with the emulated recorder: shaken to +3.3 g and -1.5 g,
        // then held a little tilted at a site 850 ft up; then calibrated at -1, 0 and +1 g.
        const std::string image = test::ReadWhole(test::SamplesFolder() + "FLT-001.DAT");
        tavix::ServeOptions live;
        live.baud = 115200;  // a block every 0.18 s: each attitude is seen for a few ticks
        live.sensorScript = tavix::ParseSensorScript(
                                "block 1 gee 3.3 pressure 204\n"
                                "block 2 gee -1.5\n"
                                "block 3 gee 1.2 pressure 201\n")
                                .changes;
        auto recorder = std::make_unique<test::EmulatorThread>(
            live, std::vector<uint8_t>(image.begin(), image.end()));
        const CalibrationData before = state.calibration;
        state.device.deviceName = recorder->Device();
        state.calibration.avg0g = 68.5412f;
        state.calibration.dodg = 3.4588f;
        state.calibration.avgbp = 210.0f;
        state.calibration.actalt = 850.0f;
        SaveModal(
            "live_data", [&] { form.LiveTextForm->ShowModal(); }, {}, 800);
        tavix::ServeOptions walk;
        walk.noise = 0.5;
        walk.sensorScript = tavix::ParseSensorScript(
                                "block 1 gee 1 pressure 204.6\n"
                                "block 2 gee -1\nblock 3 gee 0\n"
                                "block 4 gee 1\n")
                                .changes;
        recorder = std::make_unique<test::EmulatorThread>(
            walk, std::vector<uint8_t>(image.begin(), image.end()));
        state.device.deviceName = recorder->Device();
        state.flight.calibrationFile = folder.Path() + "DATA/TAVIX.CAL";
        SaveModal(
            "calibrate_tavix", [&] { form.CalDlg->exec(); },
            [](QWidget* dialog) { static_cast<TCalDlg*>(dialog)->BitBtn1->click(); });
        recorder.reset();
        form.Link().port().Close();
        state.calibration = before;
        prompts.confirmations.clear();
    }
    SaveModal("graph_parameters", [&] { form.GraphDlg->exec(); });
    // The graph of the flight's channels, stacked and then in one plot area.
    state.settings.graphWidth = 900;
    state.settings.graphHeight = 640;
    form.GraphDlg->OverlapChk->setChecked(false);
    SaveModal(
        "graph_stacked", [&] { form.GraphForm->exec(); }, {}, 600);
    form.GraphDlg->OverlapChk->setChecked(true);
    SaveModal(
        "graph_overlapped", [&] { form.GraphForm->exec(); }, {}, 600);

    // Three flights laid over one another, aligned at launch, and the page that chose them.
    MultiGraphChoice& compared = state.settings.multiGraph;
    compared = {};
    for (const char* name : {"FLT-001.DAT", "FLT-004.DAT", "FLT-006.DAT"})
        compared.rows.push_back(NewMultiGraphRow(state.workingDirectory + name,
                                                 static_cast<int>(compared.rows.size())));
    SaveModal(
        "graph_multi", [&] { form.GraphForm->ShowMultiGraph(compared); }, {}, 600);
    form.GraphDlg->PageControl->setCurrentWidget(form.GraphDlg->MultiGraphPage);
    SaveModal("graph_parameters_multi", [&] { form.GraphDlg->exec(); });
    form.GraphDlg->PageControl->setCurrentIndex(0);
    // The logbook of the working directory.
    SaveModal(
        "flights", [&] { form.findChild<QAction*>("Flights1")->trigger(); }, {}, 300);
    // FLT-001 beside its simulation export, stacked, with the comparison under the graph.
    prompts.fileAnswers.push_back(folder.Path() + "DATA/FLT-001.DAT");
    OpenChild(state, form.CommandPrompts(), OpenCommand::DataFile);
    const std::array<std::pair<float, float>, 3> ranges{{{-4, 12}, {0, 2000}, {-100, 400}}};
    for (size_t i = 0; i < ranges.size(); ++i) {
        state.channels[i].minReading = ranges[i].first;
        state.channels[i].maxReading = ranges[i].second;
    }
    SetGraphLength(state, prompts, false, 30.0);
    state.settings.graphHeight = 780;
    form.GraphDlg->OverlapChk->setChecked(false);
    SaveModal(
        "graph_simulation", [&] { form.GraphForm->exec(); },
        [&](QWidget*) {
            for (int i = 0; i < 100 && form.GraphForm->View().channelSlots.empty(); ++i)
                QTest::qWait(20);
            form.GraphForm->AddSimulation(test::SamplesFolder() + "FLT-001-SIM.csv");
        },
        600);
    form.GraphForm->RemoveSimulation();

    // The status dialog as it looks halfway through a capture.
    form.Link().SetStatusText(27008);
    form.Link().SetProgress(46);
    QTest::qWait(100);
    Save(*form.StatusDlg, "communication_status");
    form.Link().HideStatus();

    // Speed against pressure altitude of the loaded flight, from the Channel vs Channel page.
    TChVsChPage* xy = form.GraphDlg->ChVsChPage;
    form.GraphDlg->PageControl->setCurrentIndex(2);
    xy->XChannelCombo->setCurrentIndex(1);
    xy->YChannelList->item(2)->setCheckState(Qt::Checked);
    SaveModal(
        "graph_speed_altitude", [&] { xy->Draw(); }, {}, 400);

    // On a dark desktop: the Fusion style on a dark palette, the flight's summary in metres.
    QApplication::setStyle("Fusion");
    QApplication::setPalette(test::DarkPalette());
    form.GraphDlg->PageControl->setCurrentIndex(0);
    QTest::qWait(100);
    Save(form, "main_window_dark");
    SaveModal("summary_dark", [&] { form.ShowDtaDlg->ShowModal(state); });
    form.findChild<QAction*>("UnitsMetres1")->trigger();
    SaveModal("summary_metres_dark", [&] { form.ShowDtaDlg->ShowModal(state); });
    form.hide();

    // The same at 200 %, in a second run of this program.
    if (allDark)
        return 0;
    QProcess scaled;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    scaled.setProcessEnvironment(environment);
    scaled.setProcessChannelMode(QProcess::ForwardedChannels);
    scaled.start(QCoreApplication::applicationFilePath(), {g_folder, "--scaled"});
    if (!scaled.waitForFinished(120000) || scaled.exitCode() != 0)
        std::fprintf(stderr, "the pictures at 200 %% were not made\n");
    return 0;
}
