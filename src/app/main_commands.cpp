// The main window's commands. Each hands over to the procedure that does the work and runs
// inside the command guard, so a failure is shown and the window goes back to waiting.
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "app/about_box.h"
#include "app/command_table.h"
#include "app/directory_dialog.h"
#include "app/flights_window.h"
#include "app/main_form.h"
#include "app/picture_area.h"
#include "app/summary_dialog.h"
#include "core/app_state.h"
#include "core/image_decode.h"
#include "core/measured_rows.h"
#include "device/calibration_dialog.h"
#include "device/device_commands.h"
#include "device/image_download.h"
#include "device/live_text_form.h"
#include "device/port_dialog.h"
#include "files/calibration_file.h"
#include "files/data_files.h"
#include "files/parameter_editor.h"
#include "files/safe_file.h"
#include "files/settings_file.h"
#include "graph/graph_dialog.h"
#include "graph/graph_window.h"
#include "graph/multi_graph.h"
#include "graph/multi_graph_page.h"
#include "graph/start_length_dialog.h"
#include "widgets/command_guard.h"

namespace orvale {

namespace {

// The pop-up of the main-deploy button opens here on the screen, wherever the window is.
const QPoint kMainDeployPopupAt(300, 110);

// How long a note stays on the status line.
constexpr int kStatusNoteMs = 5000;

}  // namespace

void TMainform::SaveData1Click() {
    Run([this] { SaveDataFile(state_, prompts_, RealFileLayer()); });
}

void TMainform::LoadData1Click() {
    Run([this] { OpenChild(state_, prompts_, OpenCommand::DataFile); });
}

void TMainform::Flights1Click() {
    Run([this] {
        if (!flights_)
            flights_ = new TFlightsForm(state_, prompts_, this);
        if (flights_->exec() != QDialog::Accepted)
            return;
        if (flights_->Chosen()) {
            OpenChosenFile(state_, prompts_, OpenCommand::DataFile, *flights_->Chosen());
        } else if (!flights_->Compared().empty()) {
            // The selected flights' altitudes, on the Multi-Graph page ready to draw.
            MultiGraphChoice& choice = state_.settings.multiGraph;
            choice.rows.clear();
            for (const std::string& path : flights_->Compared())
                choice.rows.push_back(NewMultiGraphRow(path, static_cast<int>(choice.rows.size())));
            GraphDlg->PageControl->setCurrentWidget(GraphDlg->MultiGraphPage);
            GraphDlg->exec();
        }
    });
}

void TMainform::Parameter1Click() {
    Run([this] { OpenChild(state_, prompts_, OpenCommand::ParameterFile); });
}

void TMainform::LoadCalibrationfile1Click() {
    Run([this] { LoadCalibrationFile(state_, prompts_); });
}

void TMainform::ChangeDirectory1Click() {
    Run([this] { DirDlg->exec(); });
}

void TMainform::Printsetup1Click() {
    Run([this] { printer_.Setup(this); });
}

void TMainform::Exit1Click() {
    if (DeviceBusy()) {
        close();
        return;
    }
    RecordBounds();
    // Settings that cannot be written stop the command like any failure; the window stays, and
    // its close box still ends the program.
    if (RunCommand(prompts_, [this] { SaveSettings(state_); }))
        close();
}

void TMainform::EditParameters1Click() {
    Run([this] { EditParDlg->exec(); });
}

void TMainform::About1Click() {
    AboutBox->ShowVersion(QString::fromStdString(state_.programTitle));
}

void TMainform::StartLenBtnClick() {
    // With "Ask_Start_Length" off the button stays enabled but does nothing.
    if (state_.settings.askStartLength)
        Run([this] { StartForm->exec(); });
}

void TMainform::ConfigureDAU1Click() {
    Run([this] { ConfgDAUForm->exec(); });
}

void TMainform::CaptureData1Click() {
    Run([this] { CaptureFlight(Link(), prompts_); });
}

void TMainform::ZeroData1Click() {
    Run([this] { ClearDataBuffer(Link(), prompts_); });
}

void TMainform::LiveData1Click() {
    Run([this] { LiveTextForm->ShowModal(); });
}

void TMainform::CalibrateTavix1Click() {
    Run([this] {
        if (CalDlg->exec() == QDialog::Accepted)
            SaveCalibrationFile(state_, prompts_);
    });
}

void TMainform::MainDeployClick(char letter) {
    Run([this, letter] {
        // A confirmed setting is said on the status line for a while: the recorder itself
        // shows nothing, and a flyer setting up at the pad wants to see that it took.
        if (SetMainDeployAltitude(Link(), prompts_, letter))
            statusBar()->showMessage(
                QString("Main deployment set to %1 ft").arg(MainDeployAltitudeFeet(letter)),
                kStatusNoteMs);
    });
}

void TMainform::Graph1Click() {
    Run([this] { GraphDlg->exec(); });
}

void TMainform::GrphBtnClick() {
    Run([this] { GraphForm->exec(); });
}

void TMainform::SumBtnClick() {
    // The rows as last filled, with the file name brought up to date.
    Run([this] { ProcessImage(state_, prompts_, false, true); });
}

void TMainform::MainDeployBtnClick() {
    if (DeviceBusy()) {
        prompts_.ShowInformation(kDeviceBusyNote);
        return;
    }
    MainDeployPopup->popup(kMainDeployPopupAt);
}

void TMainform::Image1DblClick() {
    const PictureLook look = ToggleBackgroundPicture(state_, Image1->Look());
    if (look == PictureLook::Banner)
        Image1->SetLook(look, QPixmap(QString::fromStdString(BackgroundPictureFile(state_))));
    else
        Image1->SetLook(look);
}

void TMainform::UnitsClick(Units units) {
    Run([this, units] {
        state_.settings.units = units;
        // The summary already shown is written again in the new units; the next Live Data
        // window and the logbook read the setting when they open.
        WriteMeasuredRows(state_.summaryRows, units);
    });
    // Refused while the recorder is busy, the setting stays and so does its tick.
    Item("UnitsFeet1")->setChecked(state_.settings.units == Units::Feet);
    Item("UnitsMetres1")->setChecked(state_.settings.units == Units::Metres);
}

}  // namespace orvale
