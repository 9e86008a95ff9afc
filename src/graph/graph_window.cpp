#include "graph/graph_window.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/app_state.h"
#include "core/prompts.h"
#include "graph/graph_bands.h"
#include "graph/graph_data_export.h"
#include "graph/graph_report_printer.h"
#include "graph/graph_zoom.h"
#include "graph/multi_graph.h"
#include "graph/qcp_graph_engine.h"
#include "widgets/command_guard.h"

namespace orvale {

namespace {

constexpr int kCalloutWidth = 100;
// How near the mouse must be to a curve for the read-out to name its point, in pixels.
constexpr double kReadoutReach = 24.0;

}  // namespace

TGraphForm::TGraphForm(AppState& state, Prompts& prompts, QWidget* parent)
    : TGraphForm(state, prompts, ownPrinter_, parent) {}

TGraphForm::TGraphForm(AppState& state, Prompts& prompts, PrinterChoice& printer, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), printer_(printer) {
    setObjectName("GraphForm");
    setWindowTitle("Graph");
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    QMenu* graph = MainMenu->addMenu("&Graph");
    QAction* print = graph->addAction("&Print", this, &TGraphForm::Print1Click);
    print->setObjectName("Print1");
    print->setShortcut(QKeySequence("Ctrl+P"));
    print->setStatusTip("Print Current Graph");
    QAction* setup = graph->addAction("&Setup Printer ...", this, &TGraphForm::SetupPrinter1Click);
    setup->setObjectName("SetupPrinter1");
    QAction* save = graph->addAction("Save Graph...", this, &TGraphForm::SaveGraph1Click);
    save->setObjectName("SaveGraph1");
    QAction* data = graph->addAction("Export Data...", this, &TGraphForm::ExportData1Click);
    data->setObjectName("ExportData1");
    QAction* addSimulation =
        graph->addAction("Add Simulation...", this, &TGraphForm::AddSimulation1Click);
    addSimulation->setObjectName("AddSimulation1");
    removeSimulation_ =
        graph->addAction("Remove Simulation", this, &TGraphForm::RemoveSimulation1Click);
    removeSimulation_->setObjectName("RemoveSimulation1");
    removeSimulation_->setEnabled(false);
    graph->addSeparator();
    QAction* close = graph->addAction("&Close", this, &TGraphForm::Close1Click);
    close->setObjectName("Close1");

    Chart = new QCustomPlot(this);
    Chart->setObjectName("Chart");
    Chart->setMouseTracking(true);
    engine_ = std::make_unique<QcpGraphEngine>(Chart);
    engine_->SetZoomEvents(
        {[this] {
             RunCommand(prompts_, [this] {
                 if (multi_)
                     MultiGraphZoomIn(state_, prompts_, *engine_, *multi_, view_);
                 else
                     ZoomIn(state_, prompts_, *engine_, view_);
             });
         },
         [this] {
             RunCommand(prompts_, [this] {
                 if (multi_)
                     MultiGraphUndoZoom(state_, prompts_, *engine_, *multi_, view_);
                 else
                     UndoZoom(state_, prompts_, *engine_, view_);
             });
         }});
    connect(Chart, &QCustomPlot::mouseMove, this, &TGraphForm::ShowPointUnder);

    CalloutPnl = new QWidget(this);
    CalloutPnl->setObjectName("CalloutPnl");
    CursorReadout = new QLabel(this);
    CursorReadout->setObjectName("CursorReadout");
    SimulationTable = new QTableWidget(this);
    SimulationTable->setObjectName("SimulationTable");
    SimulationTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SimulationTable->setSelectionMode(QAbstractItemView::NoSelection);
    SimulationTable->setFocusPolicy(Qt::NoFocus);
    SimulationTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SimulationTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SimulationTable->hide();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(Chart, 1);
    body->addWidget(CalloutPnl);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setMenuBar(MainMenu);
    layout->addLayout(body, 1);
    layout->addWidget(SimulationTable);
    layout->addWidget(CursorReadout);
}

TGraphForm::~TGraphForm() = default;

void TGraphForm::showEvent(QShowEvent* event) {
    // Brought back from the task bar: the graph on screen, zoom and all, stays as it was.
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    const Settings& s = state_.settings;
    move(s.graphLeft, s.graphTop);
    resize(std::max(s.graphWidth, 200), std::max(s.graphHeight, 150));
    CalloutPnl->setFixedWidth(s.showCallouts ? kCalloutWidth : 0);
    QDialog::showEvent(event);
    // Built once the window is on screen, so that the flyer sees it while the series compute.
    QMetaObject::invokeMethod(
        this, [this] { BuildGraphNow(); }, Qt::QueuedConnection);
}

void TGraphForm::ShowMultiGraph(const MultiGraphChoice& choice) {
    multi_ = choice;
    exec();
}

void TGraphForm::BuildGraphNow() {
    CursorReadout->clear();
    // The simulation belongs to the flight it was added to: another flight, or flights laid
    // over one another, drop it. Its curves are drawn once the series they sit beside are known.
    if (simulation_ && (multi_ || !ShowsSimulatedFlight(state_, *simulation_)))
        simulation_.reset();
    engine_->SetOverlays({});
    bool drawn = false;
    RunCommand(prompts_, [this, &drawn] {
        if (multi_) {
            struct Busy {
                Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
                ~Busy() { QApplication::restoreOverrideCursor(); }
            } busy;
            BuildMultiGraph(state_, prompts_, *engine_, *multi_, view_);
            return;
        }
        GraphWindowState window;
        window.overlap = overlap_ ? overlap_() : true;
        window.drogueRowVisible = drogueRow_ ? drogueRow_() : state_.summaryRows.drogueRowVisible;
        window.setBusyCursor = [](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        };
        drawn = BuildGraph(state_, prompts_, *engine_, window, view_) == BuildResult::Drawn;
    });
    // Without a simulation the graph just built is already on screen.
    ShowSimulation(drawn && simulation_);
}

void TGraphForm::ShowPointUnder(QMouseEvent* event) {
    // The nearest curve under the mouse, and on it the point nearest in time.
    QCPGraph* nearest = nullptr;
    double reach = kReadoutReach;
    for (int i = 0; i < Chart->graphCount(); ++i) {
        QCPGraph* curve = Chart->graph(i);
        const double distance = curve->selectTest(event->position(), false);
        if (distance >= 0 && distance < reach) {
            reach = distance;
            nearest = curve;
        }
    }
    if (!nearest || nearest->data()->isEmpty()) {
        CursorReadout->clear();
        return;
    }
    const double time = nearest->keyAxis()->pixelToCoord(event->position().x());
    auto at = nearest->data()->findBegin(time, false);
    if (at != nearest->data()->constBegin() && at != nearest->data()->constEnd()) {
        auto before = at - 1;
        if (std::abs(before->key - time) < std::abs(at->key - time))
            at = before;
    } else if (at == nearest->data()->constEnd()) {
        --at;
    }
    // A spectrum's curve runs over frequency, every other one over time.
    const bool hertz = nearest->keyAxis()->label() == QString(kFrequencyLabel);
    CursorReadout->setText(QString("%1:  %2 %3,  %4")
                               .arg(nearest->valueAxis()->label())
                               .arg(at->key, 0, 'f', 2)
                               .arg(hertz ? "Hz" : "s")
                               .arg(at->value, 0, 'f', 3));
}

bool TGraphForm::SaveGraph(const std::string& path, int width, int height) {
    if (!engine_->SavePicture(path, width, height)) {
        prompts_.ShowWarning("Unable to save the graph as " + path +
                             " (a picture is saved as .png, .svg, .pdf or .jpg)");
        return false;
    }
    return true;
}

void TGraphForm::SaveGraph1Click() {
    const QString name = QFileDialog::getSaveFileName(
        this, "Save Graph", QString::fromStdString(state_.workingDirectory),
        "Pictures (*.png *.svg *.pdf *.jpg)");
    if (!name.isEmpty())
        SaveGraph(name.toStdString());
}

bool TGraphForm::ExportData(const std::string& path) {
    if (!SaveGraphData(path, state_, view_)) {
        prompts_.ShowWarning("Unable to write to " + path);
        return false;
    }
    return true;
}

void TGraphForm::ExportData1Click() {
    const QString name = QFileDialog::getSaveFileName(
        this, "Export Data", QString::fromStdString(state_.workingDirectory),
        "Spreadsheet (*.csv)");
    if (!name.isEmpty())
        ExportData(name.toStdString());
}

bool TGraphForm::AddSimulation(const std::string& path) {
    if (multi_) {
        prompts_.ShowWarning(
            "A simulation is set beside one flight: draw that flight's own graph "
            "to add it");
        return false;
    }
    if (view_.channelSlots.empty()) {
        prompts_.ShowWarning("Draw the graph of a flight before adding its simulation");
        return false;
    }
    try {
        simulation_ = LoadSimulation(state_, path);
    } catch (const SimulationError& e) {
        prompts_.ShowWarning(e.what());
        return false;
    }
    ShowSimulation(true);
    return true;
}

void TGraphForm::AddSimulation1Click() {
    FileDialogRequest request;
    request.title = "Add Simulation";
    request.filter = "Simulation exports|*.csv|All files|*";
    request.defaultExtension = "csv";
    request.initialDirectory = state_.workingDirectory;
    if (const std::optional<std::string> name = prompts_.AskOpenFileName(request))
        AddSimulation(*name);
}

void TGraphForm::RemoveSimulation() {
    if (!simulation_)
        return;
    simulation_.reset();
    ShowSimulation(true);
}

void TGraphForm::RemoveSimulation1Click() {
    RemoveSimulation();
}

void TGraphForm::ShowSimulation(bool redraw) {
    removeSimulation_->setEnabled(simulation_.has_value());
    // Without a graph there is nothing to draw beside, nor a flight to compare.
    SimulationTable->setVisible(simulation_ && !view_.channelSlots.empty());
    if (!redraw || view_.channelSlots.empty())
        return;
    const int count = static_cast<int>(view_.channelSlots.size());
    engine_->SetOverlays(simulation_ ? SimulationOverlays(state_, *simulation_, count)
                                     : std::vector<OverlayCurve>{});
    engine_->Apply();
    if (!simulation_)
        return;
    const std::vector<std::vector<std::string>> cells = ComparisonCells(simulation_->rows);
    SimulationTable->clear();
    SimulationTable->setRowCount(static_cast<int>(cells.size()) - 1);
    SimulationTable->setColumnCount(static_cast<int>(cells[0].size()) - 1);
    for (size_t c = 1; c < cells[0].size(); ++c)
        SimulationTable->setHorizontalHeaderItem(
            static_cast<int>(c) - 1, new QTableWidgetItem(QString::fromStdString(cells[0][c])));
    for (size_t r = 1; r < cells.size(); ++r) {
        const int row = static_cast<int>(r) - 1;
        SimulationTable->setVerticalHeaderItem(
            row, new QTableWidgetItem(QString::fromStdString(cells[r][0])));
        for (size_t c = 1; c < cells[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            SimulationTable->setItem(row, static_cast<int>(c) - 1, item);
        }
    }
    // As tall as its rows: the graph keeps the rest of the window.
    int height = SimulationTable->horizontalHeader()->sizeHint().height() + 2;
    for (int row = 0; row < SimulationTable->rowCount(); ++row)
        height += SimulationTable->verticalHeader()->sectionSizeHint(row);
    SimulationTable->setFixedHeight(height);
}

void TGraphForm::Print1Click() {
    RunCommand(prompts_, [this] { PrintGraphReport(); });
}

void TGraphForm::PrintGraphReport() {
    QPrinter& printer = printer_.Printer();
    QPrintDialog dialog(&printer, this);
    // Cancel prints nothing; the graph on screen is untouched.
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The report reads each flight again with its own parameter file; laid over one another,
    // those are other flights, and the flyer's own comes back afterwards.
    std::optional<AppState> flyers;
    if (multi_)
        flyers = state_;
    const bool printed =
        orvale::PrintGraphReport(state_, prompts_, *engine_, printer, multi_.has_value());
    if (flyers) {
        for (int k = 1; k < kEntryCount; ++k) {
            flyers->entries[static_cast<size_t>(k)] = state_.entries[static_cast<size_t>(k)];
            flyers->series[static_cast<size_t>(k)] = state_.series[static_cast<size_t>(k)];
        }
        state_ = std::move(*flyers);
    }
    if (!printed)
        prompts_.ShowWarning(
            "Unable to print the graph: the printer could not start. "
            "Choose a printer with Setup Printer.");
}

void TGraphForm::SetupPrinter1Click() {
    RunCommand(prompts_, [this] { printer_.Setup(this); });
}

void TGraphForm::Close1Click() {
    accept();
}

void TGraphForm::done(int result) {
    Settings& s = state_.settings;
    s.graphTop = y();
    s.graphLeft = x();
    s.graphHeight = height();
    s.graphWidth = width();
    state_.currentEntry = 0;
    multi_.reset();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QDialog::done(result);
}

}  // namespace orvale
