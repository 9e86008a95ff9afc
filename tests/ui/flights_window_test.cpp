// File > Flights...: the logbook window lists the flights of the working directory and of added
// folders, sorts numbers as numbers and opens the flight that is double-clicked.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "app/flights_window.h"
#include "graph/graph_dialog.h"
#include "graph/graph_window.h"
#include "graph/multi_graph_page.h"
#include "graph/qcustomplot_header.h"
#include "modal_driver.h"
#include "program_fixture.h"
#include "test_image.h"

namespace orvale::test {

class FlightsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsSortsAndOpensAFlight();
    void anAddedFolderIsListedWithWhatCannotBeRead();
    void selectedFlightsAreComparedOnTheMultiGraphPage();
    void switchedToMetresTheWindowReadsInMetres();
};

namespace {

QString Cell(QTableWidget* table, int row, int column) {
    return table->item(row, column) ? table->item(row, column)->text() : QString();
}

}  // namespace

void FlightsWindowTest::listsSortsAndOpensAFlight() {
    Program p;
    int rows = 0;
    QStringList byApogee;
    WhenModal([&](QWidget* modal) {
        auto* form = qobject_cast<TFlightsForm*>(modal);
        if (!form)
            return;
        QTableWidget* table = form->FlightsTable;
        rows = table->rowCount();
        table->sortItems(6, Qt::AscendingOrder);  // "Apogee (ft)": 477 before 1207 and 5948
        for (int r = 0; r < rows; ++r)
            byApogee << Cell(table, r, 6);
        const auto found = table->findItems("FLT-003.DAT", Qt::MatchExactly);
        if (!found.isEmpty()) {
            table->scrollToItem(found.first());
            const QPoint at = table->visualItemRect(found.first()).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        }
        if (form->isVisible())
            form->reject();
    });
    p.form->Item("Flights1")->trigger();

    QCOMPARE(rows, 8);
    QCOMPARE(byApogee.first(), QString("477"));
    QCOMPARE(byApogee.last(), QString("5948"));
    QVERIFY(
        std::is_sorted(byApogee.begin(), byApogee.end(),
                       [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); }));
    // Opened as Load Data file opens it: the flight is current and its summary was shown.
    QVERIFY(QString::fromStdString(p.state.entries[0].dataFileName).endsWith("FLT-003.DAT"));
    QCOMPARE(p.prompts.summariesShown, 1);
}

void FlightsWindowTest::anAddedFolderIsListedWithWhatCannotBeRead() {
    Program p;
    TempDir other;
    TestImage().Write(other.path() / "PAD.DAT");
    PutFile(other.File("SHORT.DAT"), "not a recorder image");
    p.prompts.fileAnswers.push_back(other.path().string());

    int rows = -1;
    bool problemShown = false;
    bool askedForAFolder = false;
    WhenModal([&](QWidget* modal) {
        auto* form = qobject_cast<TFlightsForm*>(modal);
        if (!form)
            return;
        QTest::mouseClick(form->AddFolderBtn, Qt::LeftButton);
        rows = form->FlightsTable->rowCount();
        problemShown = form->ProblemsLabel->isVisibleTo(form) &&
                       form->ProblemsLabel->text().contains("SHORT.DAT");
        askedForAFolder = !p.prompts.fileRequests.empty() && p.prompts.fileRequests[0].folder;
        form->CloseBtn->click();
    });
    p.form->Item("Flights1")->trigger();

    QVERIFY(askedForAFolder);
    QCOMPARE(rows, 9);
    QVERIFY(problemShown);
    QCOMPARE(p.prompts.summariesShown, 0);  // closed without opening anything
}

