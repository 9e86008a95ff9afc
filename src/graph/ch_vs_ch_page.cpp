#include "graph/ch_vs_ch_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/app_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "graph/ch_vs_ch_window.h"
#include "widgets/command_guard.h"
#include "widgets/entry_fields.h"
#include "widgets/seconds_field.h"

namespace orvale {

namespace {

// "3  Speed (ft/sec)": the slot as the Graph page numbers its channels, and its title.
QString SlotText(const AppState& state, int slot) {
    const std::string& title = state.channels[static_cast<size_t>(slot)].title;
    const bool blank = title.find_first_not_of(' ') == std::string::npos;
    return QString("%1  %2").arg(slot + 1).arg(blank ? QString("(no title)")
                                                     : QString::fromStdString(title));
}

QString FormulaHint(const AppState& state, int slot) {
    const std::string& formula = state.channels[static_cast<size_t>(slot)].formula;
    return formula.empty() ? QString("No formula") : "Formula: " + QString::fromStdString(formula);
}

}  // namespace

TChVsChPage::TChVsChPage(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts) {
    setObjectName("ChVsChPage");

    XChannelCombo = new QComboBox(this);
    XChannelCombo->setObjectName("XChannelCombo");
    XChannelCombo->setToolTip("Select the Channel for the X Axis");
    YChannelList = new QListWidget(this);
    YChannelList->setObjectName("YChannelList");
    YChannelList->setToolTip("Tick the Channels to Draw against X");
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        XChannelCombo->addItem(QString());
        auto* item = new QListWidgetItem(YChannelList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* xLabel = new QLabel("X Channel", this);
    xLabel->setBuddy(XChannelCombo);
    auto* yLabel = new QLabel("Y Channels", this);
    yLabel->setBuddy(YChannelList);

    StartE = SecondsField("XyStartE", "Enter Graph Start Time", 6, true, this);
    LengthE = SecondsField("XyLengthE", "Enter Length of Time to Graph", 6, true, this);
    StartTimeLabel = new QLabel("Start Time", this);
    StartTimeLabel->setBuddy(StartE);
    LengthLabel = new QLabel("Graph Length", this);
    LengthLabel->setBuddy(LengthE);
    for (QLineEdit* field : {StartE, LengthE}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this,
                [this, field] { field == StartE ? LeaveStart() : LeaveLength(); });
    }

    ScatterChk = new QCheckBox("Scatter Plot", this);
    ScatterChk->setObjectName("ScatterChk");
    ScatterChk->setToolTip("Draw the Points alone, not joined in Time Order");
    RefCircleChk = new QCheckBox("Reference Circle", this);
    RefCircleChk->setObjectName("RefCircleChk");
    RefCircleChk->setToolTip(
        "Draw a Circle around 0,0 through the Farthest Point, Axes at Equal "
        "Scale");
    connect(ScatterChk, &QCheckBox::toggled, this,
            [this](bool on) { state_.settings.scatterPlotOn = on; });
    connect(RefCircleChk, &QCheckBox::toggled, this,
            [this](bool on) { state_.settings.refCircleOn = on; });

    auto* channels = new QVBoxLayout;
    channels->addWidget(xLabel);
    channels->addWidget(XChannelCombo);
    channels->addSpacing(6);
    channels->addWidget(yLabel);
    channels->addWidget(YChannelList, 1);
    auto* times = new QGridLayout;
    times->addWidget(StartTimeLabel, 0, 0);
    times->addWidget(StartE, 0, 1);
    times->addWidget(LengthLabel, 1, 0);
    times->addWidget(LengthE, 1, 1);
    auto* options = new QVBoxLayout;
    options->addLayout(times);
    options->addSpacing(12);
    options->addWidget(ScatterChk);
    options->addWidget(RefCircleChk);
    options->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(channels, 3);
    layout->addSpacing(12);
    layout->addLayout(options, 2);

    ChVsChForm = new TChVsChForm(state_, prompts_, this);
    FillChannels();
}

TChVsChPage::~TChVsChPage() = default;

void TChVsChPage::showEvent(QShowEvent* event) {
    // Titles may have changed on the Graph page, and the settings elsewhere.
    FillChannels();
    ScatterChk->setChecked(state_.settings.scatterPlotOn);
    RefCircleChk->setChecked(state_.settings.refCircleOn);
    TakeFlightWindow();
    QWidget::showEvent(event);
}

void TChVsChPage::TakeFlightWindow() {
    // The window starts from the flight's, and again whenever the flight or its window changes;
    // otherwise the page keeps its own.
    const DataFileEntry& flight = state_.entries[0];
    const XyWindow own{flight.graphStart, flight.graphLength};
    if (flight.dataFileName != takenFile_ || !(own == takenWindow_)) {
        takenFile_ = flight.dataFileName;
        takenWindow_ = own;
        window_ = own;
    }
    StartE->setText(SecondsText(window_.start));
    LengthE->setText(SecondsText(window_.length));
}

void TChVsChPage::FillChannels() {
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        XChannelCombo->setItemText(slot, SlotText(state_, slot));
        XChannelCombo->setItemData(slot, FormulaHint(state_, slot), Qt::ToolTipRole);
        QListWidgetItem* item = YChannelList->item(slot);
        item->setText(SlotText(state_, slot));
        item->setToolTip(FormulaHint(state_, slot));
    }
}

