// The printed graph report, printed to PDF on the offscreen platform and read back with
// pdftotext: headless through `orvale --render --report`, and from the graph window's "&Print"
// with its print dialog.

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "graph/qcustomplot_header.h"

#include "app/render_command.h"
#include "fake_prompts.h"
#include "files/ini_file.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_report_printer.h"
#include "graph/graph_window.h"
#include "graph/qcp_graph_engine.h"
#include "modal_driver.h"
#include "program_fixture.h"
#include "render_fixture.h"
#include "test_image.h"
#include "widgets/printer_choice.h"

namespace orvale {

namespace {

namespace fs = std::filesystem;

using test::Sample;

// The text of a PDF's pages (all, or one), as laid out, each line without its leading blanks
// and page breaks.
std::vector<std::string> PdfLines(const std::string& pdf, int page = 0) {
    QStringList args{"-layout"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << QString::fromStdString(pdf) << "-";
    QProcess tool;
    tool.start("pdftotext", args);
    tool.waitForFinished(20000);
    std::istringstream in(tool.readAllStandardOutput().toStdString());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        line.erase(0, line.find_first_not_of(" \f"));
        lines.push_back(line);
    }
    return lines;
}

int Count(const std::vector<std::string>& lines, const std::string& start) {
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
}

bool Holds(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

int Pages(const std::string& pdf) {
    QProcess tool;
    tool.start("pdfinfo", {QString::fromStdString(pdf)});
    tool.waitForFinished(20000);
    const QString info = tool.readAllStandardOutput();
    const auto at = info.indexOf("Pages:");
    return at < 0 ? 0 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

// A copy of FLT-001.PAR with channels 4 to 12 selected as well.
std::string TwelveChannels(const fs::path& dir) {
    const std::string path = (dir / "TWELVE.PAR").string();
    fs::copy_file(Sample("FLT-001.PAR"), path, fs::copy_options::overwrite_existing);
    IniFile par = IniFile::LoadForUpdate(path);
    for (int n = 4; n <= 12; ++n) {
        const std::string section = "Channel " + std::to_string(n) + " Data";
        par.WriteBool(section, "Selected", true);
        par.WriteString(section, "Title", "Channel " + std::to_string(n));
        par.WriteString(section, "Formula", "ch1");
    }
    par.Save(path);
    return path;
}

}  // namespace

class GraphReportTest : public QObject, public test::RenderScratch {
    Q_OBJECT

private Q_SLOTS:
    void headlessReports() {
        std::string err;
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--report", Out("r.pdf"), "--start",
                         "2", "--length", "5"},
                        err),
                 0);
        const auto lines = PdfLines(Out("r.pdf"));
        QCOMPARE(Count(lines, "Orvaleo v"), 1);
        QCOMPARE(Count(lines, "File: "), 2);  // the report's line and the graph's title
        QCOMPARE(Count(lines, "File: " + Sample("FLT-001.DAT") + " gathered on "), 1);
        QCOMPARE(Count(lines, "File Note: "), 1);
        QCOMPARE(Count(lines, "Location: "), 1);
        QCOMPARE(Count(lines, "Model Name: "), 1);
        // Three blocks of four lines, each after a blank line.
        for (int k = 1; k <= 3; ++k) {
            const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.rfind("Graph " + std::to_string(k) + " Channel:", 0) == 0;
            });
            QVERIFY(at != lines.begin() && at + 3 < lines.end());
            QCOMPARE(*(at - 1), std::string());
            QCOMPARE((at + 1)->substr(0, 30), std::string("Vertical scale (Y axis): from "));
            QCOMPARE(*(at + 2), std::string("Time: 2.00 for 5.00 to 7.00"));
            QCOMPARE((at + 3)->substr(0, 15), std::string("Filter Factor: "));
        }
        QCOMPARE(Count(lines, "Graph "), 3);
        // One page: the graph below the text, drawn (its axis title is text, not pixels).
        QCOMPARE(Pages(Out("r.pdf")), 1);
        QVERIFY(Holds(lines, "Flight Time (sec)"));

        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--report", Out("r.png")}, err), 1);
        QVERIFY2(err.find("--report needs a .pdf") != std::string::npos, err.c_str());
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--report", "/nonexistent/r.pdf"}, err),
                 1);
        QVERIFY2(err.find("the report could not be written") != std::string::npos, err.c_str());

        // Twelve channels push the text past the middle: the graph goes on page 2.
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--par", TwelveChannels(dir_.path()),
                         "--report", Out("12.pdf")},
                        err),
                 0);
        QCOMPARE(Pages(Out("12.pdf")), 2);
        const auto first = PdfLines(Out("12.pdf"), 1);
        QCOMPARE(Count(first, "Graph "), 12);
        QVERIFY(!Holds(first, "Flight Time (sec)"));
        QVERIFY(Holds(PdfLines(Out("12.pdf"), 2), "Flight Time (sec)"));
    }

    // "&Print" in the graph window: Cancel prints nothing; printing leaves the graph on screen
    // laid out as before; a second flight's series gets its own "File:" line; an empty note
    // prints no note line.
    void printFromTheGraphWindow() {
        test::FakePrompts prompts;
        AppState state;
        InitProgramState(state, {0, dir_.path().string(), {}}, prompts);
        state.workingDirectory = dir_.path().string() + "/";
        for (const char* name : {"FLT-001.DAT", "FLT-001.PAR", "FLT-002.DAT", "FLT-002.PAR"})
            fs::copy_file(Sample(name), dir_.path() / name, fs::copy_options::overwrite_existing);
        IniFile par = IniFile::LoadForUpdate(Out("FLT-001.PAR"));
        par.WriteString("Flight Data", "Note", "");
        par.Save(Out("FLT-001.PAR"));
        state.entries[0].dataFileName = Out("FLT-001.DAT");
        LoadCurrentFile(state, prompts, false, true, true);
        for (size_t i = 0; i < state.channels.size(); ++i)
            state.channels[i].selected = i < 3;

        PrinterChoice printer;
        printer.Printer().setOutputFormat(QPrinter::PdfFormat);
        printer.Printer().setOutputFileName(QString::fromStdString(Out("window.pdf")));
        TGraphForm form(state, prompts, printer);
        QRect before, afterCancel, afterPrint;
        bool printedOnCancel = true;
        QString dialogKind;
        test::WhenModal([&](QWidget*) {
            for (int i = 0; i < 100 && form.Engine().AxisRects().empty(); ++i)
                QTest::qWait(20);
            if (form.Engine().AxisRects().empty())
                return form.Close1Click();
            before = form.Engine().AxisRects().front()->rect();
            test::WhenModal(
                [&](QWidget* dialog) {
                    dialogKind = dialog->metaObject()->className();
                    static_cast<QDialog*>(dialog)->reject();
                },
                &form);
            form.Print1Click();
            printedOnCancel = fs::exists(Out("window.pdf"));
            afterCancel = form.Engine().AxisRects().front()->rect();

            state.entries[3].dataFileName = Out("FLT-002.DAT");
            state.entries[3].parameterFileName = "FLT-002.PAR";
            test::WhenModal([&](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); },
                            &form);
            form.Print1Click();
            afterPrint = form.Engine().AxisRects().front()->rect();
            form.Close1Click();
        });
        form.exec();
        QCOMPARE(dialogKind, QString("QPrintDialog"));
        QVERIFY(!printedOnCancel);
        QVERIFY(!before.isEmpty());
        QCOMPARE(afterCancel, before);
        QCOMPARE(afterPrint, before);
        const auto lines = PdfLines(Out("window.pdf"));
        QCOMPARE(Count(lines, "File: " + Out("FLT-001.DAT") + " gathered on "), 1);
        QCOMPARE(Count(lines, "File: " + Out("FLT-002.DAT") + " gathered on "), 1);
        // The first flight's note is empty: only the second flight prints a note line.
        QCOMPARE(Count(lines, "File Note: "), 1);
        QCOMPARE(Count(lines, "Graph "), 3);
        QVERIFY(prompts.warnings.empty());
    }

    // Text longer than a page (twelve series of as many flights) goes on to the next page rather
    // than off the paper, and the graph follows it; a long line fits across the page.
    void textLongerThanAPageGoesOnToTheNext() {
        std::vector<std::string> lines;
        for (int n = 1; n <= 130; ++n)
            lines.push_back("Line " + std::to_string(n) + ".");
        // The longest model line, and a line wider than any report's that makes the text as
        // small as it gets.
        std::string model;
        std::string motor;
        while (model.size() < 80)
            model += "Long model name with many words ";
        while (motor.size() < 80)
            motor += "Motor list G80-7T, H128W-M, ";
        lines[5] =
            "Model Name: " + model.substr(0, 80) + ",     Motor(s) used: " + motor.substr(0, 80);
        lines[6].clear();
        for (int n = 0; n < 40; ++n)
            lines[6] += "ch1*0.5+";
        QCustomPlot plot;
        plot.resize(400, 300);
        QcpGraphEngine engine(&plot);
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(Out("long.pdf")));
        QVERIFY(PrintReportPage(printer, lines, engine));
        QVERIFY(Pages(Out("long.pdf")) >= 2);
        const auto text = PdfLines(Out("long.pdf"));
        for (const std::string& line : lines)
            if (line.rfind("Line ", 0) == 0)
                QVERIFY2(Holds(text, line), line.c_str());
        // The wide line whole, in rows below each other if need be (blanks aside: a row ends
        // after one).
        const auto solid = [](std::string s) {
            s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
            return s;
        };
        std::string joined;
        for (const std::string& row : text)
            joined += solid(row);
        QVERIFY(joined.find(solid(lines[5])) != std::string::npos);
        QVERIFY(joined.find(solid(lines[6])) != std::string::npos);
        QVERIFY(Count(PdfLines(Out("long.pdf"), 1), "Line 1.") == 1);
        QVERIFY(Count(PdfLines(Out("long.pdf"), 2), "Line 130.") == 1);
    }

    // "Printer setup..." (main window) and "&Setup Printer ..." (graph window) set up one printer.
    void bothSetUpCommandsChooseOnePrinter() {
        test::Program p;
        std::vector<QPrinter*> chosen;
        const auto note = [&](QWidget* dialog) {
            if (auto* print = qobject_cast<QPrintDialog*>(dialog))
                chosen.push_back(print->printer());
            static_cast<QDialog*>(dialog)->reject();
        };
        test::WhenModal(note);
        p.form->Item("Printsetup1")->trigger();
        test::WhenModal(note);
        p.form->GraphForm->findChild<QAction*>("SetupPrinter1")->trigger();
        QCOMPARE(int(chosen.size()), 2);
        QVERIFY(chosen[0] == chosen[1]);
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::GraphReportTest)
#include "graph_report_test.moc"
