// `orvale --render` in the test process (offscreen) and once as the program itself with no
// display: the picture at the asked size, the zoomed data rows, and refusals with status 1.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/render_command.h"
#include "render_fixture.h"
#include "test_image.h"

namespace orvale {

namespace {

using test::Sample;

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

class RenderCommandTest : public QObject, public test::RenderScratch {
    Q_OBJECT

private Q_SLOTS:
    void writesPicturesOfTheAskedSize() {
        std::string err;
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--graph", Out("g.png"), "--size",
                         "640x400", "--overlap", "off"},
                        err),
                 0);
        const QImage png(QString::fromStdString(Out("g.png")));
        QCOMPARE(png.size(), QSize(640, 400));
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--graph", Out("g.jpg")}, err), 0);
        QCOMPARE(QImage(QString::fromStdString(Out("g.jpg"))).size(), QSize(1000, 700));
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--graph", Out("g.pdf")}, err), 0);
        QFile pdf(QString::fromStdString(Out("g.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    void aZoomedRenderWritesTheRowsOfItsSpan() {
        std::string err;
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--graph", Out("z.png"), "--data",
                         Out("z.csv"), "--zoom", "2:4"},
                        err),
                 0);
        const auto lines = Lines(Out("z.csv"));
        QCOMPARE(lines.at(0),
                 std::string("Flight Time (sec),Acceleration (g),Pressure Altitude (ft),"
                             "Speed (ft/sec)"));
        // Two seconds of the whole flight are under half its window: computed again from every
        // sample (16 a second) rather than the averaged points drawn before the zoom.
        QVERIFY(lines.size() - 1 >= 32);
        for (size_t i = 1; i < lines.size(); ++i) {
            const double t = std::stod(lines[i].substr(0, lines[i].find(',')));
            QVERIFY2(t >= 2.0 && t <= 4.0, lines[i].c_str());
            QCOMPARE(std::count(lines[i].begin(), lines[i].end(), ','), 3L);
        }
    }

    // A simulation beside the flight: a dashed curve beside each of its three channels (more
    // dashes than the dotted grid alone), kept through a zoom.
    void drawsASimulationBesideTheFlight() {
        const auto dashes = [this](std::vector<std::string> args) {
            std::string err;
            args.insert(args.begin(), {"--render", Sample("FLT-001.DAT"), "--graph", Out("s.svg")});
            QFile svg(QString::fromStdString(Out("s.svg")));
            if (Render(args, err) != 0 || !svg.open(QIODevice::ReadOnly))
                return -1;
            return int(svg.readAll().count("stroke-dasharray"));
        };
        const int grid = dashes({});
        QVERIFY(grid >= 0);
        QCOMPARE(dashes({"--sim", Sample("FLT-001-SIM.csv")}), grid + 3);
        QCOMPARE(dashes({"--sim", Sample("FLT-001-SIM.csv"), "--zoom", "2:4"}), grid + 3);
    }

    void refusesWithStatusOneAndSaysWhy() {
        // A formula that does not compile: the error box's text, and no picture.
        std::ifstream par(Sample("FLT-001.PAR"));
        std::stringstream text;
        text << par.rdbuf();
        std::string bad = text.str();
        bad.replace(bad.find("Formula=ch1"), 11, "Formula=EXQ(ch1)");
        std::ofstream(Out("bad.PAR")) << bad;
        std::string err;
        QCOMPARE(Render({"--render", Sample("FLT-001.DAT"), "--graph", Out("bad.png"), "--par",
                         Out("bad.PAR")},
                        err),
                 1);
        QVERIFY2(err.find("Invalid character:") != std::string::npos, err.c_str());
        QVERIFY2(err.find("\"EXQ(CH1)\"") != std::string::npos, err.c_str());
        QVERIFY(!std::filesystem::exists(Out("bad.png")));

        std::ofstream(Out("mass.csv")) << "Time (s),Mass (g)\n0,500\n";
        const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
            {{"--render", Out("none.DAT"), "--graph", Out("x.png")}, "none.DAT"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.gif")},
             ".png, .svg, .pdf or .jpg"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--size", "0x5"},
             "--size"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--zoom", "4:2"},
             "--zoom"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--overlap", "yes"},
             "--overlap"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--colour", "1"},
             "unknown option --colour"},
            {{"--render", Sample("FLT-001.DAT")}, "--graph"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--sim", Out("mass.csv")},
             "no altitude column"},
            {{"--render", Sample("FLT-001.DAT"), "--graph", Out("x.png"), "--sim", Out("no.csv")},
             "no.csv"},
        };
        for (const auto& [args, says] : refused) {
            QCOMPARE(Render(args, err), 1);
            QVERIFY2(err.find(says) != std::string::npos, err.c_str());
        }
        QVERIFY(!std::filesystem::exists(Out("x.png")));
    }

    // The program itself, with neither a display nor a platform named: it chooses offscreen.
    void theProgramRendersWithoutADisplay() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        program.setProcessEnvironment(env);
        program.start(ORVALE_BINARY,
                      {"--render", QString::fromStdString(Sample("FLT-002.DAT")), "--graph",
                       QString::fromStdString(Out("p.png")), "--size", "300x200"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QImage(QString::fromStdString(Out("p.png"))).size(), QSize(300, 200));

        program.start(ORVALE_BINARY, {"--render", "nothing-here.DAT", "--graph",
                                      QString::fromStdString(Out("q.png"))});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(program.readAllStandardError().contains("nothing-here.DAT"));
    }
};

}  // namespace orvale

QTEST_MAIN(orvale::RenderCommandTest)
#include "render_command_test.moc"
