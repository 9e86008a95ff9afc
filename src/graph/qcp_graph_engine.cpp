#include "graph/qcp_graph_engine.h"

#include <qcustomplot.h>
#include <QAction>
#include <QMenu>
#include <QPicture>
#include <QShortcut>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <limits>

namespace orvale {

namespace {

QColor ToQColor(RgbColour c) {
    return QColor(c.red, c.green, c.blue);
}

void ColourAxis(QCPAxis* axis, const AxisScale& scale) {
    const QColor colour = ToQColor(scale.colour);
    axis->setVisible(true);
    axis->setLabel(QString::fromStdString(scale.label));
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
    axis->setBasePen(QPen(colour));
    axis->setTickPen(QPen(colour));
    axis->setSubTickPen(QPen(colour));
    axis->setRange(scale.min, scale.max);
}

// A marker's text may start with a placement code ("|H Main Fired"): its letter says how far
// down the plot the label sits, so that labels of events close in time do not cover each other.
std::pair<QString, double> MarkerLabel(const std::string& text) {
    if (text.size() >= 3 && text[0] == '|' && text[2] == ' ') {
        const double depth = text[1] == 'H' ? 0.02 : text[1] == 'h' ? 0.09 : 0.16;
        return {QString::fromStdString(text.substr(3)), depth};
    }
    return {QString::fromStdString(text), 0.02};
}

}  // namespace

QcpGraphEngine::QcpGraphEngine(QCustomPlot* plot) : plot_(plot) {
    plot_->setSelectionRectMode(QCP::srmCustom);
    // Queued: the zoom rebuilds the plot areas, which must not go while the plot is still
    // handling the mouse release that ended the rectangle.
    connect(
        plot_->selectionRect(), &QCPSelectionRect::accepted, this,
        [this](const QRect& rect, QMouseEvent*) { ZoomRectangle(rect); }, Qt::QueuedConnection);
    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(plot_);
        QAction* undo = menu.addAction("Undo Zoom");
        undo->setObjectName("UndoZoom");
        if (menu.exec(plot_->mapToGlobal(at)) == undo && events_.undoAsked)
            events_.undoAsked();
    });
    auto* backspace = new QShortcut(QKeySequence(Qt::Key_Backspace), plot_);
    connect(backspace, &QShortcut::activated, this, [this] {
        if (events_.undoAsked)
            events_.undoAsked();
    });
}

void QcpGraphEngine::SetSubsets(int subsets) {
    points_.resize(static_cast<size_t>(std::max(subsets, 0)),
                   std::vector<Point>(static_cast<size_t>(pointCount_),
                                      Point{kGraphNullValue, kGraphNullValue}));
    colours_.resize(points_.size());
}

void QcpGraphEngine::SetPoints(int points) {
    pointCount_ = std::max(points, 0);
    for (auto& subset : points_)
        subset.resize(static_cast<size_t>(pointCount_), Point{kGraphNullValue, kGraphNullValue});
}

void QcpGraphEngine::SetPoint(int subset, int point, float x, float y) {
    if (subset < 0 || subset >= Subsets() || point < 0 || point >= pointCount_)
        return;
    points_[static_cast<size_t>(subset)][static_cast<size_t>(point)] = {x, y};
}

void QcpGraphEngine::SetSubsetColour(int subset, RgbColour colour) {
    if (subset >= 0 && subset < Subsets())
        colours_[static_cast<size_t>(subset)] = colour;
}

RgbColour QcpGraphEngine::SubsetColour(int subset) const {
    return subset >= 0 && subset < Subsets() ? colours_[static_cast<size_t>(subset)] : RgbColour{};
}

void QcpGraphEngine::SetAxes(const std::vector<GraphAxis>& axes) {
    axes_ = axes;
}

void QcpGraphEngine::SetOverlappedAxes(const std::vector<int>& overlap) {
    overlap_ = overlap;
}

void QcpGraphEngine::SetXAxisLabel(const std::string& label) {
    xLabel_ = label;
}

void QcpGraphEngine::SetXRange(XRange range) {
    xRange_ = range;
    // A zoom or its undo changes only the X range: follow it at once, without a rebuild.
    for (QCPAxisRect* rect : rects_)
        rect->axis(QCPAxis::atBottom)->setRange(range.min, range.max);
}

void QcpGraphEngine::SetTitles(const std::string& mainTitle, const std::string& subTitle) {
    mainTitle_ = mainTitle;
    subTitle_ = subTitle;
}

