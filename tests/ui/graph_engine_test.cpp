// The graph of a sample flight built into a real QCustomPlot: the plot areas, curves and marker
// lines it holds, a zoom by a mouse drag that recomputes, its undo, and a saved picture.

#include <QImage>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include "graph/qcustomplot_header.h"

#include "core/time_window.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "graph/graph_window.h"
#include "graph/graph_zoom.h"
#include "graph/qcp_graph_engine.h"
#include "graph/simulation_comparison.h"
#include "modal_driver.h"
#include "test_image.h"

namespace orvale {

class GraphEngineTest : public QObject {
    Q_OBJECT

    // FLT-001 with its first three channels (acceleration, altitude, speed) selected.
    void Open(AppState& state, test::FakePrompts& prompts, const test::TempDir& dir) {
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        state.entries[0].dataFileName = std::string(ORVALE_SOURCE_DIR) + "/samples/FLT-001.DAT";
        LoadCurrentFile(state, prompts, false, true, true);
        for (size_t i = 0; i < state.channels.size(); ++i)
            state.channels[i].selected = i < 3;
    }

private Q_SLOTS:
    void stackedAndOverlappedScalesCurvesAndMarkers() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        QCustomPlot plot;
        plot.resize(800, 600);
        QcpGraphEngine engine(&plot);
        GraphView view;
        QCOMPARE(BuildGraph(state, prompts, engine, {false, true, {}}, view), BuildResult::Drawn);
        // Stacked: channels 1 and 2 share the first area (left and right), channel 3 the second.
        QCOMPARE(int(engine.AxisRects().size()), 2);
        QCOMPARE(plot.graphCount(), 3);
        QCOMPARE(plot.graph(1)->valueAxis()->axisType(), QCPAxis::atRight);
        QCOMPARE(plot.graph(2)->keyAxis()->axisRect(), engine.AxisRects()[1]);
        QCOMPARE(plot.graph(0)->pen().color(), QColor(0x00, 0x00, 0xC0));  // colour index 0
        QCOMPARE(plot.graph(0)->valueAxis()->label(), QString("Acceleration (g)"));
        QCOMPARE(engine.AxisRects()[1]->axis(QCPAxis::atBottom)->label(),
                 QString("Flight Time (sec)"));
        // Every marker inside the flight is a line through each area, with its label once.
        int lines = 0;
        int labels = 0;
        for (int i = 0; i < plot.itemCount(); ++i) {
            lines += qobject_cast<QCPItemStraightLine*>(plot.item(i)) != nullptr;
            labels += qobject_cast<QCPItemText*>(plot.item(i)) != nullptr;
        }
        QVERIFY(labels >= 1);
        QCOMPARE(lines, labels * 2);

        QVERIFY(BuildGraph(state, prompts, engine, {true, true, {}}, view) == BuildResult::Drawn);
        QCOMPARE(int(engine.AxisRects().size()), 1);
        QCOMPARE(plot.graphCount(), 3);
        QCOMPARE(engine.AxisRects()[0]->axes(QCPAxis::atLeft).size(), 2);
    }

    void aDraggedRectangleZoomsAndRecomputesAndUndoReturns() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        QCustomPlot plot;
        plot.resize(800, 600);
        QcpGraphEngine engine(&plot);
        GraphView view;
        int zooms = 0;
        engine.SetZoomEvents({[&] {
                                  ++zooms;
                                  ZoomIn(state, prompts, engine, view);
                              },
                              [&] { UndoZoom(state, prompts, engine, view); }});
        QVERIFY(BuildGraph(state, prompts, engine, {true, true, {}}, view) == BuildResult::Drawn);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        plot.replot();
        const XRange whole = view.shown;
        QCPAxis* x = engine.AxisRects()[0]->axis(QCPAxis::atBottom);
        const double from = whole.min + 0.1 * (whole.max - whole.min);
        const double to = whole.min + 0.2 * (whole.max - whole.min);
        const int y = engine.AxisRects()[0]->center().y();
        const QPoint a(int(x->coordToPixel(from)), y);
        const QPoint b(int(x->coordToPixel(to)), y + 40);
        QTest::mousePress(&plot, Qt::LeftButton, {}, a);
        QMouseEvent move(QEvent::MouseMove, b, plot.mapToGlobal(b), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(&plot, &move);
        QTest::mouseRelease(&plot, Qt::LeftButton, {}, b);
        QTRY_COMPARE(zooms, 1);
        x = engine.AxisRects()[0]->axis(QCPAxis::atBottom);  // the areas were built again
        QVERIFY(std::abs(x->range().lower - from) < 0.5);
        QVERIFY(std::abs(x->range().upper - to) < 0.5);
        // A tenth of the flight is under half the window: the series were computed again.
        QVERIFY(std::abs(state.entries[1].graphStart - x->range().lower) < 0.5);

        QTest::keyClick(&plot, Qt::Key_Backspace);
        x = engine.AxisRects()[0]->axis(QCPAxis::atBottom);
        QCOMPARE(x->range().lower, whole.min);
        QCOMPARE(x->range().upper, whole.max);
        QCOMPARE(state.entries[1].graphStart, state.entries[0].graphStart);
    }

