#include "graph/graph_report_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <ctime>

#include "graph/graph_report.h"
#include "graph/qcp_graph_engine.h"

namespace orvale {

namespace {

// Where every line starts, and the top of the text, in the printer's units.
constexpr int kTextLeft = 100;
constexpr int kTextTop = 100;
// The report's text is made smaller, down to this size, when its widest line would not fit.
constexpr double kSmallestPointSize = 5.0;

// The printer's own font, made smaller when needed so that the widest line fits the page.
void FitFont(QPainter& painter, const std::vector<std::string>& lines, int width) {
    int widest = 0;
    for (const std::string& line : lines)
        widest =
            std::max(widest, painter.fontMetrics().horizontalAdvance(QString::fromStdString(line)));
    if (widest <= width || width <= 0)
        return;
    QFont font = painter.font();
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    font.setPointSizeF(std::max(kSmallestPointSize, size * width / widest));
    painter.setFont(font);
}

}  // namespace

bool PrintReportPage(QPrinter& printer, const std::vector<std::string>& lines,
                     QcpGraphEngine& engine) {
    printer.setDocName(kReportJobTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    FitFont(painter, lines, page.width() - 2 * kTextLeft);
    const QFontMetrics metrics = painter.fontMetrics();
    const int h = metrics.boundingRect("Dy").height();

    int y = kTextTop;
    for (const std::string& line : lines) {
        if (y + h > page.height() && y > kTextTop) {
            printer.newPage();
            y = kTextTop;
        }
        if (!line.empty())
            painter.drawText(kTextLeft, y + metrics.ascent(), QString::fromStdString(line));
        y += h;
    }

    y += h;
    const int half = page.height() / 2;
    if (y > half) {
        printer.newPage();
        y = 0;
    }
    engine.DrawPicture(painter, QRect(0, y, page.width(), half));
    return painter.end();
}

bool PrintGraphReport(AppState& state, Prompts& prompts, QcpGraphEngine& engine,
                      QPrinter& printer) {
    const std::vector<std::string> lines = BuildReportLines(state, prompts, std::time(nullptr));
    return PrintReportPage(printer, lines, engine);
}

}  // namespace orvale