void FlightsWindowTest::selectedFlightsAreComparedOnTheMultiGraphPage() {
    Program p;  // no flight opened: the comparison needs none
    p.prompts.fileAnswers.push_back(p.state.workingDirectory + "FLT-005.DAT");
    bool onMultiPage = false;
    QStringList rows;
    int curves = -1;
    int legendItems = -1;
    WhenModal([&](QWidget* modal) {
        auto* form = qobject_cast<TFlightsForm*>(modal);
        if (!form)
            return;
        QTableWidget* table = form->FlightsTable;
        table->sortItems(0, Qt::AscendingOrder);
        table->clearSelection();
        for (int r : {0, 2})  // FLT-001 and FLT-003
            table->selectionModel()->select(
                table->model()->index(r, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        WhenModal(
            [&](QWidget* next) {
                auto* dialog = qobject_cast<TGraphDlg*>(next);
                if (!dialog)
                    return;
                TMultiGraphPage* page = dialog->MultiGraphPage;
                onMultiPage = dialog->PageControl->currentWidget() == page;
                page->AddFlightBtn->click();  // FLT-005, from the open dialog
                QTableWidget* flights = page->MultiGraphTable;
                flights->item(1, 3)->setText("abc");  // refused, stays 0.00
                flights->item(2, 3)->setText("-1.5");
                for (int r = 0; r < flights->rowCount(); ++r)
                    rows << flights->item(r, 0)->text() + " " + flights->item(r, 3)->text();
                WhenModal(
                    [&](QWidget* shown) {
                        auto* graph = qobject_cast<TGraphForm*>(shown);
                        if (!graph)
                            return;
                        for (int i = 0; i < 100 && graph->View().channelSlots.empty(); ++i)
                            QTest::qWait(20);
                        curves = graph->Chart->graphCount();
                        const auto legends = graph->Chart->findChildren<QCPLegend*>();
                        legendItems = legends.isEmpty() ? -1 : legends.first()->itemCount();
                        graph->reject();
                    },
                    dialog);
                dialog->DrawGrBtn->click();
                dialog->reject();
            },
            form);
        form->CompareBtn->click();
    });
    p.form->Item("Flights1")->trigger();

    QVERIFY(onMultiPage);
    QCOMPARE(rows, QStringList({"FLT-001.DAT 0.00", "FLT-003.DAT 0.00", "FLT-005.DAT -1.50"}));
    QCOMPARE(p.prompts.warnings.size(), size_t{1});
    QVERIFY(QString::fromStdString(p.prompts.warnings[0]).contains("not a valid offset"));
    QCOMPARE(curves, 3);
    QCOMPARE(legendItems, 3);
    const MultiGraphChoice& kept = p.state.settings.multiGraph;
    QCOMPARE(kept.rows.size(), size_t{3});
    QCOMPARE(kept.rows[2].offset, -1.5);
    // The comparison opened no flight of its own.
    QCOMPARE(QString::fromStdString(p.state.entries[0].dataFileName), QString(kNoFile));
}

// The window made in feet, shown again after the flyer switched to metres: heads and numbers
// follow. The lowest apogee, 477 ft as the summary rounds it, reads 146 m: converted from the
// height before rounding (over 477.36 ft), not the 145 m of the rounded feet.
void FlightsWindowTest::switchedToMetresTheWindowReadsInMetres() {
    Program p;
    QStringList heads;
    QString lowest;
    const auto look = [&] {
        WhenModal([&](QWidget* modal) {
            auto* form = qobject_cast<TFlightsForm*>(modal);
            if (!form)
                return;
            QTableWidget* table = form->FlightsTable;
            heads.clear();
            for (int c = 6; c <= 9; ++c)
                heads << table->horizontalHeaderItem(c)->text();
            table->sortItems(6, Qt::AscendingOrder);
            lowest = Cell(table, 0, 6);
            form->reject();
        });
        p.form->Item("Flights1")->trigger();
    };
    look();
    QCOMPARE(heads.first(), QString("Apogee (ft)"));
    QCOMPARE(lowest, QString("477"));
    p.form->Item("UnitsMetres1")->trigger();
    look();
    QCOMPARE(heads, QStringList({"Apogee (m)", "Apogee at (sec)", "Max Speed (m/s)",
                                 "Max Accel (m/s\u00b2)"}));
    QCOMPARE(lowest, QString("146"));
}

}  // namespace orvale::test

QTEST_MAIN(orvale::test::FlightsWindowTest)
#include "flights_window_test.moc"
