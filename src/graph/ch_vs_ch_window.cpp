#include "graph/ch_vs_ch_window.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/app_state.h"
#include "core/prompts.h"
#include "graph/qcp_graph_engine.h"
#include "graph/qcustomplot_header.h"

namespace orvale {

namespace {

constexpr int kMarkSize = 9;          // pixels across a mark's ring
constexpr int kLabelStep = 13;        // pixels between labels of marks on one point
constexpr double kCircleRoom = 1.08;  // the circle's radius to the half-width of the scale
constexpr double kNearMarks = 0.06;   // marks this share of the scales apart have stacked labels

QColor ToQColor(RgbColour c) {
    return QColor(c.red, c.green, c.blue);
}

void ColourAxis(QCPAxis* axis, const QColor& colour, const std::string& label) {
    axis->setVisible(true);
    axis->setLabel(QString::fromStdString(label));
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
    axis->setBasePen(QPen(colour));
    axis->setTickPen(QPen(colour));
    axis->setSubTickPen(QPen(colour));
    axis->grid()->setZeroLinePen(QPen(QColor(120, 120, 120)));
}

}  // namespace

TChVsChForm::TChVsChForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("ChVsChForm");
    setWindowTitle(kXyWindowTitle);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    QMenu* graph = MainMenu->addMenu("&Graph");
    QAction* save = graph->addAction("Save Graph...", this, &TChVsChForm::SaveGraph1Click);
    save->setObjectName("SaveGraph1");
    QAction* data = graph->addAction("Export Data...", this, &TChVsChForm::ExportData1Click);
    data->setObjectName("ExportData1");
    graph->addSeparator();
    QAction* close = graph->addAction("&Close", this, &TChVsChForm::Close1Click);
    close->setObjectName("Close1");

    Chart = new QCustomPlot(this);
    Chart->setObjectName("Chart");
    Chart->plotLayout()->insertRow(0);
    QFont bold = font();
    bold.setBold(true);
    title_ = new QCPTextElement(Chart, QString(), bold);
    Chart->plotLayout()->addElement(0, 0, title_);
    // The equal scale depends on the plot's size, known once it is laid out.
    connect(Chart, &QCustomPlot::afterLayout, this, [this] { KeepEqualScale(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setMenuBar(MainMenu);
    layout->addWidget(Chart, 1);
}

void TChVsChForm::showEvent(QShowEvent* event) {
    // The size of the time graph's window, as the flyer last left it.
    if (!event->spontaneous()) {
        const Settings& s = state_.settings;
        resize(std::max(s.graphWidth, 200), std::max(s.graphHeight, 150));
    }
    QDialog::showEvent(event);
}

TChVsChForm::~TChVsChForm() = default;

QCPCurve* TChVsChForm::Curve(int i) const {
    return i >= 0 && i < static_cast<int>(curves_.size()) ? curves_[static_cast<size_t>(i)]
                                                          : nullptr;
}

void TChVsChForm::SetPlot(XyPlot plot) {
    plot_ = std::move(plot);
    Draw();
}

void TChVsChForm::Draw() {
    Chart->clearPlottables();
    Chart->clearItems();
    curves_.clear();
    circle_ = nullptr;
    QCPAxisRect* rect = Chart->axisRect();
    for (QCPAxis* axis : rect->axes(QCPAxis::atLeft | QCPAxis::atRight))
        if (axis != Chart->yAxis && axis != Chart->yAxis2)
            rect->removeAxis(axis);

    title_->setText(QString::fromStdString("File: " + plot_.fileName));
    const AxisSpan xSpan = ChannelSpan(plot_.x);
    ColourAxis(Chart->xAxis, Qt::black, plot_.x.title);
    Chart->xAxis->setRange(xSpan.min, xSpan.max);
    Chart->yAxis2->setVisible(false);

    const bool scatter = state_.settings.scatterPlotOn;
    // With the circle every scale spans it; the shares of the scales follow.
    radius_ = ReferenceRadius(plot_);
    const bool circle = state_.settings.refCircleOn && radius_ > 0.0;
    const AxisSpan around{-radius_ * kCircleRoom, radius_ * kCircleRoom};
    std::vector<std::pair<double, double>> placed;
    QVector<double> order(static_cast<int>(plot_.time.size()));
    for (int j = 0; j < order.size(); ++j)
        order[j] = j;
    for (size_t i = 0; i < plot_.y.size(); ++i) {
        const XyChannel& y = plot_.y[i];
        // Two Y scales beside the plot, then more outside them, left and right in turn.
        QCPAxis* axis = i == 0   ? Chart->yAxis
                        : i == 1 ? Chart->yAxis2
                                 : rect->addAxis(i % 2 ? QCPAxis::atRight : QCPAxis::atLeft);
        const QColor colour = ToQColor(y.colour);
        ColourAxis(axis, colour, y.title);
        const AxisSpan span = ChannelSpan(y);
        axis->setRange(span.min, span.max);

        // Joined in the order they were recorded, whatever X does (it may turn back). A pair
        // the formula gave no value for is left out.
        auto* curve = new QCPCurve(Chart->xAxis, axis);
        curve->setName(QString::fromStdString(y.title));
        QVector<double> t, xs, ys;
        for (size_t j = 0; j < plot_.time.size(); ++j) {
            const float xv = plot_.x.values[j];
            const float yv = y.values[j];
            if (!std::isfinite(xv) || !std::isfinite(yv))
                continue;
            t.push_back(order[static_cast<int>(j)]);
            xs.push_back(xv);
            ys.push_back(yv);
        }
        curve->setData(t, xs, ys, true);
        curve->setPen(QPen(colour, 1.5));
        if (scatter) {
            curve->setLineStyle(QCPCurve::lsNone);
            curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, 4));
        } else {
            curve->setLineStyle(QCPCurve::lsLine);
            curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        }
        curves_.push_back(curve);
        DrawMarks(axis, y, circle ? around : xSpan, circle ? around : span, placed);
    }

    if (circle) {
        circle_ = new QCPItemEllipse(Chart);
        circle_->topLeft->setCoords(-radius_, radius_);
        circle_->bottomRight->setCoords(radius_, -radius_);
        circle_->setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        circle_->setSelectable(false);
    }
    Chart->replot();
}

void TChVsChForm::DrawMarks(QCPAxis* yAxis, const XyChannel& y, AxisSpan xSpan, AxisSpan ySpan,
                            std::vector<std::pair<double, double>>& placed) {
    // Labels of marks close together on the plot (on any curve) are stacked, and those near the
    // right edge sit left of their mark, so that none covers another or runs off the plot.
    // Places are kept as shares of the scales, which every axis spans alike.
    for (const XyMark& mark : plot_.marks) {
        const auto j = static_cast<size_t>(mark.point);
        if (j >= y.values.size() || !std::isfinite(plot_.x.values[j]) ||
            !std::isfinite(y.values[j]))
            continue;
        const double x = plot_.x.values[j];
        const double v = y.values[j];
        const QColor colour = ToQColor(mark.colour);
        auto* ring = new QCPCurve(Chart->xAxis, yAxis);
        ring->setName(QString::fromStdString(mark.label));
        ring->setLineStyle(QCPCurve::lsNone);
        ring->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(colour, 2), Qt::NoBrush, kMarkSize));
        ring->addData(x, v);
        ring->setSelectable(QCP::stNone);

