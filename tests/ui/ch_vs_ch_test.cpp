// "Channel vs Channel" driven through "Graph Parameters" on a loaded sample flight: the page's
// choices, its window fields, the plot window that "Draw Graph" shows, and the scatter and
// reference-circle boxes, with messages answered by the fake prompts.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "fake_prompts.h"
#include "files/loading.h"
#include "graph/ch_vs_ch_page.h"
#include "graph/ch_vs_ch_window.h"
#include "graph/graph_dialog.h"
#include "graph/qcustomplot_header.h"
#include "modal_driver.h"
#include "ui_fixture.h"

namespace orvale {
namespace {

// What the plot window showed, read while it was on screen.
struct Seen {
    bool shown = false;
    QString title;
    QString xLabel;
    QString yLabel;
    QColor yColour;
    int pairs = 0;
    QCPCurve::LineStyle line = QCPCurve::lsLine;
    QCPScatterStyle::ScatterShape shape = QCPScatterStyle::ssNone;
    bool circle = false;
    double xPixelsPerUnit = 0.0;
    double yPixelsPerUnit = 0.0;
    bool svgSaved = false;
    bool csvSaved = false;
};

struct Page {
    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
    std::unique_ptr<TGraphDlg> dialog;
    TChVsChPage* page = nullptr;
    int timeGraphs = 0;

    Page() {
        InitProgramState(state, test::EnvironmentIn(folder), prompts);
        state.current().dataFileName = folder.Path() + "DATA/FLT-001.DAT";
        LoadCurrentFile(state, prompts, false, true, true);
        dialog = std::make_unique<TGraphDlg>(state, prompts);
        dialog->SetDrawGraphHook([this] { ++timeGraphs; });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        dialog->PageControl->setCurrentIndex(2);
        page = dialog->ChVsChPage;
    }
    std::string Scratch(const char* name) const { return folder.Path() + name; }

    // "Draw Graph", reading the plot window and closing it.
    Seen Draw() {
        Seen seen;
        test::WhenModal(
            [&](QWidget* modal) {
                auto* form = qobject_cast<TChVsChForm*>(modal);
                if (!form)
                    return;
                QCustomPlot* chart = form->Chart;
                chart->replot();
                seen.shown = true;
                seen.title = form->windowTitle();
                seen.xLabel = chart->xAxis->label();
                seen.yLabel = chart->yAxis->label();
                seen.yColour = chart->yAxis->labelColor();
                QCPCurve* curve = form->Curve(0);
                seen.pairs = curve ? curve->dataCount() : -1;
                seen.line = curve ? curve->lineStyle() : QCPCurve::lsLine;
                seen.shape = curve ? curve->scatterStyle().shape() : QCPScatterStyle::ssNone;
                seen.circle = form->ReferenceCircle() != nullptr;
                seen.xPixelsPerUnit =
                    chart->xAxis->axisRect()->width() / chart->xAxis->range().size();
                seen.yPixelsPerUnit =
                    chart->yAxis->axisRect()->height() / chart->yAxis->range().size();
                seen.svgSaved = form->SaveGraph(Scratch("xy.svg"));
                seen.csvSaved = form->ExportData(Scratch("xy.csv"));
                form->Close1Click();
            },
            dialog.get());
        dialog->DrawGrBtn->click();
        return seen;
    }
};

}  // namespace

class ChVsChTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsThroughDrawGraphAndTheBoxesSetTheSettingsAndThePlot() {
        Page d;
        QVERIFY(d.dialog->PageControl->tabBar()->isVisible());
        QVERIFY(d.dialog->PageControl->tabBar()->isEnabled());
        QCOMPARE(d.dialog->PageControl->tabText(2), QString("Channel vs Channel"));
        QCOMPARE(d.page->XChannelCombo->count(), 13);
        QCOMPARE(d.page->XChannelCombo->itemText(1), QString("2  Pressure Altitude (ft)"));
        QCOMPARE(d.page->YChannelList->item(2)->text(), QString("3  Speed (ft/sec)"));
        QCOMPARE(d.page->YChannelList->item(2)->toolTip(), QString("Formula: int(ch1)*32.17"));
        QCOMPARE(d.page->StartE->text(), QString("-0.2500"));

