// The main window: menus, the row of tool buttons, the picture area and the status line. Every
// command starts here and hands the work to the procedure that owns it; the window keeps only
// the enabling of the four flight commands and the look of its picture.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "app/form_prompts.h"
#include "core/units.h"
#include "widgets/printer_choice.h"

class QLabel;
class QToolButton;

namespace orvale {

struct AppState;
class DesktopLink;
class DeviceLink;
class PictureArea;
class TAboutBox;
class TCalDlg;
class TDirDlg;
class TEditParDlg;
class TGraphDlg;
class TGraphForm;
class TLiveTextForm;
class TErrorBox;
class TShowDtaDlg;
class TStartForm;
class TStatusDlg;
class TconfgDAUForm;
class TFlightsForm;

class TMainform : public QMainWindow {
    Q_OBJECT
public:
    // dialogs shows every prompt the commands need; the window adds the enabling of its own
    // flight commands.
    TMainform(AppState& state, Prompts& dialogs, QWidget* parent = nullptr);
    ~TMainform() override;

    // Creates the other windows once each, in start-up order; they keep their state between
    // showings.
    void CreateForms();

    // Graph1, GrphBtn, StartLenBtn and SumBtn together.
    void SetFlightCommandsEnabled(bool on);

    Prompts& CommandPrompts() { return prompts_; }
    QAction* Item(const char* name) const;
    QToolButton* Button(const char* name) const;

    PictureArea* Image1;
    QLabel* Panel1;
    QMenu* MainDeployPopup;
    TAboutBox* AboutBox = nullptr;
    TDirDlg* DirDlg = nullptr;
    TShowDtaDlg* ShowDtaDlg = nullptr;
    TErrorBox* ErrorBox = nullptr;
    TStartForm* StartForm = nullptr;
    TEditParDlg* EditParDlg = nullptr;
    TGraphDlg* GraphDlg = nullptr;
    TGraphForm* GraphForm = nullptr;
    TconfgDAUForm* ConfgDAUForm = nullptr;
    TStatusDlg* StatusDlg = nullptr;
    TLiveTextForm* LiveTextForm = nullptr;
    TCalDlg* CalDlg = nullptr;

    // The recorder link every recorder command uses; made by CreateForms.
    DeviceLink& Link();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void SaveData1Click();
    void LoadData1Click();
    void Flights1Click();
    void Parameter1Click();
    void LoadCalibrationfile1Click();
    void ChangeDirectory1Click();
    void Printsetup1Click();
    void Exit1Click();
    void EditParameters1Click();
    void About1Click();
    void ConfigureDAU1Click();
    void CaptureData1Click();
    void ZeroData1Click();
    void LiveData1Click();
    void CalibrateTavix1Click();
    void MainDeployClick(char letter);
    void StartLenBtnClick();
    void SumBtnClick();
    void Graph1Click();
    void GrphBtnClick();
    void MainDeployBtnClick();
    void Image1DblClick();
    void UnitsClick(Units units);

private:
    void BuildMenus();
    void BuildToolBar();
    void RestoreMainWindowBounds();
    void RecordBounds();
    void ShowHint(const QString& hint);
    QAction* AddItem(QWidget* menu, const char* name, void (TMainform::*handler)());
    // Low, medium and high, in that order.
    void AddDeployItems(QMenu* menu, const std::array<const char*, 3>& names);
    QToolButton* AddButton(const char* name);
    // Runs a command inside the command guard, unless a recorder exchange is still running:
    // its waits let the window work, but the port and the flight must not change under it.
    void Run(const std::function<void()>& command);
    bool DeviceBusy() const;

    AppState& state_;
    FormPrompts prompts_;
    // The printer every window prints on, whichever window chose it.
    PrinterChoice printer_;
    QPointer<TFlightsForm> flights_;  // made on first use, keeps its added folders for the run
    std::unique_ptr<DesktopLink> link_;
    bool closeWhenIdle_ = false;  // the window was closed during a transfer
};

}  // namespace orvale