        const double across = (x - xSpan.min) / (xSpan.max - xSpan.min);
        const double up = (v - ySpan.min) / (ySpan.max - ySpan.min);
        int level = 0;
        for (const auto& [a, u] : placed)
            level += std::abs(a - across) < kNearMarks && std::abs(u - up) < kNearMarks;
        placed.emplace_back(across, up);
        const bool leftOfMark = across > 0.75;
        auto* label = new QCPItemText(Chart);
        label->position->setAxes(Chart->xAxis, yAxis);
        label->position->setCoords(x, v);
        label->setPositionAlignment((leftOfMark ? Qt::AlignRight : Qt::AlignLeft) |
                                    Qt::AlignBottom);
        label->setText(QString::fromStdString(mark.label));
        // Light marker colours are hard to read as text on white.
        label->setColor(colour.lightness() > 100 ? colour.darker(160) : colour);
        const int side = kMarkSize - 2;
        label->setPadding(
            QMargins(leftOfMark ? 0 : side, 0, leftOfMark ? side : 0, side + kLabelStep * level));
        label->setSelectable(false);
    }
}

void TChVsChForm::KeepEqualScale() {
    if (!circle_)
        return;
    QCPAxisRect* rect = Chart->axisRect();
    auto scale = [&] {
        const double w = rect->width();
        const double h = rect->height();
        if (w < 1 || h < 1)
            return;
        const double half = radius_ * kCircleRoom;
        const double hx = w > h ? half * w / h : half;
        const double hy = w > h ? half : half * h / w;
        Chart->xAxis->setRange(-hx, hx);
        for (QCPAxis* axis : rect->axes(QCPAxis::atLeft | QCPAxis::atRight))
            axis->setRange(-hy, hy);
    };
    // The plot was laid out for the ticks of the ranges before: once more for these (the
    // margins follow the tick labels), then the ranges for the plot's final size.
    scale();
    QCPLayoutGrid* layout = Chart->plotLayout();
    layout->update(QCPLayoutElement::upPreparation);
    layout->update(QCPLayoutElement::upMargins);
    layout->update(QCPLayoutElement::upLayout);
    scale();
    rect->update(QCPLayoutElement::upPreparation);
}

bool TChVsChForm::SaveGraph(const std::string& path, int width, int height) {
    const bool saved = SavePlotPicture(*Chart, path, width, height, windowTitle().toStdString());
    if (!saved)
        prompts_.ShowWarning("Unable to save the graph as " + path +
                             " (a picture is saved as .png, .svg, .pdf or .jpg)");
    return saved;
}

void TChVsChForm::SaveGraph1Click() {
    const QString name = QFileDialog::getSaveFileName(
        this, "Save Graph", QString::fromStdString(state_.workingDirectory),
        "Pictures (*.png *.svg *.pdf *.jpg)");
    if (!name.isEmpty())
        SaveGraph(name.toStdString());
}

bool TChVsChForm::ExportData(const std::string& path) {
    if (!SaveXyData(path, plot_)) {
        prompts_.ShowWarning("Unable to write to " + path);
        return false;
    }
    return true;
}

void TChVsChForm::ExportData1Click() {
    const QString name = QFileDialog::getSaveFileName(
        this, "Export Data", QString::fromStdString(state_.workingDirectory),
        "Spreadsheet (*.csv)");
    if (!name.isEmpty())
        ExportData(name.toStdString());
}

void TChVsChForm::Close1Click() {
    accept();
}

}  // namespace orvale
