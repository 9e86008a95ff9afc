#include "app/directory_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/directory_choice.h"
#include "core/app_state.h"
#include "widgets/plain_file_icons.h"
#include "widgets/screen_placement.h"

namespace orvale {

namespace {

constexpr int kNameBoxLimit = 127;

// The folder as the tree names it: no trailing separator except for the root.
QString FolderText(const std::string& directory) {
    QString text = QString::fromStdString(directory);
    while (text.size() > 1 && text.endsWith('/'))
        text.chop(1);
    return text;
}

}  // namespace

TDirDlg::TDirDlg(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("DirDlg");
    setWindowTitle("Select a Directory");

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->lineEdit()->setMaxLength(kNameBoxLimit);
    // The name box's line edit hands its focus to the box itself, which receives FocusIn.
    ComboBox1->installEventFilter(this);
    auto* nameLabel = new QLabel("Directory &Name", this);
    nameLabel->setBuddy(ComboBox1);

    folders_ = new QFileSystemModel(this);
    folders_->setIconProvider(&PlainFileIcons::Shared());
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setModel(folders_);
    DirectoryListBox1->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    DirectoryListBox1->setRootIndex(folders_->index(QDir::rootPath()));
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDirDlg::ListFolderChanged);
    connect(DirectoryListBox1, &QTreeView::clicked, this, &TDirDlg::ListFolderChanged);
    // Folders are listed by a thread of the model's own, and sorted a moment after they arrive:
    // each listing and each sort moves the rows, so the current folder is brought back into view
    // after every one of them, until the flyer moves about the tree.
    const auto follow = [this] {
        if (followCurrent_)
            DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(),
                                        QAbstractItemView::PositionAtCenter);
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(folders_, &QAbstractItemModel::layoutChanged, this, follow);
    connect(folders_, &QAbstractItemModel::rowsInserted, this, follow);
    DirectoryListBox1->installEventFilter(this);
    DirectoryListBox1->viewport()->installEventFilter(this);
    // The platform has no drives: the drive selector is left out.

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton("Help", this);
    HelpBtn->setObjectName("HelpBtn");
    HelpBtn->setVisible(false);
    connect(OKBtn, &QPushButton::clicked, this, &TDirDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(ComboBox1);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addLayout(buttons);
    setFixedSize(420, 380);
}

void TDirDlg::showEvent(QShowEvent* event) {
    followCurrent_ = true;
    ShowFolder(FolderText(state_.workingDirectory));
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    ComboBox1->setFocus(Qt::OtherFocusReason);
}

void TDirDlg::ShowFolder(const QString& folder) {
    // The box lists the folder and those above it, so a parent is one choice away.
    ComboBox1->clear();
    for (QString up = folder; !up.isEmpty();) {
        ComboBox1->addItem(up);
        const QString parent = QFileInfo(up).path();
        if (parent == up)
            break;
        up = parent;
    }
    ComboBox1->setEditText(folder);
    const QModelIndex index = folders_->index(folder);
    if (index.isValid()) {
        const QSignalBlocker quiet(DirectoryListBox1->selectionModel());
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
        DirectoryListBox1->expand(index);
    }
}

void TDirDlg::ListFolderChanged() {
    const QModelIndex index = DirectoryListBox1->currentIndex();
    if (index.isValid())
        ComboBox1->setEditText(folders_->filePath(index));
}

void TDirDlg::AcceptDirectory() {
    if (auto directory =
            AcceptedDirectory(ComboBox1->currentText().toStdString(), state_.workingDirectory))
        state_.workingDirectory = *directory;
}

void TDirDlg::OKBtnClick() {
    AcceptDirectory();
    accept();
}

bool TDirDlg::eventFilter(QObject* watched, QEvent* event) {
    // A folder picked in the tree is taken as soon as the flyer comes back to the name box,
    // even if the dialog is then left with Cancel.
    if (watched == ComboBox1 && event->type() == QEvent::FocusIn)
        AcceptDirectory();
    // The flyer has taken over the tree: stop bringing the current folder back.
    const QEvent::Type type = event->type();
    if ((watched == DirectoryListBox1 || watched == DirectoryListBox1->viewport()) &&
        (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress))
        followCurrent_ = false;
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvale
