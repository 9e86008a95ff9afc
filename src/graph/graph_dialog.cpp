#include "graph/graph_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/app_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/data_files.h"
#include "files/parameter_file.h"
#include "graph/ch_vs_ch_page.h"
#include "graph/colour_swatch.h"
#include "graph/graph_table_rules.h"
#include "graph/multi_graph_page.h"
#include "widgets/command_guard.h"
#include "widgets/entry_fields.h"
#include "widgets/screen_placement.h"
#include "widgets/seconds_field.h"

namespace orvale {

namespace {

constexpr int kClientWidth = 601;
constexpr int kClientHeight = 434;
constexpr int kValueRole = Qt::UserRole;  // filter level or colour index of a cell

QString Hint(int column) {
    return kGraphColumns[static_cast<size_t>(column)].hint;
}

// The cell editors: text boxes that take as many characters as the file keeps, reading boxes
// with two decimals, and drop-down lists for the filter and the colour. A refused text comes
// back in its box after the warning, so nothing typed is lost.
class GraphCellDelegate : public QStyledItemDelegate {
public:
    explicit GraphCellDelegate(TGraphDlg* dialog) : QStyledItemDelegate(dialog), dialog_(dialog) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const int column = index.column();
        if (column == kTitleColumn || column == kFormulaColumn) {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(kGraphColumns[static_cast<size_t>(column)].maxLength);
            edit->setToolTip(Hint(column));
            return edit;
        }
        if (column == kMinReadingColumn || column == kMaxReadingColumn) {
            auto* edit = new QLineEdit(parent);
            edit->setAlignment(Qt::AlignRight);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression("\\s*[-+]?\\d{0,8}(\\.\\d{0,2})?\\s*"), edit));
            edit->setToolTip(Hint(column));
            return edit;
        }
        if (column == kFilterColumn || column == kColourColumn) {
            auto* list = new QComboBox(parent);
            list->setToolTip(Hint(column));
            if (column == kFilterColumn) {
                for (const FilterLevel& level : kFilterLevels)
                    list->addItem(level.name);
                list->setMaxVisibleItems(4);
            } else {
                list->setIconSize(QSize(36, 12));
                for (int i = 0; i < static_cast<int>(kChannelColours.size()); ++i) {
                    list->addItem(QIcon(ColourSwatch(i)), QString());
                    list->setItemData(i, QString("Colour %1").arg(i), Qt::ToolTipRole);
                    list->setItemData(i, QString("Colour %1").arg(i), Qt::AccessibleTextRole);
                }
                list->setMaxVisibleItems(16);
            }
            // A choice is taken as soon as it is made.
            connect(list, &QComboBox::activated, list, [this, list] {
                Q_EMIT const_cast<GraphCellDelegate*>(this)->commitData(list);
            });
            return list;
        }
        return nullptr;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            list->setCurrentIndex(index.data(kValueRole).toInt());
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            const bool refused = pending_.index == index && pending_.waiting;
            edit->setText(refused ? pending_.text : index.data(Qt::EditRole).toString());
            pending_.waiting = false;
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            dialog_->CommitChoice(index.row(), index.column(), list->currentIndex());
            return;
        }
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit || pending_.waiting)
            return;
        if (dialog_->CommitCell(index.row(), index.column(), edit->text()))
            return;
        // The warning and the box again once this editor is closed.
        pending_ = {QPersistentModelIndex(index), edit->text(), true};
        QTimer::singleShot(0, dialog_, [this] { Refuse(); });
    }

private:
    void Refuse() const {
        if (!pending_.waiting || !pending_.index.isValid())
            return;
        const QModelIndex index = pending_.index;
        dialog_->CommitCell(index.row(), index.column(), pending_.text);  // shows the warning
        if (!dialog_->isVisible()) {
            pending_.waiting = false;
            return;
        }
        dialog_->GraphTable->setCurrentIndex(index);
        dialog_->GraphTable->edit(index);
    }

    struct Pending {
        QPersistentModelIndex index;
        QString text;
        bool waiting = false;
    };
    TGraphDlg* dialog_;
    mutable Pending pending_;
};

}  // namespace

TGraphDlg::TGraphDlg(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompts_(prompts),
      selection_(std::make_unique<GraphSelection>()) {
    setObjectName("GraphDlg");
    setWindowTitle("Graph Parameters");
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(8);
    setFont(bold);

    OverlapChk = new QCheckBox("Overlap all Channels", this);
    OverlapChk->setObjectName("OverlapChk");
    OverlapChk->setToolTip("Draw graph with all channels Overlapped or Seperate");
    OverlapChk->setChecked(true);
    StartE = SecondsField("StartE", "Enter Graph Start Time", 6, true, this);
    LengthE = SecondsField("LengthE", "Enter Length of Time to Graph", 6, true, this);
    StartTimeLabel = new QLabel("Start Time", this);
    StartTimeLabel->setObjectName("StartTimeLabel");
    StartTimeLabel->setBuddy(StartE);
    LengthLabel = new QLabel("Graph Length", this);
    LengthLabel->setObjectName("LengthLabel");
    LengthLabel->setBuddy(LengthE);
    for (QLineEdit* field : {StartE, LengthE}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this,
                [this, field] { field == StartE ? LeaveStart() : LeaveLength(); });
    }

    GraphTable = new QTableWidget(kFileChannels, kGraphColumnCount, this);
    GraphTable->setObjectName("GraphTable");
    GraphTable->verticalHeader()->hide();
    GraphTable->setSelectionMode(QAbstractItemView::SingleSelection);
    GraphTable->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    GraphTable->setTabKeyNavigation(true);
    GraphTable->setItemDelegate(new GraphCellDelegate(this));
    GraphTable->installEventFilter(this);
    for (int column = 0; column < kGraphColumnCount; ++column) {
        const GraphColumnInfo& info = kGraphColumns[static_cast<size_t>(column)];
        auto* header = new QTableWidgetItem(info.header);
        header->setToolTip(info.hint);
        GraphTable->setHorizontalHeaderItem(column, header);
        GraphTable->setColumnWidth(column, info.width);
    }
    GraphTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GraphTable->horizontalHeader()->setHighlightSections(false);
    const int rowHeight = fontMetrics().height() + 6;
    GraphTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GraphTable->verticalHeader()->setDefaultSectionSize(rowHeight);
    connect(GraphTable, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == kSelectColumn)
            ToggleSelect(row);
    });

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    DrawGrBtn = new QPushButton("Draw Graph", this);
    DrawGrBtn->setObjectName("DrawGrBtn");
    SaveParBtn = new QPushButton("Save Par File", this);
    SaveParBtn->setObjectName("SaveParBtn");
    SaveParBtn->setToolTip("Save Parameters to Disk");
    // Enter belongs to the table's cells and the time fields, never to a button.
    for (QPushButton* button : {OKBtn, DrawGrBtn, SaveParBtn}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(OKBtn, &QPushButton::clicked, this, &TGraphDlg::OKBtnClick);
    connect(DrawGrBtn, &QPushButton::clicked, this, &TGraphDlg::DrawGrBtnClick);
    connect(SaveParBtn, &QPushButton::clicked, this, &TGraphDlg::SaveParBtnClick);

    // The pages under their tab strip.
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    auto* graphPage = new QWidget;
    PageControl->addTab(graphPage, "Graph");
    MultiGraphPage = new TMultiGraphPage(state_, prompts_);
    PageControl->addTab(MultiGraphPage, "Multi-Graph");
    ChVsChPage = new TChVsChPage(state_, prompts_);
    PageControl->addTab(ChVsChPage, "Channel vs Channel");

    auto* times = new QHBoxLayout;
    times->addWidget(StartTimeLabel);
    times->addWidget(StartE);
    times->addSpacing(12);
    times->addWidget(LengthLabel);
    times->addWidget(LengthE);
    times->addStretch(1);
    times->addWidget(OverlapChk);
    auto* page = new QVBoxLayout(graphPage);
    page->addLayout(times);
    page->addWidget(GraphTable, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(DrawGrBtn);
    buttons->addWidget(SaveParBtn);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);

    // Every row shows without scrolling up and down; the wide columns scroll sideways.
    const int tableHeight = GraphTable->horizontalHeader()->sizeHint().height() +
                            kFileChannels * rowHeight + 2 * GraphTable->frameWidth() +
                            GraphTable->horizontalScrollBar()->sizeHint().height();
    GraphTable->setMinimumHeight(tableHeight);
    FillTable();
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(sizeHint()));
}

TGraphDlg::~TGraphDlg() = default;

bool TGraphDlg::OverlapAllChannels() const {
    return OverlapChk->isChecked();
}

void TGraphDlg::showEvent(QShowEvent* event) {
    // Each showing starts from the flight's own window and the channels' flags.
    const DataFileEntry& flight = state_.entries[0];
    StartE->setText(SecondsText(flight.graphStart));
    LengthE->setText(SecondsText(flight.graphLength));
    selection_->Take(state_);
    FillTable();
    MultiGraphPage->FillTable();
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    GraphTable->setFocus();
    GraphTable->setCurrentCell(0, kSelectColumn);
}

void TGraphDlg::FillTable() {
    for (int row = 0; row < kFileChannels; ++row)
        FillRow(row);
}

void TGraphDlg::FillRow(int row) {
    const ChannelDef& channel = state_.channels[static_cast<size_t>(row)];
    auto cell = [&](int column, const QString& text, Qt::ItemFlags flags) {
        // Kept items: a cell may be refilled while its editor is still closing.
        QTableWidgetItem* item = GraphTable->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            GraphTable->setItem(row, column, item);
        }
        item->setText(text);
        item->setFlags(flags);
        item->setToolTip(Hint(column));
        return item;
    };
    const Qt::ItemFlags fixed = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Qt::ItemFlags editable = fixed | Qt::ItemIsEditable;
    cell(kChannelColumn, QString::number(row + 1), fixed)->setTextAlignment(Qt::AlignCenter);
    auto* select = cell(kSelectColumn, QString(), fixed);
    select->setCheckState(selection_->Selected(row) ? Qt::Checked : Qt::Unchecked);
    cell(kTitleColumn, QString::fromStdString(channel.title), editable);
    for (int column : {kMinReadingColumn, kMaxReadingColumn}) {
        const float reading = column == kMinReadingColumn ? channel.minReading : channel.maxReading;
        cell(column, QString::fromStdString(ReadingCellText(reading)), editable)
            ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const int level = ShownFilterLevel(channel.filter);
    cell(kFilterColumn, kFilterLevels[static_cast<size_t>(level)].name, editable)
        ->setData(kValueRole, level);
    cell(kFormulaColumn, QString::fromStdString(channel.formula), editable);
    const int colour = ShownColourIndex(channel.colourIndex);
    auto* swatch = cell(kColourColumn, QString(), editable);
    swatch->setData(kValueRole, colour);
    swatch->setData(Qt::DecorationRole, ColourSwatch(colour));
    swatch->setData(Qt::AccessibleTextRole, QString("Colour %1").arg(colour));
}

bool TGraphDlg::CommitCell(int row, int column, const QString& text) {
    const std::string typed = text.toStdString();
    if (const auto refusal = GraphCellRefusal(row, column, typed)) {
        prompts_.ShowWarning(*refusal);
        return false;
    }
    StoreGraphCell(state_, row, column, typed);
    FillRow(row);
    return true;
}

void TGraphDlg::CommitChoice(int row, int column, int choice) {
    if (row < 0 || row >= kFileChannels || choice < 0)
        return;
    ChannelDef& channel = state_.channels[static_cast<size_t>(row)];
    // A damaged value the flyer did not change stays as the file has it.
    if (column == kFilterColumn && choice != ShownFilterLevel(channel.filter))
        channel.filter = choice;
    if (column == kColourColumn && choice != ShownColourIndex(channel.colourIndex))
        channel.colourIndex = choice;
    FillRow(row);
}

