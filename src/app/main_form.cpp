#include "app/main_form.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/command_table.h"
#include "app/directory_dialog.h"
#include "app/error_box.h"
#include "app/picture_area.h"
#include "app/pictures.h"
#include "app/summary_dialog.h"
#include "core/app_state.h"
#include "core/text_format.h"
#include "device/calibration_dialog.h"
#include "device/desktop_link.h"
#include "device/live_text_form.h"
#include "device/port_dialog.h"
#include "device/status_dialog.h"
#include "files/parameter_editor.h"
#include "files/settings_file.h"
#include "graph/graph_dialog.h"
#include "graph/graph_window.h"
#include "graph/start_length_dialog.h"
#include "widgets/command_guard.h"

namespace orvale {

namespace {

constexpr int kCaptionLimit = 32;
constexpr int kButtonSide = 30;
constexpr int kPictureSide = 22;

}  // namespace

TMainform::TMainform(AppState& state, Prompts& dialogs, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      prompts_(dialogs, [this](bool on) { SetFlightCommandsEnabled(on); }) {
    setObjectName("Mainform");
    setWindowIcon(ProgramIcon(64));
    // The tool bar is part of the window's fixed layout, not something to switch off.
    setContextMenuPolicy(Qt::PreventContextMenu);

    BuildMenus();
    BuildToolBar();

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Image1 = new PictureArea(client);
    layout->addWidget(Image1, 1);
    // Takes the rest of the window while the picture is a banner.
    layout->addStretch(0);
    setCentralWidget(client);
    connect(Image1, &PictureArea::DoubleClicked, this, &TMainform::Image1DblClick);

    Panel1 = new QLabel(this);
    Panel1->setObjectName("Panel1");
    Panel1->setTextFormat(Qt::PlainText);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    status->addWidget(Panel1, 1);
    setStatusBar(status);

    RestoreMainWindowBounds();
    const PictureLook look = StartingPictureLook(state_);
    if (look == PictureLook::Banner)
        Image1->SetLook(look, QPixmap(QString::fromStdString(BackgroundPictureFile(state_))));
    setWindowTitle(QString::fromStdString(CutText(state_.programTitle, kCaptionLimit)));
    SetFlightCommandsEnabled(false);
}

TMainform::~TMainform() = default;

void TMainform::CreateForms() {
    AboutBox = new TAboutBox(this);
    DirDlg = new TDirDlg(state_, this);
    ShowDtaDlg = new TShowDtaDlg(this);
    ShowDtaDlg->SetPrinterChoice(&printer_);
    ErrorBox = new TErrorBox(this);
    link_ = std::make_unique<DesktopLink>(state_);
    ConfgDAUForm = new TconfgDAUForm(Link(), prompts_, this);
    StatusDlg = new TStatusDlg(this);
    link_->AttachStatus(*StatusDlg);
    connect(StatusDlg, &TStatusDlg::ButtonPressed, this, [this] { Link().StatusButtonClicked(); });
    LiveTextForm = new TLiveTextForm(Link(), this);
    StartForm = new TStartForm(state_, prompts_, this);
    EditParDlg = new TEditParDlg(state_, prompts_, this);
    GraphDlg = new TGraphDlg(state_, prompts_, this);
    GraphForm = new TGraphForm(state_, prompts_, printer_, this);
    GraphForm->SetOverlapSource([this] { return GraphDlg->OverlapAllChannels(); });
    GraphDlg->SetDrawGraphHook([this] { GraphForm->exec(); });
    GraphDlg->SetDrawMultiGraphHook(
        [this] { GraphForm->ShowMultiGraph(state_.settings.multiGraph); });
    CalDlg = new TCalDlg(Link(), prompts_, this);
}

QAction* TMainform::AddItem(QWidget* menu, const char* name, void (TMainform::*handler)()) {
    const CommandText& text = CommandNamed(name);
    auto* action = new QAction(text.caption, this);
    action->setObjectName(name);
    action->setStatusTip(text.hint);
    if (*text.shortcut)
        action->setShortcut(QKeySequence(text.shortcut));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
    return action;
}

void TMainform::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->installEventFilter(this);
    connect(bar, &QMenuBar::hovered, this,
            [this](QAction* action) { ShowHint(action->statusTip()); });
    const auto addMenu = [&](QMenu* parent, const char* name) {
        const CommandText& text = CommandNamed(name);
        QMenu* menu = parent ? parent->addMenu(text.caption) : bar->addMenu(text.caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setStatusTip(text.hint);
        if (*text.shortcut)
            menu->menuAction()->setShortcut(QKeySequence(text.shortcut));
        // Menus are separate windows: their hints are passed on by hand.
        connect(menu, &QMenu::hovered, this, [this](QAction* a) { ShowHint(a->statusTip()); });
        connect(menu, &QMenu::aboutToHide, this, [this] { ShowHint({}); });
        return menu;
    };

    QMenu* file = addMenu(nullptr, "File1");
    AddItem(file, "SaveData1", &TMainform::SaveData1Click);
    AddItem(file, "LoadData1", &TMainform::LoadData1Click);
    AddItem(file, "Flights1", &TMainform::Flights1Click);
    AddItem(file, "Parameter1", &TMainform::Parameter1Click);
    AddItem(file, "LoadCalibrationfile1", &TMainform::LoadCalibrationfile1Click);
    AddItem(file, "ChangeDirectory1", &TMainform::ChangeDirectory1Click);
    file->addSeparator();
    AddItem(file, "Printsetup1", &TMainform::Printsetup1Click);
    file->addSeparator();
    AddItem(file, "Exit1", &TMainform::Exit1Click);

    QMenu* edit = addMenu(nullptr, "Edit1");
    AddItem(edit, "EditParameters1", &TMainform::EditParameters1Click);
    edit->addSeparator();
    auto* units = new QActionGroup(this);
    for (const auto& [name, choice] :
         {std::pair{"UnitsFeet1", Units::Feet}, std::pair{"UnitsMetres1", Units::Metres}}) {
        QAction* item = AddItem(edit, name, nullptr);
        item->setCheckable(true);
        item->setChecked(state_.settings.units == choice);
        units->addAction(item);
        connect(item, &QAction::triggered, this, [this, choice] { UnitsClick(choice); });
    }

    QMenu* comm = addMenu(nullptr, "Comm1");
    AddItem(comm, "ConfigureDAU1", &TMainform::ConfigureDAU1Click);
    AddItem(comm, "CaptureData1", &TMainform::CaptureData1Click);
    AddItem(comm, "CalibrateTavix1", &TMainform::CalibrateTavix1Click);
    AddItem(comm, "ZeroData1", &TMainform::ZeroData1Click);
    AddItem(comm, "LiveData1", &TMainform::LiveData1Click);
    QMenu* deploy = addMenu(comm, "MainDeploy1");
    AddDeployItems(deploy, {"LowAlt6001", "StdAlt12001", "HighAlt24001"});

    // A menu-bar item of its own, without a menu.
    AddItem(bar, "Graph1", &TMainform::Graph1Click);

    // Arranges document windows, and the program opens none: kept, but never shown.
    QMenu* window = addMenu(nullptr, "Window1");
    AddItem(window, "Tile1", nullptr);
    AddItem(window, "Cascade1", nullptr);
    AddItem(window, "ArrangeIcons1", nullptr);
    window->menuAction()->setVisible(false);
    window->menuAction()->setEnabled(false);

    QMenu* help = addMenu(nullptr, "Help1");
    AddItem(help, "About1", &TMainform::About1Click);

    MainDeployPopup = new QMenu(this);
    MainDeployPopup->setObjectName("MainDeployPopup");
    AddDeployItems(MainDeployPopup, {"LowAlt1", "StdAlt1", "HighAlt1"});
}

void TMainform::AddDeployItems(QMenu* menu, const std::array<const char*, 3>& names) {
    const char letters[] = {'L', 'M', 'H'};
    for (int i = 0; i < 3; ++i) {
        QAction* item = AddItem(menu, names[i], nullptr);
        const char letter = letters[i];
        connect(item, &QAction::triggered, this, [this, letter] { MainDeployClick(letter); });
    }
}

QToolButton* TMainform::AddButton(const char* name) {
    const CommandText& text = CommandNamed(name);
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setToolTip(text.hint);
    button->setStatusTip(text.hint);
    const QIcon picture = ToolPicture(name);
    if (picture.isNull()) {
        button->setText(text.caption);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        button->setIcon(picture);
        button->setIconSize(QSize(kPictureSide, kPictureSide));
    }
    button->setFixedSize(kButtonSide, kButtonSide);
    return button;
}

void TMainform::BuildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("SpeedBar");
    bar->setMovable(false);
    bar->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, bar);
    const auto add = [&](const char* name, auto handler) {
        QToolButton* button = AddButton(name);
        connect(button, &QToolButton::clicked, this, handler);
        bar->addWidget(button);
    };
    add("OpenFileBtn", &TMainform::LoadData1Click);
    add("StartLenBtn", &TMainform::StartLenBtnClick);
    add("DownLoadBtn", &TMainform::CaptureData1Click);
    add("SumBtn", &TMainform::SumBtnClick);
    add("GrphBtn", &TMainform::GrphBtnClick);
    add("LiveButton", &TMainform::LiveData1Click);
    add("CalBtn", &TMainform::CalibrateTavix1Click);
    add("MainDeployBtn", &TMainform::MainDeployBtnClick);
}

