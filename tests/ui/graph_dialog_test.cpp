// "Graph Parameters" driven through its table, fields and buttons on a loaded sample flight,
// with messages and file dialogs answered by the fake prompts.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "core/text_format.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "graph/graph_dialog.h"
#include "graph/graph_table_rules.h"
#include "ui_fixture.h"

namespace orvale {
namespace {

struct Dialog {
    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
    std::unique_ptr<TGraphDlg> dialog;
    int drawn = 0;

    Dialog() {
        InitProgramState(state, test::EnvironmentIn(folder), prompts);
        state.current().dataFileName = Par().substr(0, Par().size() - 3) + "DAT";
        LoadCurrentFile(state, prompts, false, true, true);
        dialog = std::make_unique<TGraphDlg>(state, prompts);
        dialog->SetDrawGraphHook([this] { ++drawn; });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    std::string Par() const { return folder.Path() + "DATA/FLT-001.PAR"; }
    QTableWidget* Table() const { return dialog->GraphTable; }
    void Click(int row, int column) const {
        const QRect cell = Table()->visualRect(Table()->model()->index(row, column));
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Opens the cell's editor as a flyer's double-click would.
    QWidget* Edit(int row, int column) const {
        Table()->setCurrentCell(row, column);
        Table()->editItem(Table()->item(row, column));
        return Table()->indexWidget(Table()->model()->index(row, column));
    }
    // A key in a cell editor; the table commits on its next turn of the event loop.
    static void Press(QWidget* editor, Qt::Key key) {
        QTest::keyClick(editor, key);
        QCoreApplication::processEvents();
    }
    void Type(QLineEdit* field, const QString& text) const {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};

}  // namespace

class GraphDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsEveryChannelWithItsColumnsAndTheWindow() {
        Dialog d;
        d.state.channels[4].colourIndex = 10;
        d.state.channels[4].minReading = -2.5f;
        d.state.channels[4].filter = 3;
        d.dialog->hide();
        d.dialog->show();
        QTableWidget* table = d.Table();
        QCOMPARE(d.dialog->windowTitle(), QString("Graph Parameters"));
        QCOMPARE(table->rowCount(), 12);
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, QStringList({"Channel", "Select", "Title", "Min Reading", "Max Reading",
                                       "Filter", "Formula", "Color"}));
        QCOMPARE(table->columnWidth(kTitleColumn), 220);
        QCOMPARE(table->columnWidth(kColourColumn), 64);
        QCOMPARE(table->item(11, kChannelColumn)->text(), QString("12"));
        // Every channel shows without scrolling up and down, within a fixed border.
        QVERIFY(table->rowViewportPosition(11) + table->rowHeight(11) <=
                table->viewport()->height());
        QCOMPARE(d.dialog->minimumSize(), d.dialog->maximumSize());
        QCOMPARE(d.dialog->width(), 601);
        QCOMPARE(table->item(0, kTitleColumn)->text(), QString("Acceleration (g)"));
        QCOMPARE(table->item(0, kSelectColumn)->checkState(), Qt::Checked);
        QCOMPARE(table->item(3, kSelectColumn)->checkState(), Qt::Unchecked);
        QCOMPARE(table->item(4, kMinReadingColumn)->text(), QString("-2.50"));
        QCOMPARE(table->item(4, kFilterColumn)->text(), QString("Heavy"));
        QCOMPARE(table->item(2, kFormulaColumn)->toolTip(),
                 QString("Enter Formula for Data to Graph"));
        const QImage swatch =
            table->item(4, kColourColumn)->data(Qt::DecorationRole).value<QPixmap>().toImage();
        QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(255, 0, 0));
        auto* filters = qobject_cast<QComboBox*>(d.Edit(4, kFilterColumn));
        QVERIFY(filters);
        QCOMPARE(filters->count(), 4);
        QCOMPARE(filters->itemText(1), QString("Light"));
        QCOMPARE(filters->currentIndex(), 3);