XyChoice TChVsChPage::Choice() const {
    XyChoice choice;
    choice.xSlot = std::max(XChannelCombo->currentIndex(), 0);
    for (int slot = 0; slot < YChannelList->count(); ++slot)
        if (YChannelList->item(slot)->checkState() == Qt::Checked)
            choice.ySlots.push_back(slot);
    choice.start = window_.start;
    choice.length = window_.length;
    return choice;
}

void TChVsChPage::LeaveStart() {
    const auto start = ParseDecimal(StartE->text().toStdString());
    if (!start) {
        prompts_.ShowWarning("Start Time must be a number of seconds, such as 1.5; it stays " +
                             Fixed(window_.start, 1, 4) + ".");
    } else {
        // Kept in single precision, as the Graph page keeps its start.
        RunCommand(prompts_, [&] {
            window_ = FitXyStart(state_, prompts_, window_, static_cast<float>(*start));
        });
    }
    StartE->setText(SecondsText(window_.start));
    LengthE->setText(SecondsText(window_.length));
}

void TChVsChPage::LeaveLength() {
    const auto length = ParseDecimal(LengthE->text().toStdString());
    if (!length) {
        prompts_.ShowWarning("Graph Length must be a number of seconds, such as 12.25; it stays " +
                             Fixed(window_.length, 1, 4) + ".");
    } else {
        RunCommand(prompts_, [&] {
            window_ = FitXyLength(state_, prompts_, window_, static_cast<float>(*length));
        });
    }
    LengthE->setText(SecondsText(window_.length));
}

bool TChVsChPage::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == StartE || watched == LengthE) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or another window taking the focus is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            static_cast<QLineEdit*>(watched)->isModified())
            watched == StartE ? LeaveStart() : LeaveLength();
    }
    return QWidget::eventFilter(watched, event);
}

void TChVsChPage::Draw() {
    for (QLineEdit* field : {StartE, LengthE})
        if (field->hasFocus() && field->isModified())
            field == StartE ? LeaveStart() : LeaveLength();
    TakeFlightWindow();
    // A few milliseconds even for every slot over the whole flight: no busy cursor.
    XyPlot plot;
    XyResult result = XyResult::Failed;
    RunCommand(prompts_, [&] { result = BuildXyPlot(state_, prompts_, Choice(), plot); });
    if (result != XyResult::Drawn)
        return;
    ChVsChForm->SetPlot(std::move(plot));
    ChVsChForm->exec();
}

}  // namespace orvale