void QcpGraphEngine::SetVerticalLines(const std::vector<VerticalLine>& lines) {
    lines_ = lines;
}

void QcpGraphEngine::SetLegend(const std::vector<std::string>& names) {
    legend_ = names;
}

void QcpGraphEngine::SetBands(const std::vector<ValueBand>& bands) {
    bands_ = bands;
}

void QcpGraphEngine::SetZoomEvents(ZoomEvents events) {
    events_ = std::move(events);
}

void QcpGraphEngine::ZoomRectangle(const QRect& rect) {
    if (rects_.empty() || rect.width() < 2)
        return;
    // Only a rectangle on the time axes is a zoom: a band's horizontal axis is not time.
    const bool onTime = std::any_of(rects_.begin(), rects_.end(), [&](QCPAxisRect* r) {
        return r->rect().contains(rect.center());
    });
    if (!onTime)
        return;
    QCPAxis* x = rects_.front()->axis(QCPAxis::atBottom);
    const double a = x->pixelToCoord(rect.left());
    const double b = x->pixelToCoord(rect.right());
    zoomed_ = {std::min(a, b), std::max(a, b)};
    if (events_.zoomedIn)
        events_.zoomedIn();
}

void QcpGraphEngine::Apply() {
    if (!plot_)
        return;
    plot_->clearItems();
    plot_->clearPlottables();  // curves and bars alike
    plot_->plotLayout()->clear();
    rects_.clear();
    bandRects_.clear();
    valueAxes_.clear();

    int row = 0;
    auto* title = new QCPTextElement(plot_, QString::fromStdString(mainTitle_),
                                     QFont(plot_->font().family(), 11));
    plot_->plotLayout()->addElement(row++, 0, title);
    auto* subTitle = new QCPTextElement(plot_, QString::fromStdString(subTitle_),
                                        QFont(plot_->font().family(), 9));
    plot_->plotLayout()->addElement(row++, 0, subTitle);
    AddAxisRects();
    for (size_t i = 0; i < rects_.size(); ++i) {
        plot_->plotLayout()->addElement(row + static_cast<int>(i), 0, rects_[i]);
        const float share = overlap_.empty() && i < axes_.size() ? axes_[i].heightShare : 1.0f;
        plot_->plotLayout()->setRowStretchFactor(row + static_cast<int>(i), share);
    }
    plot_->plotLayout()->setRowStretchFactor(0, 0.001);
    plot_->plotLayout()->setRowStretchFactor(1, 0.001);
    AddCurves();
    AddOverlays();
    AddBands(row + static_cast<int>(rects_.size()));
    AddLines();
    AddLegend();
    plot_->replot();
}

void QcpGraphEngine::AddAxisRects() {
    const bool overlapped = !overlap_.empty();
    const size_t count = overlapped ? (axes_.empty() ? 0 : 1) : axes_.size();
    for (size_t i = 0; i < count; ++i) {
        auto* rect = new QCPAxisRect(plot_);
        QCPAxis* x = rect->axis(QCPAxis::atBottom);
        x->setRange(xRange_.min, xRange_.max);
        x->grid()->setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DotLine));
        rects_.push_back(rect);
    }
    if (rects_.empty())
        return;
    rects_.back()->axis(QCPAxis::atBottom)->setLabel(QString::fromStdString(xLabel_));
    // Every plot area shows the same stretch of time, its times one above the other.
    auto* margins = new QCPMarginGroup(plot_);
    for (QCPAxisRect* rect : rects_)
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    for (size_t i = 1; i < rects_.size(); ++i)
        connect(rects_[0]->axis(QCPAxis::atBottom),
                qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
                rects_[i]->axis(QCPAxis::atBottom), qOverload<const QCPRange&>(&QCPAxis::setRange));

    for (size_t u = 0; u < axes_.size(); ++u) {
        QCPAxisRect* rect = overlapped ? rects_[0] : rects_[u];
        const bool first = overlapped ? u == 0 : true;
        QCPAxis* left = first ? rect->axis(QCPAxis::atLeft) : rect->addAxis(QCPAxis::atLeft);
        ColourAxis(left, axes_[u].left);
        left->grid()->setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DotLine));
        const int onLeft = std::max(axes_[u].subsets - axes_[u].rightSubsets, 1);
        for (int s = 0; s < onLeft; ++s)
            valueAxes_.push_back(left);
        if (axes_[u].subsets >= 2 && axes_[u].rightSubsets == 1) {
            QCPAxis* right = first ? rect->axis(QCPAxis::atRight) : rect->addAxis(QCPAxis::atRight);
            ColourAxis(right, axes_[u].right);
            valueAxes_.push_back(right);
        }
    }
}