        QCOMPARE(d.dialog->StartE->text(), QString("-0.2500"));
        QCOMPARE(d.dialog->StartE->toolTip(), QString("Enter Graph Start Time"));
        QVERIFY(d.dialog->OverlapAllChannels());
        QCOMPARE(d.dialog->PageControl->count(), 3);
        QVERIFY(d.dialog->PageControl->tabBar()->isVisible());
        QVERIFY(d.dialog->PageControl->tabBar()->isEnabled());
        QCOMPARE(d.dialog->SaveParBtn->toolTip(), QString("Save Parameters to Disk"));
        // The overlap choice outlives the showing.
        d.dialog->OverlapChk->setChecked(false);
        d.dialog->OKBtn->click();
        d.dialog->show();
        QVERIFY(!d.dialog->OverlapAllChannels());
    }

    void selectTogglesAndDrawGraphWritesTheFileWithChannel2Unselected() {
        Dialog d;
        d.Click(1, kSelectColumn);  // channel 2 off
        d.Click(3, kSelectColumn);  // channel 4 on ...
        d.Table()->setFocus();
        QTest::keyClick(d.Table(), Qt::Key_Space);  // ... and off again by the keyboard
        QCOMPARE(d.Table()->item(1, kSelectColumn)->checkState(), Qt::Unchecked);
        QCOMPARE(d.Table()->item(3, kSelectColumn)->checkState(), Qt::Unchecked);
        QVERIFY(!d.state.channels[1].selected);

        // Something else changed the flags behind the table: the buttons put the table's back.
        d.state.channels[1].selected = true;
        d.dialog->DrawGrBtn->click();
        QCOMPARE(d.drawn, 1);
        QVERIFY(d.dialog->isVisible());
        QVERIFY(!d.state.channels[1].selected);
        QVERIFY(d.state.channels[0].selected && d.state.channels[2].selected);
        const std::string file = test::ReadWhole(d.Par());
        QVERIFY(file.find("[Channel 2 Data]\r\nSelected=0") != std::string::npos ||
                file.find("[Channel 2 Data]\nSelected=0") != std::string::npos);
        QVERIFY(file.find("[Channel 1 Data]\r\nSelected=1") != std::string::npos ||
                file.find("[Channel 1 Data]\nSelected=1") != std::string::npos);
    }

    void cellEditsTakeEffectAtOnceWithinTheirLimits() {
        Dialog d;
        // A formula as long as the file keeps stays whole.
        const QString formula = "(ch1-2048)*0.0123+" + QString(110, '1');
        QCOMPARE(formula.size(), 128);
        auto* edit = qobject_cast<QLineEdit*>(d.Edit(0, kFormulaColumn));
        QVERIFY(edit);
        edit->setText(formula + "99");
        QCOMPARE(edit->text(), formula);
        d.Press(edit, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(d.state.channels[0].formula), formula);
        QCOMPARE(d.Table()->item(0, kFormulaColumn)->text(), formula);
        QVERIFY(d.dialog->isVisible());  // Enter commits the cell, it presses no button

        // Tab commits and walks to the next cell.
        edit = qobject_cast<QLineEdit*>(d.Edit(1, kTitleColumn));
        edit->setText(QString(90, 'T'));
        d.Press(edit, Qt::Key_Tab);
        QCOMPARE(d.state.channels[1].title, std::string(80, 'T'));
        QCOMPARE(d.Table()->currentColumn(), int(kMinReadingColumn));

        edit = qobject_cast<QLineEdit*>(d.Edit(1, kMaxReadingColumn));
        edit->setText("1234.5");
        d.Press(edit, Qt::Key_Return);
        QCOMPARE(d.state.channels[1].maxReading, 1234.5f);
        QCOMPARE(d.Table()->item(1, kMaxReadingColumn)->text(), QString("1234.50"));

        auto* colours = qobject_cast<QComboBox*>(d.Edit(2, kColourColumn));
        QCOMPARE(colours->count(), 16);
        colours->setCurrentIndex(12);
        Q_EMIT colours->activated(12);
        QCOMPARE(d.state.channels[2].colourIndex, 12);

        // A character the file cannot hold is refused, and the text comes back to be mended.
        const std::string title = d.state.channels[0].title;
        edit = qobject_cast<QLineEdit*>(d.Edit(0, kTitleColumn));
        edit->setText("Ωmega");
        d.Press(edit, Qt::Key_Return);
        QTRY_COMPARE(d.prompts.warnings.size(), size_t(1));
        QVERIFY(d.prompts.warnings[0].find("Title of channel 1 holds \"Ω\"") == 0);
        QCOMPARE(d.state.channels[0].title, title);
        QTRY_VERIFY(d.Table()->indexWidget(d.Table()->model()->index(0, kTitleColumn)));
        edit = qobject_cast<QLineEdit*>(
            d.Table()->indexWidget(d.Table()->model()->index(0, kTitleColumn)));
        QCOMPARE(edit->text(), QString("Ωmega"));

        // A button ends the edit in progress and keeps it.
        edit->setText("Omega");
        d.dialog->OKBtn->click();
        QCOMPARE(d.state.channels[0].title, std::string("Omega"));
        QVERIFY(test::ReadWhole(d.Par()).find("Title=Omega") != std::string::npos);
        QVERIFY(!d.dialog->isVisible());
    }

