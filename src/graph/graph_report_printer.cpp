#include "graph/graph_report_printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "graph/graph_report.h"
#include "graph/qcp_graph_engine.h"

namespace orvale {

namespace {

// Where every line starts, and the top of the text, in the printer's units.
constexpr int kTextLeft = 100;
constexpr int kTextTop = 100;
// The report's text is made smaller, down to this size, when its widest line would not fit; a
// line still too wide goes on in rows below it, indented by this many widths of "M".
constexpr double kSmallestPointSize = 6.0;
constexpr int kContinuedIndent = 4;

// The printer's own font, made smaller when needed so that the widest line fits the page.
void FitFont(QPainter& painter, const std::vector<std::string>& lines, double width) {
    QFont font = painter.font();
    double widest = 0;
    const QFontMetricsF metrics(font, painter.device());
    for (const std::string& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    if (widest <= width || width <= 0)
        return;
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    font.setPointSizeF(std::max(kSmallestPointSize, size * width / widest));
    painter.setFont(font);
}

// A line cut into rows that fit width (the rows after the first indented), so that nothing of
// it runs off the paper.
QStringList Rows(const QString& line, const QFontMetricsF& metrics, double width, double indent) {
    QStringList rows;
    QString rest = line;
    double room = width;
    while (rest.size() > 1 && metrics.horizontalAdvance(rest) > room) {
        qsizetype fits = 1;  // at least one character a row, however narrow the page
        for (qsizetype more = rest.size() - 1; fits < more;) {
            const qsizetype mid = (fits + more + 1) / 2;
            if (metrics.horizontalAdvance(rest.left(mid)) <= room)
                fits = mid;
            else
                more = mid - 1;
        }
        // A row ends after a blank where there is one, so words stay whole.
        const auto blank = rest.left(fits).lastIndexOf(' ');
        if (blank > 0)
            fits = blank + 1;
        rows << rest.left(fits);
        rest = rest.mid(fits);
        room = std::max(1.0, width - indent);
    }
    rows << rest;
    return rows;
}

}  // namespace

bool PrintReportPage(QPrinter& printer, const std::vector<std::string>& lines,
                     QcpGraphEngine& engine) {
    printer.setDocName(kReportJobTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const double width = page.width() - 2 * kTextLeft;
    FitFont(painter, lines, width);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const int h = static_cast<int>(std::ceil(metrics.boundingRect("Dy").height()));
    const double indent = kContinuedIndent * metrics.horizontalAdvance('M');

    int y = kTextTop;
    for (const std::string& line : lines) {
        const QStringList rows = Rows(QString::fromStdString(line), metrics, width, indent);
        for (int r = 0; r < rows.size(); ++r) {
            if (y + h > page.height() && y > kTextTop) {
                printer.newPage();
                y = kTextTop;
            }
            painter.drawText(QPointF(kTextLeft + (r > 0 ? indent : 0.0), y + metrics.ascent()),
                             rows[r]);
            y += h;
        }
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

bool PrintGraphReport(AppState& state, Prompts& prompts, QcpGraphEngine& engine, QPrinter& printer,
                      bool besideEachFlight) {
    const std::vector<std::string> lines =
        BuildReportLines(state, prompts, std::time(nullptr), besideEachFlight);
    return PrintReportPage(printer, lines, engine);
}

}  // namespace orvale
