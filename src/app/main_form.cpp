#include "app/main_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/command_guard.h"
#include "app/command_table.h"
#include "app/directory_dialog.h"
#include "app/error_box.h"
#include "app/picture_area.h"
#include "app/pictures.h"
#include "core/app_state.h"
#include "core/summary_dialog.h"
#include "core/text_format.h"
#include "files/parameter_editor.h"
#include "files/settings_file.h"
#include "graph/start_length_dialog.h"

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
    ErrorBox = new TErrorBox(this);
    // The port dialog, the communication status dialog and the live data window belong here in
    // the order; they come with the recorder link's commands.
    StartForm = new TStartForm(state_, prompts_, this);
    EditParDlg = new TEditParDlg(state_, prompts_, this);
    // The graph parameters dialog, the graph window and the calibration dialog follow them.
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

QAction* TMainform::AddPendingItem(QWidget* menu, const char* name, const char* noteOf) {
    QAction* action = AddItem(menu, name, nullptr);
    const char* note = noteOf ? noteOf : name;
    connect(action, &QAction::triggered, this, [this, note] { NotAvailable(note); });
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
    AddItem(file, "Parameter1", &TMainform::Parameter1Click);
    AddItem(file, "LoadCalibrationfile1", &TMainform::LoadCalibrationfile1Click);
    AddItem(file, "ChangeDirectory1", &TMainform::ChangeDirectory1Click);
    file->addSeparator();
    AddItem(file, "Printsetup1", &TMainform::Printsetup1Click);
    file->addSeparator();
    AddItem(file, "Exit1", &TMainform::Exit1Click);

    QMenu* edit = addMenu(nullptr, "Edit1");
    AddItem(edit, "EditParameters1", &TMainform::EditParameters1Click);

    QMenu* comm = addMenu(nullptr, "Comm1");
    AddPendingItem(comm, "ConfigureDAU1");
    AddPendingItem(comm, "CaptureData1");
    AddPendingItem(comm, "CalibrateTavix1");
    AddPendingItem(comm, "ZeroData1");
    AddPendingItem(comm, "LiveData1");
    QMenu* deploy = addMenu(comm, "MainDeploy1");
    AddPendingItem(deploy, "LowAlt6001", "MainDeploy1");
    AddPendingItem(deploy, "StdAlt12001", "MainDeploy1");
    AddPendingItem(deploy, "HighAlt24001", "MainDeploy1");

    // A menu-bar item of its own, without a menu.
    AddPendingItem(bar, "Graph1");

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
    AddPendingItem(MainDeployPopup, "LowAlt6002", "MainDeploy1");
    AddPendingItem(MainDeployPopup, "StdAlt12002", "MainDeploy1");
    AddPendingItem(MainDeployPopup, "HighAlt24002", "MainDeploy1");
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
    add("DownLoadBtn", [this] { NotAvailable("CaptureData1"); });
    add("SumBtn", &TMainform::SumBtnClick);
    add("GrphBtn", [this] { NotAvailable("GrphBtn"); });
    add("LiveButton", [this] { NotAvailable("LiveData1"); });
    add("CalBtn", [this] { NotAvailable("CalibrateTavix1"); });
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
    // However the window goes away, the settings are written.
    RecordBounds();
    Run([this] { SaveSettings(state_); });
    event->accept();
}

void TMainform::Run(const std::function<void()>& command) {
    RunCommand(prompts_, command);
}

}  // namespace orvale