    void startAndLengthAreCorrectedAndOnlyTheStartReports() {
        Dialog d;
        const DataFileEntry& flight = d.state.entries[0];
        const double end = flight.duration + flight.startTime;
        d.Type(d.dialog->StartE, "99999");
        d.dialog->LengthE->setFocus();
        QCOMPARE(d.prompts.errors, std::vector<std::string>{"Start is beyond EOF"});
        QCOMPARE(flight.graphStart, flight.startTime);
        QCOMPARE(d.dialog->StartE->text(), QString("-0.2500"));

        // A length beyond the end is cut without a word.
        d.Type(d.dialog->LengthE, "999999");
        d.dialog->StartE->setFocus();
        QCOMPARE(d.prompts.errors.size(), size_t(1));
        QCOMPARE(flight.graphLength, end - flight.startTime);

        // A later start shortens the length to what remains, silently.
        d.Type(d.dialog->StartE, "10");
        QTest::keyClick(d.dialog->StartE, Qt::Key_Return);
        QCOMPARE(flight.graphStart, 10.0);
        QCOMPARE(flight.graphLength, end - 10.0);
        QCOMPARE(d.dialog->LengthE->text(), QString::fromStdString(Fixed(end - 10.0, 1, 4)));
        QCOMPARE(d.prompts.errors.size(), size_t(1));
        QVERIFY(d.dialog->isVisible());

        // What is no number is put back, with a word.
        d.Type(d.dialog->LengthE, "-");
        d.dialog->StartE->setFocus();
        QCOMPARE(d.prompts.warnings.size(), size_t(1));
        QVERIFY(d.prompts.warnings[0].find("Graph Length must be a number") == 0);
        QCOMPARE(flight.graphLength, end - 10.0);

        // Without a flight, leaving the start reports it.
        d.state.loadedDataSize = 0;
        d.Type(d.dialog->StartE, "3");
        d.dialog->LengthE->setFocus();
        QCOMPARE(d.prompts.errors.size(), size_t(2));
        QCOMPARE(flight.graphStart, 0.0);
    }

    void escapeDropsTheEditInProgressAndWritesNothing() {
        Dialog d;
        const std::string file = test::ReadWhole(d.Par());
        const double start = d.state.entries[0].graphStart;
        auto* edit = qobject_cast<QLineEdit*>(d.Edit(2, kTitleColumn));
        edit->setText("never kept");
        d.Press(edit, Qt::Key_Escape);  // the cell's edit only
        QVERIFY(d.dialog->isVisible());
        QCOMPARE(d.state.channels[2].title, std::string("Speed (ft/sec)"));
        edit = qobject_cast<QLineEdit*>(d.Edit(2, kTitleColumn));
        edit->setText("never kept either");
        d.dialog->reject();
        QVERIFY(!d.dialog->isVisible());
        QCOMPARE(d.state.channels[2].title, std::string("Speed (ft/sec)"));

        // A start being typed when the dialog is closed is dropped too.
        d.dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(d.dialog.get()));
        d.Type(d.dialog->StartE, "5");
        d.dialog->reject();
        QCOMPARE(d.state.entries[0].graphStart, start);
        QCOMPARE(test::ReadWhole(d.Par()), file);
        QCOMPARE(d.drawn, 0);
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::GraphDialogTest)
#include "graph_dialog_test.moc"