void QcpGraphEngine::AddCurves() {
    const size_t drawn = std::min(points_.size(), valueAxes_.size());
    for (size_t s = 0; s < drawn; ++s) {
        QCPAxis* valueAxis = valueAxes_[s];
        QCPAxisRect* rect = valueAxis->axisRect();
        QCPGraph* curve = plot_->addGraph(rect->axis(QCPAxis::atBottom), valueAxis);
        curve->setPen(QPen(ToQColor(colours_[s]), 1.5));
        QVector<double> keys;
        QVector<double> values;
        keys.reserve(pointCount_);
        values.reserve(pointCount_);
        for (const Point& p : points_[s]) {
            if (p.x == kGraphNullValue)
                continue;
            keys.push_back(p.x);
            // A null value leaves a gap in the curve.
            values.push_back(p.y == kGraphNullValue ? std::numeric_limits<double>::quiet_NaN()
                                                    : p.y);
        }
        curve->setData(keys, values, true);
    }
}

void QcpGraphEngine::SetOverlays(const std::vector<OverlayCurve>& overlays) {
    overlays_ = overlays;
}

void QcpGraphEngine::AddOverlays() {
    for (const OverlayCurve& overlay : overlays_) {
        const auto s = static_cast<size_t>(overlay.subset);
        if (overlay.subset < 0 || s >= valueAxes_.size() || s >= colours_.size())
            continue;  // its subset is not drawn
        QCPAxis* valueAxis = valueAxes_[s];
        QCPGraph* curve =
            plot_->addGraph(valueAxis->axisRect()->axis(QCPAxis::atBottom), valueAxis);
        curve->setName(QString::fromStdString(overlay.name));
        curve->setPen(QPen(ToQColor(colours_[s]), 1.5, Qt::DashLine));
        QVector<double> keys;
        QVector<double> values;
        const size_t n = std::min(overlay.x.size(), overlay.y.size());
        keys.reserve(static_cast<int>(n));
        values.reserve(static_cast<int>(n));
        for (size_t i = 0; i < n; ++i) {
            keys.push_back(overlay.x[i]);
            values.push_back(overlay.y[i] == kGraphNullValue
                                 ? std::numeric_limits<double>::quiet_NaN()
                                 : overlay.y[i]);
        }
        curve->setData(keys, values);  // a file's times need not be in order
    }
}

void QcpGraphEngine::AddBands(int firstRow) {
    // As tall as one stacked time axis (the whole time area when overlapped).
    float share = 1.0f;
    if (overlap_.empty())
        for (const GraphAxis& axis : axes_)
            share = std::min(share, axis.heightShare);
    auto* margins =
        rects_.empty() ? new QCPMarginGroup(plot_) : rects_.front()->marginGroup(QCP::msLeft);
    for (size_t i = 0; i < bands_.size(); ++i) {
        const ValueBand& band = bands_[i];
        auto* rect = new QCPAxisRect(plot_);
        const int row = firstRow + static_cast<int>(i);
        plot_->plotLayout()->addElement(row, 0, rect);
        plot_->plotLayout()->setRowStretchFactor(row, share);
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        bandRects_.push_back(rect);

        const QColor colour = ToQColor(band.scale.colour);
        QCPAxis* x = rect->axis(QCPAxis::atBottom);
        x->setLabel(QString::fromStdString(band.xLabel));
        x->setRange(band.xRange.min, band.xRange.max);
        x->grid()->setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DotLine));
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        ColourAxis(y, band.scale);
        y->grid()->setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DotLine));
        // The band keeps its scales when the time axes are dragged or zoomed.
        rect->setRangeDrag(Qt::Orientations());
        rect->setRangeZoom(Qt::Orientations());

        QVector<double> keys(band.x.begin(), band.x.end());
        QVector<double> values(band.y.begin(), band.y.end());
        if (band.kind == BandKind::Bars) {
            auto* bars = new QCPBars(x, y);
            bars->setWidthType(QCPBars::wtPlotCoords);
            bars->setWidth(band.barWidth);
            bars->setPen(QPen(colour.darker(130)));
            bars->setBrush(colour);
            bars->setData(keys, values, true);
        } else {
            QCPGraph* curve = plot_->addGraph(x, y);
            curve->setPen(QPen(colour, 1.5));
            curve->setData(keys, values, true);
        }
    }
}