        // No Y channel: told so, nothing shown.
        d.page->XChannelCombo->setCurrentIndex(1);
        d.dialog->DrawGrBtn->click();
        QVERIFY(!d.page->ChVsChForm->isVisible());
        QCOMPARE(d.prompts.warnings, std::vector<std::string>{kXyNoYChannel});
        QCOMPARE(d.timeGraphs, 0);

        // Speed against altitude, joined in time order.
        d.page->YChannelList->item(2)->setCheckState(Qt::Checked);
        Seen seen = d.Draw();
        QVERIFY(seen.shown);
        QCOMPARE(d.timeGraphs, 0);
        QCOMPARE(seen.title, QString("Channel vs Channel"));
        QCOMPARE(seen.xLabel, QString("Pressure Altitude (ft)"));
        QCOMPARE(seen.yLabel, QString("Speed (ft/sec)"));
        const RgbColour speed = ChannelColour(d.state.channels[2].colourIndex);
        QCOMPARE(seen.yColour, QColor(speed.red, speed.green, speed.blue));
        QCOMPARE(seen.pairs, static_cast<int>(d.page->ChVsChForm->Plot().time.size()));
        QVERIFY(seen.pairs > 100);
        QCOMPARE(seen.line, QCPCurve::lsLine);
        QVERIFY(!seen.circle);
        QVERIFY(seen.svgSaved && seen.csvSaved);
        QVERIFY(test::ReadWhole(d.Scratch("xy.svg")).find("<svg") != std::string::npos);
        QVERIFY(test::ReadWhole(d.Scratch("xy.csv"))
                    .starts_with("Flight Time (sec),Pressure Altitude (ft),Speed (ft/sec)\n"));
        QCOMPARE(d.state.currentEntry, uint16_t{0});

        // The boxes set the settings at once, and the next plot follows them.
        d.page->ScatterChk->click();
        d.page->RefCircleChk->click();
        QVERIFY(d.state.settings.scatterPlotOn);
        QVERIFY(d.state.settings.refCircleOn);
        seen = d.Draw();
        QVERIFY(seen.shown);
        QCOMPARE(seen.line, QCPCurve::lsNone);
        QCOMPARE(seen.shape, QCPScatterStyle::ssDisc);
        QVERIFY(seen.circle);
        // One scale on both axes, so the circle is round.
        QVERIFY(std::abs(seen.xPixelsPerUnit / seen.yPixelsPerUnit - 1.0) < 0.01);
        d.page->ScatterChk->setChecked(false);
        QVERIFY(!d.state.settings.scatterPlotOn);

        // The boxes show the settings as the page is shown again.
        d.state.settings.refCircleOn = false;
        d.dialog->hide();
        d.dialog->show();
        QVERIFY(!d.page->RefCircleChk->isChecked());
    }

    void theWindowFieldsTellBadValuesAndLeaveTheFlightsWindow() {
        Page d;
        const DataFileEntry flight = d.state.entries[0];
        d.page->YChannelList->item(0)->setCheckState(Qt::Checked);
        d.page->StartE->setFocus();
        d.page->StartE->selectAll();
        QTest::keyClicks(d.page->StartE, "-");
        QTest::keyClick(d.page->StartE, Qt::Key_Return);
        QCOMPARE(d.prompts.warnings.size(), size_t(1));
        QVERIFY(d.prompts.warnings[0].starts_with("Start Time must be a number of seconds"));
        QCOMPARE(d.page->StartE->text(), QString("-0.2500"));

        d.page->StartE->selectAll();
        QTest::keyClicks(d.page->StartE, "3");
        QTest::keyClick(d.page->StartE, Qt::Key_Return);
        d.page->LengthE->setFocus();
        d.page->LengthE->selectAll();
        QTest::keyClicks(d.page->LengthE, "2.5");
        // Typed but not left: "Draw Graph" takes it.
        const Seen seen = d.Draw();
        QVERIFY(seen.shown);
        const XyPlot& plot = d.page->ChVsChForm->Plot();
        QCOMPARE(plot.time.front(), 3.0f);
        QVERIFY(std::abs(plot.time.back() - 5.5f) < 0.07f);
        QCOMPARE(d.state.entries[0].graphStart, flight.graphStart);
        QCOMPARE(d.state.entries[0].graphLength, flight.graphLength);
        QCOMPARE(d.page->LengthE->text(), QString("2.5000"));
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::ChVsChTest)
#include "ch_vs_ch_test.moc"