    void theWindowBuildsWhenShownSavesAPictureAndKeepsItsPlace() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        state.settings.graphWidth = 700;
        state.settings.graphHeight = 500;
        TGraphForm form(state, prompts);
        bool saved = false;
        int curves = 0;
        test::WhenModal([&](QWidget*) {
            for (int i = 0; i < 100 && form.Chart->graphCount() == 0; ++i)
                QTest::qWait(20);
            curves = form.Chart->graphCount();
            saved = form.SaveGraph(dir.path().string() + "/shown.png", 500, 300) &&
                    form.ExportData(dir.path().string() + "/shown.csv");
            form.resize(720, 520);
            form.Close1Click();
        });
        form.exec();
        QCOMPARE(curves, 3);
        QVERIFY(saved);
        QCOMPARE(QImage(QString::fromStdString(dir.path().string() + "/shown.png")).size(),
                 QSize(500, 300));
        QFile csv(QString::fromStdString(dir.path().string() + "/shown.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readLine().startsWith("Flight Time (sec),Acceleration (g)"));
        QCOMPARE(state.settings.graphWidth, 720);
        QCOMPARE(state.settings.graphHeight, 520);
        QCOMPARE(state.currentEntry, 0);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(prompts.warnings.empty());
    }

    // A histogram is bars in its channel's colour over its value bins, a spectrum a curve on a
    // frequency axis, each in a plot area below the time axes.
    void histogramBarsAndSpectrumInBandsBelowTime() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        state.channels[1].formula = "HST 50, ch1";
        state.channels[1].title = "Acceleration bins";
        state.channels[1].colourIndex = 10;
        state.channels[2].formula = "FFT(ch1)";
        QCustomPlot plot;
        plot.resize(800, 900);
        QcpGraphEngine engine(&plot);
        GraphView view;
        QCOMPARE(BuildGraph(state, prompts, engine, {false, true, {}}, view), BuildResult::Drawn);
        plot.replot();
        QCOMPARE(int(engine.AxisRects().size()), 1);
        QCOMPARE(int(engine.BandRects().size()), 2);
        QCPBars* bars = nullptr;
        for (int i = 0; i < plot.plottableCount(); ++i)
            bars = bars ? bars : qobject_cast<QCPBars*>(plot.plottable(i));
        QVERIFY(bars);
        QCOMPARE(bars->keyAxis()->axisRect(), engine.BandRects()[0]);
        QCOMPARE(bars->keyAxis()->label(), QString("Acceleration bins"));
        QCOMPARE(bars->brush().color(), QColor(0xFF, 0x00, 0x00));  // colour index 10
        QVERIFY(bars->data()->size() > 10);
        QCOMPARE(plot.graphCount(), 2);  // the time curve, then the spectrum
        QCPGraph* spectrum = plot.graph(1);
        QCOMPARE(spectrum->keyAxis()->axisRect(), engine.BandRects()[1]);
        QCOMPARE(spectrum->keyAxis()->label(), QString("Frequency (Hz)"));
        QCOMPARE(spectrum->keyAxis()->range().upper, 8.0);
        QCOMPARE(spectrum->data()->size(), (state.series[3].pointCount + 1) / 2 + 1);
        QVERIFY(engine.BandRects()[0]->top() >= engine.AxisRects()[0]->bottom());
        QVERIFY(engine.BandRects()[1]->top() >= engine.BandRects()[0]->bottom());
        // The event lines stay on the time axes.
        for (int i = 0; i < plot.itemCount(); ++i)
            QVERIFY(plot.item(i)->clipAxisRect() == engine.AxisRects()[0]);

        // A histogram alone: no time axis, so no event line has anywhere to go.
        state.channels[0].selected = false;
        state.channels[2].selected = false;
        QCOMPARE(BuildGraph(state, prompts, engine, {false, true, {}}, view), BuildResult::Drawn);
        plot.replot();
        QVERIFY(engine.AxisRects().empty());
        QCOMPARE(int(engine.BandRects().size()), 1);
        QCOMPARE(plot.itemCount(), 0);
        QCOMPARE(plot.plottableCount(), 1);
    }