void QcpGraphEngine::AddLines() {
    if (rects_.empty())
        return;  // event lines are times: without a time axis there is nowhere to draw them
    for (const VerticalLine& line : lines_) {
        if (line.x < xRange_.min || line.x > xRange_.max)
            continue;  // off the axis: not drawn
        const QPen pen(ToQColor(line.colour), line.width);
        for (QCPAxisRect* rect : rects_) {
            auto* item = new QCPItemStraightLine(plot_);
            item->setClipAxisRect(rect);
            for (QCPItemPosition* end : {item->point1, item->point2}) {
                end->setAxisRect(rect);
                end->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
            }
            item->point1->setCoords(line.x, 0);
            item->point2->setCoords(line.x, 1);
            item->setPen(pen);
        }
        auto [text, depth] = MarkerLabel(line.text);
        if (line.labelDepth >= 0.0f)
            depth = line.labelDepth;
        auto* label = new QCPItemText(plot_);
        label->setClipAxisRect(rects_.front());
        label->position->setAxisRect(rects_.front());
        label->position->setAxes(rects_.front()->axis(QCPAxis::atBottom),
                                 rects_.front()->axis(QCPAxis::atLeft));
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(line.x, depth);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setPadding(QMargins(3, 0, 0, 0));
        label->setColor(ToQColor(line.colour));
        label->setText(text);
    }
}

void QcpGraphEngine::AddLegend() {
    // Each curve named by its entry, in the plot area's top right corner.
    if (legend_.empty() || rects_.empty())
        return;
    QCPAxisRect* rect = rects_.front();
    auto* legend = new QCPLegend;
    rect->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
    legend->setLayer(QLatin1String("legend"));
    legend->setFont(QFont(plot_->font().family(), 8));
    legend->setBrush(QColor(255, 255, 255, 220));
    const int named = std::min(plot_->graphCount(), static_cast<int>(legend_.size()));
    for (int i = 0; i < named; ++i) {
        plot_->graph(i)->setName(QString::fromStdString(legend_[static_cast<size_t>(i)]));
        legend->addItem(new QCPPlottableLegendItem(legend, plot_->graph(i)));
    }
}

void QcpGraphEngine::DrawPicture(QPainter& painter, const QRect& target) {
    if (!plot_ || target.width() < 1 || target.height() < 1)
        return;
    // Recorded as a picture of drawing commands and played into the caller's painter, so the
    // graph stays vector on a printer or in a PDF.
    QPicture picture;
    QCPPainter recorder;
    if (recorder.begin(&picture)) {
        plot_->toPainter(&recorder, target.width(), target.height());
        recorder.end();
        painter.save();
        painter.setClipRect(target);
        painter.drawPicture(target.topLeft(), picture);
        painter.restore();
    }
    // Drawing at another size moved the axes; the window's hit tests and zoom need them back.
    plot_->replot();
}

namespace {

bool SaveSvg(QCustomPlot& plot, const QString& file, int width, int height,
             const std::string& title) {
    // Drawn, not grabbed: lines and text stay sharp at any size.
    const int w = width > 0 ? width : plot.width();
    const int h = height > 0 ? height : plot.height();
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setTitle(QString::fromStdString(title));
    QCPPainter painter;
    if (!painter.begin(&svg))
        return false;
    plot.toPainter(&painter, w, h);
    return painter.end() && QFileInfo(file).size() > 0;
}

}  // namespace

bool SavePlotPicture(QCustomPlot& plot, const std::string& path, int width, int height,
                     const std::string& title) {
    const QString file = QString::fromStdString(path);
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "pdf")
        return plot.savePdf(file, width, height);
    if (suffix == "png")
        return plot.savePng(file, width, height);
    if (suffix == "jpg" || suffix == "jpeg")
        return plot.saveJpg(file, width, height);
    if (suffix == "bmp")
        return plot.saveBmp(file, width, height);
    if (suffix == "svg")
        return SaveSvg(plot, file, width, height, title);
    return false;
}

bool QcpGraphEngine::SavePicture(const std::string& path, int width, int height) {
    return plot_ && SavePlotPicture(*plot_, path, width, height, mainTitle_);
}

}  // namespace orvale
