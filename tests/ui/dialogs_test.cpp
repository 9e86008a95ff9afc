// The program's smaller dialogs, each driven on its own: the error box, the summary of flight,
// the directory dialog, the About box, the start and length dialog, and the Qt prompts that
// show them.
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <filesystem>

#include "app/about_box.h"
#include "app/directory_dialog.h"
#include "app/error_box.h"
#include "app/qt_prompts.h"
#include "app/summary_dialog.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "graph/start_length_dialog.h"
#include "modal_driver.h"
#include "ui_fixture.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

SummaryRows NumberedRows() {
    SummaryRows rows;
    for (int i = 0; i < kSummaryRowCount; ++i)
        rows.text[i] = "value " + std::to_string(i);
    return rows;
}

// The summary dialog shown modally; act answers it. Returns the result it left in the state.
uint16_t AnswerSummary(TShowDtaDlg& dialog, uint16_t before,
                       const std::function<void(TShowDtaDlg&)>& act) {
    AppState state;
    state.summaryRows = NumberedRows();
    state.summaryDialogResult = before;
    test::WhenModal([&](QWidget*) { act(dialog); });
    dialog.ShowModal(state);
    return state.summaryDialogResult;
}

// A started program state with a sample flight loaded, the summary answered by the fake.
struct LoadedFlight {
    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
    LoadedFlight() {
        InitProgramState(state, test::EnvironmentIn(folder), prompts);
        state.current().dataFileName = folder.Path() + "DATA/FLT-001.DAT";
        LoadCurrentFile(state, prompts, false, true, true);
    }
};

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- Error box -----------------------------------------------------------------------------

    void errorBoxShowsAPlainReport() {
        TErrorBox box;
        QString message, line2, line3, title;
        test::WhenModal([&](QWidget*) {
            title = box.windowTitle();
            message = box.ErrorMsg->text();
            line2 = box.Line2->text().trimmed();
            line3 = box.Line3->text().trimmed();
            box.OKButton->click();
        });
        box.ShowReport("No data to save");
        QCOMPARE(title, QString("Error Message"));
        QCOMPARE(message, QString("No data to save"));
        QCOMPARE(line2, QString());
        QCOMPARE(line3, QString());
        QVERIFY(box.OKButton->isDefault());
    }

    void errorBoxDetailLinesAreFixedPitchAndClearedAfterwards() {
        TErrorBox box;
        QString line2, line3;
        test::WhenModal([&](QWidget*) {
            line2 = box.Line2->text();
            line3 = box.Line3->text();
            box.accept();
        });
        box.ShowReport("Invalid character:", "\"ch1 $ 2\"", "     ^");
        QCOMPARE(line2, QString("\"ch1 $ 2\""));
        QCOMPARE(line3, QString("     ^"));
        QVERIFY(QFontInfo(box.Line2->font()).fixedPitch());
        QVERIFY(QFontInfo(box.Line3->font()).fixedPitch());
        QCOMPARE(box.Line2->text(), QString());
        QCOMPARE(box.Line3->text(), QString());
        QCOMPARE(box.ErrorMsg->text(), QString("Invalid character:"));

        // The report after it shows no detail lines.
        QString nextLine2;
        test::WhenModal([&](QWidget*) {
            nextLine2 = box.Line2->text();
            box.accept();
        });
        box.ShowReport("Start is beyond EOF");
        QCOMPARE(nextLine2, QString());
    }

    void errorBoxShowsAnEightyCharacterMessageWhole() {
        AppState state;
        QtPrompts prompts;
        TErrorBox box;
        prompts.Attach(nullptr, &box, nullptr);
        const std::string text(79, 'x');
        state.errorMessages.Set(text + "yz");
        int shownWidth = 0;
        int neededWidth = 0;
        QString shown;
        test::WhenModal([&](QWidget*) {
            shown = box.ErrorMsg->text();
            shownWidth = box.ErrorMsg->width();
            neededWidth = box.ErrorMsg->sizeHint().width();
            box.accept();
        });
        ShowError(state, prompts, kErrorSlot);
        QCOMPARE(shown, QString::fromStdString(text + "y"));
        QVERIFY(shownWidth >= neededWidth);
        QVERIFY(box.width() >= 323);
    }

    void dialogsOpenInTheMiddleOfTheScreenNotOverTheWindow() {
        QWidget window;
        window.setGeometry(0, 0, 200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TErrorBox box(&window);
        TShowDtaDlg summary(&window);
        QPoint boxCentre, summaryCentre;
        test::WhenModal([&](QWidget*) {
            boxCentre = box.geometry().center();
            box.accept();
        });
        box.ShowReport("centred");
        AnswerSummary(summary, 0, [&](TShowDtaDlg& d) {
            summaryCentre = d.geometry().center();
            d.OKBtn->click();
        });
        // QRect::center() rounds down on both rectangles: a few pixels either way.
        const QPoint screen = window.screen()->availableGeometry().center();
        QVERIFY((boxCentre - screen).manhattanLength() <= 4);
        QVERIFY((summaryCentre - screen).manhattanLength() <= 4);
    }

    // --- Summary of flight ---------------------------------------------------------------------

    void summaryLabelsShowTheirNamesBeforeTheFirstFill() {
        TShowDtaDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Summary of flight"));
        QCOMPARE(dialog.ValueLabel(SummaryRow::FName)->text(), QString("FName"));
        QCOMPARE(dialog.ValueLabel(SummaryRow::MinAccel)->text(), QString("MnAcc"));
        QCOMPARE(dialog.ValueLabel(SummaryRow::MinAccel)->objectName(), QString("MinAccel"));
        QVERIFY(dialog.findChild<QLabel*>("DrogueFireTimeL"));
        QVERIFY(!dialog.HelpBtn->isVisible() && !dialog.HelpBtn->isEnabled());
        QCOMPARE(dialog.PrintBtn->toolTip(), QString("Print this page"));
        QCOMPARE(dialog.Timer1->interval(), 3000);
        QVERIFY(dialog.font().bold());
    }

    void summaryShowsEveryRowAndHidesTheDrogueRowWhenAsked() {
        TShowDtaDlg dialog;
        bool drogueShown = true;
        bool mainShown = false;
        QStringList texts;
        QSize size;
        AppState state;
        state.summaryRows = NumberedRows();
        state.summaryRows.drogueRowVisible = false;
        test::WhenModal([&](QWidget*) {
            for (int i = 0; i < kSummaryRowCount; ++i)
                texts << dialog.ValueLabel(static_cast<SummaryRow>(i))->text();
            drogueShown = dialog.ValueLabel(SummaryRow::DrogueFireTime)->isVisible() ||
                          dialog.findChild<QLabel*>("DrogueFireTimeL")->isVisible();
            mainShown = dialog.ValueLabel(SummaryRow::MainFireTime)->isVisible();
            size = dialog.size();
            dialog.OKBtnClick();
        });
        dialog.ShowModal(state);
        QCOMPARE(texts.size(), kSummaryRowCount);
        for (int i = 0; i < kSummaryRowCount; ++i)
            QCOMPARE(texts[i], QString("value %1").arg(i));
        QVERIFY(!drogueShown);
        QVERIFY(mainShown);
        QVERIFY(size.width() >= 441 && size.height() >= 367);
    }

    void summaryAnswers() {
        TShowDtaDlg dialog;
        QCOMPARE(AnswerSummary(dialog, 0, [](TShowDtaDlg& d) { d.OKBtn->click(); }), uint16_t(1));
        QCOMPARE(AnswerSummary(dialog, 0, [](TShowDtaDlg& d) { d.CancelBtn->click(); }),
                 uint16_t(2));
        QCOMPARE(
            AnswerSummary(dialog, 0, [](TShowDtaDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
            uint16_t(2));
        // A click on the background is OK; one on a row's text is not.
        QCOMPARE(AnswerSummary(dialog, 0,
                               [](TShowDtaDlg& d) {
                                   QTest::mouseClick(&d, Qt::LeftButton, {}, {4, 4});
                               }),
                 uint16_t(1));
        QCOMPARE(AnswerSummary(dialog, 2,
                               [](TShowDtaDlg& d) {
                                   auto* value = d.findChild<QLabel*>("MaxAccel");
                                   QTest::mouseClick(value, Qt::LeftButton);
                                   d.CancelBtn->click();
                               }),
                 uint16_t(2));
        // The window frame closes without an answer: the result stays as it was.
        QCOMPARE(AnswerSummary(dialog, 2, [](TShowDtaDlg& d) { d.close(); }), uint16_t(2));
        QCOMPARE(AnswerSummary(dialog, 1, [](TShowDtaDlg& d) { d.close(); }), uint16_t(1));
    }

    void summaryTimerIsBoundToOkButNeverStartsByItself() {
        TShowDtaDlg dialog;
        bool activeOnShow = true;
        const uint16_t result = AnswerSummary(dialog, 0, [&](TShowDtaDlg& d) {
            activeOnShow = d.Timer1->isActive();
            d.Timer1->setInterval(10);
            d.Timer1->start();
        });
        QVERIFY(!activeOnShow);
        QCOMPARE(result, uint16_t(1));
    }

    void summaryPrintsAPictureOfItselfAndStaysOpen() {
        TempFolder folder;
        const QString pdf = QString::fromStdString(folder.Path() + "summary.pdf");
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        TShowDtaDlg dialog;
        dialog.SetPrinter(&printer);
        bool openAfterPrint = false;
        const uint16_t result = AnswerSummary(dialog, 0, [&](TShowDtaDlg& d) {
            d.PrintBtn->click();
            openAfterPrint = d.isVisible();
            d.OKBtn->click();
        });
        QVERIFY(openAfterPrint);
        QCOMPARE(result, uint16_t(1));
        QVERIFY(QFileInfo(pdf).size() > 1000);
    }

    void aLoadedSampleShowsItsRowsThroughTheQtPrompts() {
        LoadedFlight flight;
        QtPrompts prompts;
        TShowDtaDlg dialog;
        prompts.Attach(nullptr, nullptr, &dialog);
        QString maxAccel, name;
        test::WhenModal([&](QWidget*) {
            maxAccel = dialog.ValueLabel(SummaryRow::MaxAccel)->text();
            name = dialog.ValueLabel(SummaryRow::FName)->text();
            dialog.OKBtn->click();
        });
        LoadCurrentFile(flight.state, prompts, true, true, true);
        QCOMPARE(flight.state.summaryDialogResult, uint16_t(1));
        QCOMPARE(name, QString("FLT-001.DAT"));
        QCOMPARE(maxAccel, QString::fromStdString(flight.state.summaryRows[SummaryRow::MaxAccel]));
        QVERIFY(maxAccel.contains(QString::fromUtf8("ft/sec\u00b2 (")));
    }

    // --- Directory dialog ----------------------------------------------------------------------

    void directoryPickedInTheTreeIsTakenWithTheSeparatorOnOk() {
        TempFolder folder;
        fs::create_directory(folder.Path() + "FLIGHTS");
        AppState state;
        state.workingDirectory = folder.Path();
        TDirDlg dialog(state);
        QString shownAtStart, shownAfterPick;
        test::WhenModal([&](QWidget*) {
            shownAtStart = dialog.ComboBox1->currentText();
            auto* model = static_cast<QFileSystemModel*>(dialog.DirectoryListBox1->model());
            dialog.DirectoryListBox1->setCurrentIndex(
                model->index(QString::fromStdString(folder.Path() + "FLIGHTS")));
            shownAfterPick = dialog.ComboBox1->currentText();
            dialog.OKBtn->click();
        });
        dialog.exec();
        QCOMPARE(shownAtStart + "/", QString::fromStdString(folder.Path()));
        QCOMPARE(shownAfterPick, QString::fromStdString(folder.Path() + "FLIGHTS"));
        QCOMPARE(state.workingDirectory, folder.Path() + "FLIGHTS/");
    }

    void directoryTreeKeepsTheWorkingDirectoryInViewAsItFills() {
        // Many folders beside the working directory: listing and sorting them moves its row.
        TempFolder folder;
        for (int i = 0; i < 400; ++i)
            fs::create_directory(folder.Path() + "F" + std::to_string(1000 + i));
        AppState state;
        state.workingDirectory = folder.Path() + "F1200/";
        TDirDlg dialog(state);
        auto* model = static_cast<QFileSystemModel*>(dialog.DirectoryListBox1->model());
        bool listed = false;
        connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&](const QString& path) {
            listed = listed || path + "/" == QString::fromStdString(folder.Path());
        });
        bool inView = false;
        test::WhenModal([&](QWidget*) {
            QTreeView* tree = dialog.DirectoryListBox1;
            for (int i = 0; i < 250 && !(listed && inView); ++i) {
                QTest::qWait(20);
                const QRect row = tree->visualRect(tree->currentIndex());
                inView = row.isValid() && tree->viewport()->rect().contains(row);
            }
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(listed);
        QVERIFY(inView);
    }

    void directoryTypedNameAndTheRoot() {
        AppState state;
        state.workingDirectory = "/tmp/";
        TDirDlg dialog(state);
        test::WhenModal([&](QWidget*) {
            dialog.ComboBox1->setEditText("/srv/flights");
            dialog.OKBtn->click();
        });
        dialog.exec();
        QCOMPARE(state.workingDirectory, std::string("/srv/flights/"));
        test::WhenModal([&](QWidget*) {
            dialog.ComboBox1->setEditText("/");
            dialog.OKBtn->click();
        });
        dialog.exec();
        QCOMPARE(state.workingDirectory, std::string("/"));
    }

    void directoryCancelAtOnceChangesNothing() {
        AppState state;
        state.workingDirectory = "/tmp/";
        TDirDlg dialog(state);
        test::WhenModal([&](QWidget*) { dialog.CancelBtn->click(); });
        dialog.exec();
        QCOMPARE(state.workingDirectory, std::string("/tmp/"));
    }

    void directoryEnteredIntoTheNameBoxIsKeptEvenOnCancel() {
        TempFolder folder;
        fs::create_directory(folder.Path() + "B");
        AppState state;
        state.workingDirectory = folder.Path();
        TDirDlg dialog(state);
        test::WhenModal([&](QWidget*) {
            // Focus moves only inside the active window.
            dialog.activateWindow();
            (void)QTest::qWaitForWindowActive(&dialog);
            auto* model = static_cast<QFileSystemModel*>(dialog.DirectoryListBox1->model());
            dialog.DirectoryListBox1->setFocus();
            dialog.DirectoryListBox1->setCurrentIndex(
                model->index(QString::fromStdString(folder.Path() + "B")));
            // Back into the name box: the folder is taken at that moment.
            dialog.ComboBox1->setFocus(Qt::TabFocusReason);
            dialog.CancelBtn->click();
        });
        dialog.exec();
        QCOMPARE(state.workingDirectory, folder.Path() + "B/");
    }

    // --- About box -----------------------------------------------------------------------------

    void aboutBoxShowsTheTitleAndItsIcon() {
        TAboutBox box;
        QString version, title;
        bool okActive = false;
        test::WhenModal([&](QWidget*) {
            title = box.windowTitle();
            version = box.Version->text();
            okActive = box.OKButton->hasFocus() || box.OKButton->isDefault();
            box.OKButton->click();
        });
        box.ShowVersion("Vantrel Orvale v1.04");
        QCOMPARE(title, QString("About Orvale"));
        QCOMPARE(version, QString("Vantrel Orvale v1.04"));
        QVERIFY(box.Version->font().bold());
        QVERIFY(okActive);
        QCOMPARE(box.ProgramIcon->pixmap().size(), QSize(64, 64));
    }

    // --- Set Start and Length ------------------------------------------------------------------

    void startLengthShowsTheWindowAndSetsIt() {
        LoadedFlight flight;
        TStartForm form(flight.state, flight.prompts);
        QString start, length, title;
        test::WhenModal([&](QWidget*) {
            title = form.windowTitle();
            start = form.StartField->text();
            length = form.LengthField->text();
            form.StartField->setText("2.5");
            form.LengthField->setText("10");
            form.OKBtn->click();
        });
        const double before = flight.state.current().graphLength;
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QCOMPARE(title, QString("Set Start and Length"));
        QCOMPARE(start, QString("-0.2500"));
        QCOMPARE(length, QString::number(before, 'f', 4));
        QCOMPARE(flight.state.current().graphStart, 2.5);
        QCOMPARE(flight.state.current().graphLength, 10.0);
    }

    void startLengthCutsALengthBeyondTheEndSilently() {
        LoadedFlight flight;
        TStartForm form(flight.state, flight.prompts);
        test::WhenModal([&](QWidget*) {
            form.StartField->setText("100");
            form.LengthField->setText("999999");
            form.OKBtn->click();
        });
        form.exec();
        const DataFileEntry& entry = flight.state.current();
        QCOMPARE(entry.graphStart, 100.0);
        QCOMPARE(entry.graphLength, entry.duration + entry.startTime - 100.0);
        QVERIFY(flight.prompts.errors.empty());
    }

    void startLengthRefusesWhatIsNoNumberAndKeepsIt() {
        LoadedFlight flight;
        TStartForm form(flight.state, flight.prompts);
        const DataFileEntry before = flight.state.current();
        bool stillOpen = false;
        QString kept;
        test::WhenModal([&](QWidget*) {
            form.LengthField->setText("abc");
            form.OKBtn->click();
            stillOpen = form.isVisible();
            kept = form.LengthField->text();
            form.CancelBtn->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(stillOpen);
        QCOMPARE(kept, QString("abc"));
        QCOMPARE(flight.prompts.warnings.size(), size_t(1));
        QVERIFY(flight.prompts.warnings[0].find("Length") == 0);
        QCOMPARE(flight.state.current().graphStart, before.graphStart);
        QCOMPARE(flight.state.current().graphLength, before.graphLength);
    }

    void startLengthCancelChangesNothing() {
        LoadedFlight flight;
        TStartForm form(flight.state, flight.prompts);
        const double start = flight.state.current().graphStart;
        test::WhenModal([&](QWidget*) {
            form.StartField->setText("5");
            form.CancelBtn->click();
        });
        form.exec();
        QCOMPARE(flight.state.current().graphStart, start);
    }

    // --- Qt prompts ----------------------------------------------------------------------------

    void messagesOpenOverTheDialogThatRaisedThemAndClearingDefaultsToCancel() {
        QWidget window;
        QtPrompts prompts;
        prompts.Attach(&window, nullptr, nullptr);
        QDialog editor(&window);
        QWidget* warningOwner = nullptr;
        QWidget* fileOwner = nullptr;
        bool enterKept = true;
        QString defaultText;
        test::WhenModal([&](QWidget*) {
            test::WhenModal(
                [&](QWidget* box) {
                    warningOwner = box->parentWidget();
                    static_cast<QDialog*>(box)->accept();
                },
                &editor);
            prompts.ShowWarning("over the editor");
            test::WhenModal(
                [&](QWidget* box) {
                    fileOwner = box->parentWidget();
                    static_cast<QDialog*>(box)->reject();
                },
                &editor);
            prompts.AskSaveFileName({});
            // Enter on "About to Clear" keeps the recorder's flight.
            test::WhenModal(
                [&](QWidget* box) {
                    if (auto* button = static_cast<QMessageBox*>(box)->defaultButton())
                        defaultText = button->text();
                    QTest::keyClick(box, Qt::Key_Return);
                },
                &editor);
            enterKept = !prompts.ConfirmDestructive("About to Clear Tavix's data buffer");
            editor.accept();
        });
        editor.exec();
        QCOMPARE(warningOwner, &editor);
        QCOMPARE(fileOwner, &editor);
        QCOMPARE(defaultText, QString("Cancel"));
        QVERIFY(enterKept);
    }

    void fileDialogsShowNamesSizesAndDatesUncut() {
        TempFolder folder;
        const std::string name = "CLUB-LAUNCH-2026-09-12-SECOND-FLIGHT.DAT";
        test::PutFile(folder.Path() + name, std::string(8196, 'x'));
        QtPrompts prompts;
        FileDialogRequest request;
        request.filter = "Data files|*.dat";
        request.initialDirectory = folder.Path();
        bool uncut = false;
        int columns = 0;
        test::WhenModal([&](QWidget* w) {
            auto* tree = w->findChild<QTreeView*>("treeView");
            for (int i = 0; i < 150 && tree->model()->rowCount(tree->rootIndex()) == 0; ++i)
                QTest::qWait(20);
            columns = tree->isVisible() ? tree->header()->count() : 0;
            // Every column of the flight's row fits its text, and the row fits the view.
            uncut = tree->model()->rowCount(tree->rootIndex()) == 1;
            for (int column = 0; column < 4 && uncut; ++column) {
                const QModelIndex cell = tree->model()->index(0, column, tree->rootIndex());
                const int needed = tree->fontMetrics().horizontalAdvance(cell.data().toString());
                const int margin = column == 0 ? 24 : 8;  // the icon, the cell's padding
                uncut = needed + margin < tree->header()->sectionSize(column) &&
                        tree->visualRect(cell).right() < tree->viewport()->width();
            }
            static_cast<QDialog*>(w)->reject();
        });
        prompts.AskOpenFileName(request);
        QVERIFY(columns >= 4);  // name, size, type, date
        QVERIFY(uncut);
    }

    void fileFiltersInQtsForm() {
        QCOMPARE(NameFilters("Data files|*.dat|Parameter files|*.par"),
                 QStringList({"Data files (*.dat)", "Parameter files (*.par)"}));
        QCOMPARE(NameFilters("Calibration file|*.cal"), QStringList({"Calibration file (*.cal)"}));
        QCOMPARE(NameFilters(""), QStringList());
    }

    void openDialogListsUpperCaseDataFilesAndReturnsTheChoice() {
        TempFolder folder;
        test::PutFile(folder.Path() + "FLT-001.DAT", "x");
        QtPrompts prompts;
        FileDialogRequest request;
        request.title = "Load Data file";
        request.filter = "Data files|*.dat";
        request.initialDirectory = folder.Path();
        request.proposedName = "*.dat";
        QString title;
        int listed = 0;
        test::WhenModal([&](QWidget* w) {
            title = w->windowTitle();
            // The folder is listed by a thread of the dialog's own: wait for the flight to show.
            auto* list = w->findChild<QListView*>("listView");
            for (int i = 0; i < 150 && list->model()->rowCount(list->rootIndex()) == 0; ++i)
                QTest::qWait(20);
            listed = list->model()->rowCount(list->rootIndex());
            w->findChild<QLineEdit*>("fileNameEdit")->setText("FLT-001.DAT");
            static_cast<QDialog*>(w)->accept();
            // Never leave a dialog open behind the test.
            if (w->isVisible())
                static_cast<QDialog*>(w)->reject();
        });
        const auto chosen = prompts.AskOpenFileName(request);
        QCOMPARE(listed, 1);
        QCOMPARE(title, QString("Load Data file"));
        QVERIFY(chosen);
        QCOMPARE(*chosen, folder.Path() + "FLT-001.DAT");

        test::WhenModal([&](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QVERIFY(!prompts.AskOpenFileName(request));
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::DialogsTest)
#include "dialogs_test.moc"