QAction* TMainform::Item(const char* name) const {
    for (QAction* action : findChildren<QAction*>(name))
        return action;
    return nullptr;
}

QToolButton* TMainform::Button(const char* name) const {
    return findChild<QToolButton*>(name);
}

void TMainform::SetFlightCommandsEnabled(bool on) {
    for (const char* name : kFlightCommands) {
        if (QAction* item = Item(name))
            item->setEnabled(on);
        if (QToolButton* button = Button(name))
            button->setEnabled(on);
    }
}

void TMainform::RestoreMainWindowBounds() {
    const WindowBounds saved = ReadMainWindowBounds(state_);
    QRect frame(saved.left, saved.top, saved.width, saved.height);
    // A window last closed on a screen that is no longer there comes back where it starts by
    // default.
    if (!QGuiApplication::screenAt(frame.center())) {
        const WindowBounds standard;
        frame.moveTo(standard.left, standard.top);
    }
    move(frame.topLeft());
    resize(frame.size());
}

void TMainform::RecordBounds() {
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint corner = isMaximized() || isMinimized() ? normal.topLeft() : pos();
    state_.settings.mainWindow = {corner.y(), corner.x(), normal.height(), normal.width()};
}

void TMainform::ShowHint(const QString& hint) {
    Panel1->setText(hint);
}

bool TMainform::event(QEvent* event) {
    // The status line shows the hint of whatever is under the mouse, and nothing otherwise.
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menuBar() && event->type() == QEvent::Leave)
        ShowHint({});
    return QMainWindow::eventFilter(watched, event);
}

void TMainform::closeEvent(QCloseEvent* event) {
    if (DeviceBusy()) {
        // The transfer is cancelled first; the window closes once its command has ended.
        closeWhenIdle_ = true;
        Link().Cancel();
        event->ignore();
        return;
    }
    // However the window goes away, the settings are written.
    RecordBounds();
    Run([this] { SaveSettings(state_); });
    event->accept();
}

void TMainform::Run(const std::function<void()>& command) {
    if (DeviceBusy()) {
        prompts_.ShowInformation(kDeviceBusyNote);
        return;
    }
    RunCommand(prompts_, command);
    if (closeWhenIdle_ && !DeviceBusy()) {
        closeWhenIdle_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

bool TMainform::DeviceBusy() const {
    return link_ && link_->link.Busy();
}

DeviceLink& TMainform::Link() {
    return link_->link;
}

}  // namespace orvale