void TGraphDlg::ToggleSelect(int row) {
    selection_->Toggle(state_, row);
    GraphTable->item(row, kSelectColumn)
        ->setCheckState(selection_->Selected(row) ? Qt::Checked : Qt::Unchecked);
}

void TGraphDlg::LeaveStart() {
    const auto start = ParseDecimal(StartE->text().toStdString());
    if (!start) {
        prompts_.ShowWarning("Start Time must be a number of seconds, such as 1.5; it stays " +
                             Fixed(state_.entries[0].graphStart, 1, 4) + ".");
    } else {
        // The graph works in single precision, as the field's value is kept.
        RunCommand(prompts_,
                   [&] { LeaveGraphStart(state_, prompts_, static_cast<float>(*start)); });
    }
    StartE->setText(SecondsText(state_.entries[0].graphStart));
    LengthE->setText(SecondsText(state_.entries[0].graphLength));
}

void TGraphDlg::LeaveLength() {
    const auto length = ParseDecimal(LengthE->text().toStdString());
    if (!length) {
        prompts_.ShowWarning("Graph Length must be a number of seconds, such as 12.25; it stays " +
                             Fixed(state_.entries[0].graphLength, 1, 4) + ".");
    } else {
        RunCommand(prompts_,
                   [&] { LeaveGraphLength(state_, prompts_, static_cast<float>(*length)); });
    }
    LengthE->setText(SecondsText(state_.entries[0].graphLength));
}

bool TGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == StartE || watched == LengthE) && event->type() == QEvent::FocusOut &&
        !closing_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or another window taking the focus is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            watched == StartE ? LeaveStart() : LeaveLength();
    }
    if (watched == GraphTable && event->type() == QEvent::KeyPress && !OpenEditor()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex current = GraphTable->currentIndex();
        if (key->key() == Qt::Key_Space && current.column() == kSelectColumn) {
            ToggleSelect(current.row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* TGraphDlg::OpenEditor() const {
    return GraphTable->indexWidget(GraphTable->currentIndex());
}

void TGraphDlg::EndEdits() {
    // A field still being typed in is left by pressing the button.
    if (StartE->hasFocus() && StartE->isModified())
        LeaveStart();
    if (LengthE->hasFocus() && LengthE->isModified())
        LeaveLength();
    if (QWidget* editor = OpenEditor()) {
        QAbstractItemDelegate* delegate = GraphTable->itemDelegate();
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    selection_->WriteBack(state_);
}

void TGraphDlg::OKBtnClick() {
    EndEdits();
    // A parameter file that cannot be written keeps the dialog open with the table as it is.
    if (RunCommand(prompts_, [&] { WriteParameterFile(state_); }))
        accept();
}

void TGraphDlg::DrawGrBtnClick() {
    EndEdits();
    // Flights laid over one another are read with their own parameter files: the current
    // flight's is not written for them (there may be no current flight at all).
    if (PageControl->currentWidget() == MultiGraphPage) {
        if (drawMultiGraph_)
            drawMultiGraph_();
        return;
    }
    if (PageControl->currentWidget() == ChVsChPage) {
        ChVsChPage->Draw();
        return;
    }
    if (!RunCommand(prompts_, [&] { WriteParameterFile(state_); }))
        return;
    if (drawGraph_)
        drawGraph_();
}

void TGraphDlg::SaveParBtnClick() {
    EndEdits();
    RunCommand(prompts_, [&] { SaveParameterFileAs(state_, prompts_); });
}

void TGraphDlg::reject() {
    // Escape or the close box: a cell still being edited is dropped; what was already taken
    // stays in memory, and the parameter file is written only by the buttons.
    closing_ = true;
    if (QWidget* editor = OpenEditor())
        Q_EMIT GraphTable->itemDelegate()->closeEditor(editor,
                                                       QAbstractItemDelegate::RevertModelCache);
    QDialog::reject();
    closing_ = false;
}

}  // namespace orvale
