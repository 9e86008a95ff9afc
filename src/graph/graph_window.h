// "Graph": the selected channels of the current flight against flight time, built afresh each
// time the window is shown. A dragged rectangle zooms in (computing the series again when the
// span is under half the window), "Undo Zoom" and Backspace step back; the read-out under the
// graph gives the time and value of the nearest point under the mouse.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "core/multi_graph_choice.h"
#include "graph/graph_build.h"
#include "graph/simulation_overlay.h"
#include "widgets/printer_choice.h"

class QAction;
class QCustomPlot;
class QLabel;
class QMenuBar;
class QMouseEvent;
class QTableWidget;
class QWidget;

namespace orvale {

struct AppState;
class Prompts;
class QcpGraphEngine;

class TGraphForm : public QDialog {
    Q_OBJECT
public:
    TGraphForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    // Prints on printer, the program's printer choice, which "&Setup Printer ..." sets. Without
    // one, the window keeps a choice of its own.
    TGraphForm(AppState& state, Prompts& prompts, PrinterChoice& printer,
               QWidget* parent = nullptr);
    ~TGraphForm() override;

    // Where the overlap choice comes from (the graph parameters dialog keeps it for the run)
    // and whether the summary's drogue row is visible; both read at each build.
    void SetOverlapSource(std::function<bool()> overlap) { overlap_ = std::move(overlap); }
    void SetDrogueRowSource(std::function<bool()> visible) { drogueRow_ = std::move(visible); }

    // Shows the flights of choice laid over one another instead of the current flight's
    // channels, until the window is closed.
    void ShowMultiGraph(const MultiGraphChoice& choice);
    bool ShowingMultiGraph() const { return multi_.has_value(); }

    // "Save Graph...": PNG, SVG, PDF or JPEG by the name's extension, at the window's plot size or
    // the size given. False, with the reason shown, when it cannot be written.
    bool SaveGraph(const std::string& path, int width = 0, int height = 0);

    // "Export Data...": the plotted points as CSV, only the shown span when zoomed. False, with
    // the reason shown, when it cannot be written.
    bool ExportData(const std::string& path);

    // "&Print": the print dialog, then the report of the graph on the printer it chose. Reloads
    // each series entry's flight and parameter file (see BuildReportLines). Cancel prints
    // nothing.
    void PrintGraphReport();

    // "Add Simulation...": reads a simulation export and draws it beside the flight's matching
    // series, with the comparison table under the graph. A file that cannot be read is shown as
    // a warning and the graph stays as it was. False when nothing was added.
    bool AddSimulation(const std::string& path);
    // "Remove Simulation": the graph and the window as they were before it was added.
    void RemoveSimulation();
    bool SimulationShown() const { return simulation_.has_value(); }

    QMenuBar* MainMenu;
    QCustomPlot* Chart;
    QWidget* CalloutPnl;
    QLabel* CursorReadout;
    QTableWidget* SimulationTable;

    const GraphView& View() const { return view_; }
    QcpGraphEngine& Engine() { return *engine_; }

public Q_SLOTS:
    void Print1Click();
    void SetupPrinter1Click();
    void SaveGraph1Click();
    void ExportData1Click();
    void Close1Click();
    void AddSimulation1Click();
    void RemoveSimulation1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void BuildGraphNow();
    void ShowPointUnder(QMouseEvent* event);
    // The menu item and the table follow whether a simulation is shown; with redraw, its curves
    // (none without one) go to the engine, the graph is drawn again and the table filled.
    void ShowSimulation(bool redraw);

    AppState& state_;
    Prompts& prompts_;
    PrinterChoice ownPrinter_;
    PrinterChoice& printer_;
    std::unique_ptr<QcpGraphEngine> engine_;
    GraphView view_;
    std::function<bool()> overlap_;
    std::function<bool()> drogueRow_;
    std::optional<MultiGraphChoice> multi_;
    std::optional<ShownSimulation> simulation_;
    QAction* removeSimulation_;
};

}  // namespace orvale