    // "Add Simulation..." through the open dialog: a file without altitude is refused and
    // nothing changes; the sample's export adds a dashed curve beside each matching series (its
    // colour, its axis) and the comparison table; a redraw keeps them, another flight drops them.
    void addSimulationDrawsDashedCurvesAndTheTable() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        const std::string simulation = std::string(ORVALE_SOURCE_DIR) + "/samples/FLT-001-SIM.csv";
        std::ofstream(dir.path() / "mass.csv") << "Time (s),Mass (g)\n0,500\n";
        prompts.fileAnswers = {(dir.path() / "mass.csv").string(), simulation};
        TGraphForm form(state, prompts);
        auto* add = form.findChild<QAction*>("AddSimulation1");
        std::vector<QString> seen;  // curves, dashed ones beside a curve, the table's text
        const auto look = [&] {
            int dashed = 0;
            for (int i = 0; i < form.Chart->graphCount(); ++i)
                for (int j = 0; j < form.Chart->graphCount(); ++j)
                    dashed +=
                        form.Chart->graph(i)->pen().style() == Qt::DashLine &&
                        form.Chart->graph(j)->pen().style() == Qt::SolidLine &&
                        form.Chart->graph(j)->pen().color() ==
                            form.Chart->graph(i)->pen().color() &&
                        form.Chart->graph(j)->valueAxis() == form.Chart->graph(i)->valueAxis();
            QString text = QString("%1 %2").arg(form.Chart->graphCount()).arg(dashed);
            for (int r = 0; form.SimulationTable->isVisibleTo(&form) && r < 4; ++r) {
                text += "|" + form.SimulationTable->verticalHeaderItem(r)->text();
                for (int c = 0; c < 3; ++c)
                    text += "|" + form.SimulationTable->item(r, c)->text();
            }
            seen.push_back(text);
        };
        const auto show = [&](const char* flight, const std::function<void()>& act) {
            state.entries[0].dataFileName = std::string(ORVALE_SOURCE_DIR) + "/samples/" + flight;
            test::WhenModal([&](QWidget*) {
                for (int i = 0; i < 100 && form.View().channelSlots.empty(); ++i)
                    QTest::qWait(20);
                QTest::qWait(50);
                look();
                act();
                form.Close1Click();
            });
            form.exec();
        };
        show("FLT-001.DAT", [&] {
            add->trigger();  // no altitude column
            look();
            add->trigger();
            look();
            form.Engine().SetXRange({2.0, 4.0});  // as a zoom or its undo draws again
            form.Engine().Apply();
            look();
        });
        show("FLT-001.DAT", [] {});
        show("FLT-002.DAT", [] {});

        SimulationTrack track = ReadSimulationFile(simulation);
        AlignAtLaunch(track);
        state.entries[0].dataFileName = std::string(ORVALE_SOURCE_DIR) + "/samples/FLT-001.DAT";
        LoadCurrentFile(state, prompts, false, true, true);
        QString table = "6 3";
        for (const auto& row :
             ComparisonCells(CompareFigures(RecordedFigures(state), SimulationFigures(track))))
            for (size_t c = 0; !row[0].empty() && c < row.size(); ++c)
                table += "|" + QString::fromStdString(row[c]);
        QVERIFY(table.contains("|Apogee (ft)|1701.00|"));  // the summary's apogee of FLT-001
        QCOMPARE(seen, (std::vector<QString>{"3 0", "3 0", table, table, table, "3 0"}));
        QCOMPARE(int(prompts.warnings.size()), 1);
        QVERIFY(prompts.warnings[0].find("no altitude column") != std::string::npos);
        QCOMPARE(prompts.fileRequests[0].filter,
                 std::string("Simulation exports|*.csv|All files|*"));
        QCOMPARE(prompts.fileRequests[0].initialDirectory, state.workingDirectory);
        QVERIFY(!form.findChild<QAction*>("RemoveSimulation1")->isEnabled());
    }

    void savesAPictureOfTheAskedSize() {
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        Open(state, prompts, dir);
        QCustomPlot plot;
        QcpGraphEngine engine(&plot);
        GraphView view;
        QVERIFY(BuildGraph(state, prompts, engine, {true, true, {}}, view) == BuildResult::Drawn);
        const std::string png = dir.path().string() + "/graph.png";
        QVERIFY(engine.SavePicture(png, 640, 400));
        const QImage picture(QString::fromStdString(png));
        QCOMPARE(picture.size(), QSize(640, 400));
        // A drawing, not a grab: the curves are SVG lines.
        const std::string svg = dir.path().string() + "/graph.svg";
        QVERIFY(engine.SavePicture(svg, 640, 400));
        QFile drawing(QString::fromStdString(svg));
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        const QByteArray text = drawing.readAll();
        QVERIFY(text.contains("<svg") && text.contains("<polyline"));
        QVERIFY(!engine.SavePicture(dir.path().string() + "/graph.xyz", 640, 400));
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::GraphEngineTest)
#include "graph_engine_test.moc"
