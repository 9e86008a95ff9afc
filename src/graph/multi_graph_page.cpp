#include "graph/multi_graph_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/multi_graph_settings.h"
#include "graph/colour_swatch.h"
#include "graph/multi_graph.h"
#include "widgets/command_guard.h"

namespace orvale {

namespace {

enum Column { kFlightColumn, kChannelColumn, kColourColumn, kOffsetColumn };

QString OffsetCell(double offset) {
    return QString::number(offset, 'f', 2);
}

}  // namespace

TMultiGraphPage::TMultiGraphPage(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts) {
    setObjectName("MultiGraphPage");
    MultiGraphTable = new QTableWidget(0, 4, this);
    MultiGraphTable->setObjectName("MultiGraphTable");
    MultiGraphTable->setHorizontalHeaderLabels({"Flight", "Channel", "Color", "Offset (s)"});
    MultiGraphTable->horizontalHeaderItem(kOffsetColumn)
        ->setToolTip("Seconds added to the flight's time on the graph");
    MultiGraphTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    MultiGraphTable->setSelectionMode(QAbstractItemView::SingleSelection);
    MultiGraphTable->horizontalHeader()->setSectionResizeMode(kFlightColumn, QHeaderView::Stretch);
    MultiGraphTable->setColumnWidth(kChannelColumn, 190);
    MultiGraphTable->setColumnWidth(kColourColumn, 70);
    MultiGraphTable->setColumnWidth(kOffsetColumn, 80);
    connect(MultiGraphTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == kOffsetColumn)
            CommitOffset(item->row());
    });
    connect(MultiGraphTable, &QTableWidget::itemSelectionChanged, this,
            &TMultiGraphPage::UpdateButtons);

    AddFlightBtn = new QPushButton("Add Flight...", this);
    AddFlightBtn->setObjectName("AddFlightBtn");
    RemoveFlightBtn = new QPushButton("Remove Flight", this);
    RemoveFlightBtn->setObjectName("RemoveFlightBtn");
    AlignChk = new QCheckBox("Align at launch", this);
    AlignChk->setObjectName("AlignChk");
    AlignChk->setToolTip("Shift each flight so that it leaves the pad at 0 s");
    for (QPushButton* button : {AddFlightBtn, RemoveFlightBtn}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(AddFlightBtn, &QPushButton::clicked, this, &TMultiGraphPage::AddFlightBtnClick);
    connect(RemoveFlightBtn, &QPushButton::clicked, this, &TMultiGraphPage::RemoveFlightBtnClick);
    connect(AlignChk, &QCheckBox::toggled, this,
            [this](bool on) { state_.settings.multiGraph.alignAtLaunch = on; });

    auto* top = new QHBoxLayout;
    top->addWidget(AddFlightBtn);
    top->addWidget(RemoveFlightBtn);
    top->addStretch(1);
    top->addWidget(AlignChk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MultiGraphTable, 1);
    auto* hint = new QLabel(
        "Up to twelve flights, each with one channel of its own parameter file. Draw Graph lays "
        "them over one another.",
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    FillTable();
}

void TMultiGraphPage::FillTable() {
    filling_ = true;
    const MultiGraphChoice& choice = state_.settings.multiGraph;
    AlignChk->setChecked(choice.alignAtLaunch);
    MultiGraphTable->setRowCount(static_cast<int>(choice.rows.size()));
    for (int row = 0; row < MultiGraphTable->rowCount(); ++row)
        FillRow(row);
    filling_ = false;
    UpdateButtons();
}

void TMultiGraphPage::FillRow(int row) {
    const MultiGraphRow& r = state_.settings.multiGraph.rows[static_cast<size_t>(row)];
    const std::string path = MultiGraphRowPath(state_, r);
    auto* flight = new QTableWidgetItem(QString::fromStdString(FileNamePart(path)));
    flight->setToolTip(QString::fromStdString(path));
    flight->setFlags(flight->flags() & ~Qt::ItemIsEditable);
    MultiGraphTable->setItem(row, kFlightColumn, flight);

    auto* channel = new QComboBox;
    channel->setObjectName("ChannelList");
    const std::vector<std::string> titles = FlightChannelTitles(path);
    for (int n = 1; n <= kFileChannels; ++n) {
        const std::string& title = titles[static_cast<size_t>(n - 1)];
        channel->addItem(QString("%1  %2").arg(n).arg(QString::fromStdString(title)));
    }
    channel->setCurrentIndex(std::clamp(r.channel, 1, kFileChannels) - 1);
    // The table is filled afresh whenever a row comes or goes, so row stays true.
    connect(channel, &QComboBox::currentIndexChanged, this, [this, row](int index) {
        if (index >= 0)
            state_.settings.multiGraph.rows[static_cast<size_t>(row)].channel = index + 1;
    });
    MultiGraphTable->setCellWidget(row, kChannelColumn, channel);

    auto* colour = new QComboBox;
    colour->setObjectName("ColourList");
    for (int i = 0; i < 16; ++i) {
        colour->addItem(QIcon(ColourSwatch(i)), QString());
        colour->setItemData(i, QString("Colour %1").arg(i), Qt::AccessibleTextRole);
    }
    colour->setCurrentIndex(std::clamp(r.colourIndex, 0, 15));
    connect(colour, &QComboBox::currentIndexChanged, this, [this, row](int index) {
        if (index >= 0)
            state_.settings.multiGraph.rows[static_cast<size_t>(row)].colourIndex = index;
    });
    MultiGraphTable->setCellWidget(row, kColourColumn, colour);

    MultiGraphTable->setItem(row, kOffsetColumn, new QTableWidgetItem(OffsetCell(r.offset)));
}

void TMultiGraphPage::CommitOffset(int row) {
    MultiGraphRow& r = state_.settings.multiGraph.rows[static_cast<size_t>(row)];
    QTableWidgetItem* item = MultiGraphTable->item(row, kOffsetColumn);
    const std::string text = item->text().trimmed().toStdString();
    const std::optional<double> value =
        text.empty() ? std::optional<double>(0.0) : ParseMultiGraphOffset(text);
    if (value) {
        r.offset = *value;
    } else {
        prompts_.ShowWarning("'" + text +
                             "' is not a valid offset: enter seconds between -900 and 900, "
                             "such as 1.5 or -0.25");
    }
    filling_ = true;
    item->setText(OffsetCell(r.offset));
    filling_ = false;
}

bool TMultiGraphPage::AddFlight(const std::string& path) {
    MultiGraphChoice& choice = state_.settings.multiGraph;
    if (static_cast<int>(choice.rows.size()) >= kMostMultiGraphRows) {
        prompts_.ShowWarning("Twelve flights are the most one graph compares: remove one first");
        return false;
    }
    choice.rows.push_back(NewMultiGraphRow(path, static_cast<int>(choice.rows.size())));
    FillTable();
    MultiGraphTable->selectRow(MultiGraphTable->rowCount() - 1);
    return true;
}

void TMultiGraphPage::AddFlightBtnClick() {
    RunCommand(prompts_, [this] {
        FileDialogRequest request;
        request.title = "Add Flight";
        request.filter = "Data files|*.dat|All files|*";
        request.defaultExtension = "DAT";
        request.initialDirectory = state_.workingDirectory;
        if (const std::optional<std::string> path = prompts_.AskOpenFileName(request))
            AddFlight(*path);
    });
}

void TMultiGraphPage::RemoveFlightBtnClick() {
    const int row = MultiGraphTable->currentRow();
    MultiGraphChoice& choice = state_.settings.multiGraph;
    if (row < 0 || row >= static_cast<int>(choice.rows.size()))
        return;
    choice.rows.erase(choice.rows.begin() + row);
    FillTable();
    if (MultiGraphTable->rowCount() > 0)
        MultiGraphTable->selectRow(std::min(row, MultiGraphTable->rowCount() - 1));
}

void TMultiGraphPage::UpdateButtons() {
    AddFlightBtn->setEnabled(MultiGraphTable->rowCount() < kMostMultiGraphRows);
    RemoveFlightBtn->setEnabled(MultiGraphTable->currentRow() >= 0);
}

}  // namespace orvale
