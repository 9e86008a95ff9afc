// The parameter editor driven through its boxes and buttons, with the file dialogs and the
// warnings answered by the fake prompts.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "fake_prompts.h"
#include "files/loading.h"
#include "files/parameter_editor.h"
#include "files/parameter_fields.h"
#include "modal_driver.h"
#include "ui_fixture.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

// A started program state with a sample flight loaded and the editor on it.
struct Editor {
    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
    std::unique_ptr<TEditParDlg> dialog;

    Editor() {
        InitProgramState(state, test::EnvironmentIn(folder), prompts);
        state.current().dataFileName = Data() + "FLT-001.DAT";
        LoadCurrentFile(state, prompts, false, true, true);
        dialog = std::make_unique<TEditParDlg>(state, prompts);
    }
    std::string Data() const { return folder.Path() + "DATA/"; }
    QLineEdit* Field(int id) const { return dialog->Field(id); }
    // Opens the editor modally and lets act work in it; returns how it closed.
    int Run(const std::function<void()>& act) {
        test::WhenModal([&](QWidget*) { act(); });
        return dialog->exec();
    }
};

}  // namespace

class ParameterEditorTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheFlightInItsBoxes() {
        Editor e;
        e.state.flight.note = "windy day";
        e.state.flight.stages = 2;
        QString dataFile, note, stages, title, hint;
        bool readOnly = false;
        e.Run([&] {
            title = e.dialog->windowTitle();
            dataFile = e.Field(kDataFileField)->text();
            readOnly = e.Field(kDataFileField)->isReadOnly();
            note = e.Field(kNoteField)->text();
            stages = e.Field(kStagesField)->text();
            hint = e.Field(kLocationField)->toolTip();
            e.dialog->reject();
        });
        QCOMPARE(title, QString("Edit Parameters Dialog"));
        QCOMPARE(dataFile, QString::fromStdString(e.Data() + "FLT-001.DAT"));
        QVERIFY(readOnly);
        QCOMPARE(note, QString("windy day"));
        QCOMPARE(stages, QString("2"));
        QCOMPARE(hint, QString("Location of Launch"));
        QCOMPARE(e.Field(kNoteField)->maxLength(), 80);
        QCOMPARE(e.Field(kLaunchTimeField)->maxLength(), 12);
        QCOMPARE(e.Field(kExpectedAltitudeField)->maxLength(), 10);
    }

    void everyTextKeepsTheFullLengthOfItsFileField() {
        Editor e;
        FlightParameters& f = e.state.flight;
        // As long as the file keeps each of them, with 8-bit letters the file holds.
        const std::string name = std::string(78, 'n') + "é°";
        f.note = f.location = f.weather = f.model = f.motor = name;
        f.date = "Wed 12/08/26";
        f.time = "10:40:30 AM";
        f.calibrationFile = e.Data() + std::string(255 - e.Data().size() - 4, 'c') + ".cal";
        const FlightParameters before = f;
        const int result = e.Run([&] { e.dialog->OKBtn->click(); });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(e.prompts.warnings.empty());
        for (const std::string* text : {&f.note, &f.location, &f.weather, &f.model, &f.motor})
            QCOMPARE(*text, before.note);
        QCOMPARE(f.date, before.date);
        QCOMPARE(f.time, std::string("10:40:30 AM"));
        QCOMPARE(f.calibrationFile, before.calibrationFile);
        // Each text field takes as many characters as its file field keeps.
        for (int id = 0; id < kParameterFieldCount; ++id)
            if (kParameterFields[id].kind == FieldKind::Text)
                QVERIFY2(e.Field(id)->maxLength() >= 12, kParameterFields[id].control);

        // Read back from the file, they are the same.
        AppState reread = e.state;
        reread.flight = FlightParameters{};
        LoadCurrentFile(reread, e.prompts, false, true, true);
        QCOMPARE(reread.flight.time, std::string("10:40:30 AM"));
        QCOMPARE(reread.flight.note, before.note);
        QCOMPARE(reread.flight.calibrationFile, before.calibrationFile);
    }

    void okRefusesACharacterTheFileCannotHoldAndWritesNothing() {
        Editor e;
        const std::string par = e.Data() + "FLT-001.PAR";
        const std::string file = test::ReadWhole(par);
        const std::string location = e.state.flight.location;
        bool open = false;
        bool focused = false;
        const int result = e.Run([&] {
            e.Field(kLocationField)->setText("Ωmega field");
            e.dialog->OKBtn->click();
            open = e.dialog->isVisible();
            focused = e.Field(kLocationField)->hasFocus();
            e.dialog->reject();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(open);
        QVERIFY(focused);
        QCOMPARE(e.prompts.warnings,
                 std::vector<std::string>{"Location holds \"Ω\", a character the parameter file "
                                          "cannot keep (it holds 8-bit Western text)."});
        QCOMPARE(e.state.flight.location, location);
        QCOMPARE(test::ReadWhole(par), file);
    }

    void fixedBorderStillShowsEveryLabelWhole() {
        Editor e;
        QStringList cut;
        QSize before, after;
        e.Run([&] {
            before = e.dialog->size();
            for (QLabel* label : e.dialog->findChildren<QLabel*>())
                if (label->isVisible() && label->width() < label->minimumSizeHint().width())
                    cut << label->text();
            after = e.dialog->minimumSize();
            e.dialog->reject();
        });
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
        QCOMPARE(after, before);  // fixed: the border cannot be dragged
        QCOMPARE(e.dialog->maximumSize(), before);
    }

    void okRefusesStagesZeroAndSixAndKeepsWhatWasTyped() {
        Editor e;
        const std::string note = e.state.flight.note;
        for (const char* refused : {"0", "6"}) {
            bool open = false;
            QString kept;
            bool focused = false;
            e.prompts.warnings.clear();
            const int result = e.Run([&] {
                e.Field(kNoteField)->setText("edited");
                e.Field(kStagesField)->setText(refused);
                e.dialog->OKBtn->click();
                open = e.dialog->isVisible();
                kept = e.Field(kStagesField)->text();
                focused = e.Field(kStagesField)->hasFocus();
                e.dialog->reject();
            });
            QCOMPARE(result, int(QDialog::Rejected));
            QVERIFY(open);
            QCOMPARE(kept, QString(refused));
            QVERIFY(focused);
            QCOMPARE(
                e.prompts.warnings,
                std::vector<std::string>{"Number of Stages must be a whole number from 1 to 5."});
            QCOMPARE(e.state.flight.note, note);
        }
    }

    void okTakesOneToFiveStagesAndRewritesTheParameterFile() {
        Editor e;
        for (int stages = 1; stages <= 5; ++stages) {
            const int result = e.Run([&] {
                e.Field(kStagesField)->setText(QString::number(stages));
                e.dialog->OKBtn->click();
            });
            QCOMPARE(result, int(QDialog::Accepted));
            QCOMPARE(e.state.flight.stages, stages);
        }
        QVERIFY(e.prompts.warnings.empty());
        const std::string par = test::ReadWhole(e.Data() + "FLT-001.PAR");
        QVERIFY(par.find("Stages=5\r\n") != std::string::npos);
    }

    void leavingANumberBoxWithARefusedValueComesBack() {
        Editor e;
        e.dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(e.dialog.get()));
        QLineEdit* stages = e.Field(kStagesField);
        stages->setFocus();
        QTRY_VERIFY(stages->hasFocus());
        stages->selectAll();
        QTest::keyClicks(stages, "9");
        QTest::keyClick(stages, Qt::Key_Tab);
        QCOMPARE(e.prompts.warnings.size(), size_t(1));
        QTRY_VERIFY(stages->hasFocus());
        QCOMPARE(stages->text(), QString("9"));
        // Letters never get into a number box.
        QTest::keyClicks(stages, "x");
        QCOMPARE(stages->text(), QString("9"));
        stages->setText("2");
        QTest::keyClick(stages, Qt::Key_Tab);
        QCOMPARE(e.prompts.warnings.size(), size_t(1));
        QVERIFY(!stages->hasFocus());
        e.dialog->reject();
    }

    void cancelAfterChoosingACalibrationFileKeepsTheNewName() {
        Editor e;
        const std::string note = e.state.flight.note;
        const std::string chosen = e.folder.Path() + "site.cal";
        e.prompts.fileAnswers = {chosen};
        QString shown;
        const int result = e.Run([&] {
            e.Field(kNoteField)->setText("not kept");
            e.dialog->CalFileBtn->click();
            shown = e.Field(kCalibrationFileField)->text();
            e.dialog->CancelBtn->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(shown, QString::fromStdString(chosen));
        QCOMPARE(e.state.flight.calibrationFile, chosen);
        QCOMPARE(e.state.flight.note, note);
        const FileDialogRequest& request = e.prompts.fileRequests.at(0);
        QCOMPARE(request.title, std::string("Select Calibration File"));
        QCOMPARE(request.filter, std::string("Calibration files|*.cal"));
        QCOMPARE(request.defaultExtension, std::string("cal"));
    }

    void doubleClickOnTheCalibrationBoxChoosesToo() {
        Editor e;
        e.prompts.fileAnswers = {std::nullopt};
        const std::string before = e.state.flight.calibrationFile;
        e.Run([&] {
            QTest::mouseDClick(e.Field(kCalibrationFileField), Qt::LeftButton);
            e.dialog->reject();
        });
        QCOMPARE(e.prompts.fileRequests.size(), size_t(1));
        QCOMPARE(e.state.flight.calibrationFile, before);
    }

    void saveParFileThenCancelKeepsTheEditsInMemoryAndInTheNewFile() {
        Editor e;
        const std::string oldPar = test::ReadWhole(e.Data() + "FLT-001.PAR");
        e.prompts.fileAnswers = {e.Data() + "NEWNAME.PAR"};
        e.Run([&] {
            e.Field(kModelField)->setText("Big Bertha");
            e.dialog->SavePar->click();
            e.dialog->CancelBtn->click();
        });
        QCOMPARE(e.state.flight.model, std::string("Big Bertha"));
        QCOMPARE(e.state.current().parameterFileName, std::string("NEWNAME.PAR"));
        QVERIFY(test::ReadWhole(e.Data() + "NEWNAME.PAR").find("Big Bertha") != std::string::npos);
        QCOMPARE(test::ReadWhole(e.Data() + "FLT-001.PAR"), oldPar);
    }

    void aDateOfTenCharactersComesBackUnchanged() {
        Editor e;
        e.state.flight.date = "12/06/2002";
        e.Run([&] { e.dialog->OKBtn->click(); });
        QCOMPARE(e.state.flight.date, std::string("12/06/2002"));
    }

    void okWithoutADataFileStillWritesTheNamedParameterFile() {
        Editor e;
        e.state.current().dataFileName = "None";
        e.state.current().parameterFileName = "LONELY.PAR";
        const int result = e.Run([&] {
            e.Field(kWeatherField)->setText("calm");
            e.dialog->OKBtn->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(test::ReadWhole(e.Data() + "LONELY.PAR").find("calm") != std::string::npos);
    }

    void aParameterFileThatCannotBeWrittenKeepsTheDialogOpen() {
        Editor e;
        e.state.current().parameterFileName = "BLOCKED.PAR";
        fs::create_directory(e.Data() + "BLOCKED.PAR");
        bool open = false;
        const int result = e.Run([&] {
            e.Field(kMotorField)->setText("F20");
            e.dialog->OKBtn->click();
            open = e.dialog->isVisible();
            e.dialog->reject();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(open);
        QCOMPARE(e.prompts.warnings.size(), size_t(1));
        QVERIFY2(e.prompts.warnings[0].find("BLOCKED.PAR") != std::string::npos,
                 e.prompts.warnings[0].c_str());
    }

    void editsAbandonedWithCancelDoNotComeBack() {
        Editor e;
        QString second;
        e.Run([&] {
            e.Field(kLocationField)->setText("abandoned");
            e.dialog->reject();
        });
        e.Run([&] {
            second = e.Field(kLocationField)->text();
            e.dialog->reject();
        });
        QCOMPARE(second, QString::fromStdString(e.state.flight.location));
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::ParameterEditorTest)
#include "parameter_editor_test.moc"
