#include "app/flights_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/logbook.h"
#include "core/app_state.h"
#include "core/multi_graph_choice.h"
#include "core/prompts.h"
#include "files/path_lookup.h"

namespace orvale {

namespace {

constexpr int kPathColumnRole = Qt::UserRole + 1;  // the full path, kept on the first cell

// A cell sorted by its number rather than its text; a missing value sorts after every number.
class NumberItem : public QTableWidgetItem {
public:
    explicit NumberItem(const std::string& text) : QTableWidgetItem(QString::fromStdString(text)) {
        bool ok = false;
        const double value = QString::fromStdString(text).toDouble(&ok);
        setData(Qt::UserRole, ok ? value : std::numeric_limits<double>::infinity());
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

// The columns from "Apogee (ft)" on hold numbers.
constexpr int kFirstNumberColumn = 6;

}  // namespace

TFlightsForm::TFlightsForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("FlightsForm");
    setWindowTitle("Flights");
    resize(1100, 420);

    FoldersLabel = new QLabel(this);
    FoldersLabel->setObjectName("FoldersLabel");
    FoldersLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const std::vector<std::string> headers = LogbookHeaders(state_.settings.units);
    FlightsTable = new QTableWidget(0, static_cast<int>(headers.size()), this);
    FlightsTable->setObjectName("FlightsTable");
    for (size_t i = 0; i < headers.size(); ++i)
        FlightsTable->setHorizontalHeaderItem(
            static_cast<int>(i), new QTableWidgetItem(QString::fromStdString(headers[i])));
    FlightsTable->verticalHeader()->hide();
    FlightsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FlightsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FlightsTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FlightsTable->setToolTip("Double-click a flight to open it");
    connect(FlightsTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { OpenRow(row); });

    ProblemsLabel = new QLabel(this);
    ProblemsLabel->setObjectName("ProblemsLabel");
    ProblemsLabel->setWordWrap(true);
    ProblemsLabel->hide();

    AddFolderBtn = new QPushButton("Add Folder...", this);
    AddFolderBtn->setObjectName("AddFolderBtn");
    AddFolderBtn->setToolTip("List the flights of another folder too");
    OpenBtn = new QPushButton("Open", this);
    OpenBtn->setObjectName("OpenBtn");
    OpenBtn->setToolTip("Open the selected flight");
    CompareBtn = new QPushButton("Compare selected", this);
    CompareBtn->setObjectName("CompareBtn");
    CompareBtn->setToolTip("Lay the selected flights' altitudes over one another");
    CloseBtn = new QPushButton("Close", this);
    CloseBtn->setObjectName("CloseBtn");
    connect(AddFolderBtn, &QPushButton::clicked, this, [this] { AddFolderClick(); });
    connect(OpenBtn, &QPushButton::clicked, this, [this] {
        if (FlightsTable->currentRow() >= 0)
            OpenRow(FlightsTable->currentRow());
    });
    connect(CompareBtn, &QPushButton::clicked, this, [this] { CompareSelected(); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddFolderBtn);
    buttons->addStretch();
    buttons->addWidget(CompareBtn);
    buttons->addWidget(OpenBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FoldersLabel);
    layout->addWidget(FlightsTable);
    layout->addWidget(ProblemsLabel);
    layout->addLayout(buttons);
}

std::vector<std::string> TFlightsForm::Folders() const {
    std::vector<std::string> folders{state_.workingDirectory};
    for (const std::string& folder : added_) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

void TFlightsForm::showEvent(QShowEvent* event) {
    chosen_.reset();
    compared_.clear();
    Refresh();
    QDialog::showEvent(event);
}

void TFlightsForm::Refresh() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::string> folders = Folders();
    const Logbook book = ReadLogbook(folders, state_.programDirectory);
    QApplication::restoreOverrideCursor();

    // The heads name the units, which may have changed since the window was last shown.
    const Units units = state_.settings.units;
    const std::vector<std::string> headers = LogbookHeaders(units);
    for (size_t i = 0; i < headers.size(); ++i)
        FlightsTable->horizontalHeaderItem(static_cast<int>(i))
            ->setText(QString::fromStdString(headers[i]));

    QStringList shown;
    for (const std::string& folder : folders)
        shown << QString::fromStdString(folder);
    FoldersLabel->setText("Folders: " + shown.join(", "));

    FlightsTable->setSortingEnabled(false);
    FlightsTable->setRowCount(static_cast<int>(book.rows.size()));
    for (size_t r = 0; r < book.rows.size(); ++r) {
        const std::vector<std::string> cells = LogbookCells(book.rows[r], units);
        for (size_t c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = static_cast<int>(c) >= kFirstNumberColumn
                                         ? new NumberItem(cells[c])
                                         : new QTableWidgetItem(QString::fromStdString(cells[c]));
            if (c == 0) {
                item->setData(kPathColumnRole, QString::fromStdString(book.rows[r].path));
                item->setToolTip(QString::fromStdString(book.rows[r].path));
            }
            FlightsTable->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    FlightsTable->setSortingEnabled(true);
    FlightsTable->resizeColumnsToContents();
    for (int c = 0; c < FlightsTable->columnCount(); ++c)
        FlightsTable->setColumnWidth(c, std::min(FlightsTable->columnWidth(c), 320));

    QStringList problems;
    for (const LogbookFailure& f : book.failures)
        problems << QString::fromStdString(f.path + ": " + f.reason);
    ProblemsLabel->setText(problems.isEmpty()
                               ? QString()
                               : QString("Not listed (cannot be read): ") + problems.join("; "));
    ProblemsLabel->setVisible(!problems.isEmpty());
    OpenBtn->setEnabled(!book.rows.empty());
    CompareBtn->setEnabled(!book.rows.empty());
}

void TFlightsForm::AddFolder(const std::string& folder) {
    added_.push_back(WithSeparator(folder));
    Refresh();
}

void TFlightsForm::AddFolderClick() {
    FileDialogRequest request;
    request.title = "Add a Folder of Flights";
    request.initialDirectory = state_.workingDirectory;
    request.folder = true;
    if (const auto folder = prompts_.AskOpenFileName(request))
        AddFolder(*folder);
}

void TFlightsForm::OpenRow(int row) {
    const QTableWidgetItem* first = FlightsTable->item(row, 0);
    if (!first)
        return;
    chosen_ = first->data(kPathColumnRole).toString().toStdString();
    accept();
}

}  // namespace orvale

namespace orvale {

void TFlightsForm::CompareSelected() {
    std::vector<int> rows;
    for (const QModelIndex& index : FlightsTable->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    if (rows.empty()) {
        prompts_.ShowInformation(
            "Select the flights to compare first (Ctrl+click or Shift+click for several)");
        return;
    }
    if (rows.size() > static_cast<size_t>(kMostMultiGraphRows)) {
        prompts_.ShowInformation(
            "Twelve flights are the most one graph compares: the first "
            "twelve selected are taken");
        rows.resize(static_cast<size_t>(kMostMultiGraphRows));
    }
    std::vector<std::string> paths;
    for (int row : rows)
        if (const QTableWidgetItem* first = FlightsTable->item(row, 0))
            paths.push_back(first->data(kPathColumnRole).toString().toStdString());
    compared_ = std::move(paths);
    accept();
}

}  // namespace orvale
