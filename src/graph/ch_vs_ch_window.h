// "Channel vs Channel": each Y channel drawn against the X channel, with no time axis. The
// points are joined in time order (or drawn alone as a scatter plot); the apogee and the events
// are marked where the flight was at their time; a reference circle can be drawn around 0,0.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "graph/xy_plot.h"

class QCPAxis;
class QCPCurve;
class QCPItemEllipse;
class QCPTextElement;
class QCustomPlot;
class QMenuBar;

namespace orvale {

struct AppState;
class Prompts;

class TChVsChForm : public QDialog {
    Q_OBJECT
public:
    TChVsChForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~TChVsChForm() override;

    // Draws plot with the settings as they are now ("Scatter_Plot_On", "Ref_Circle_On").
    void SetPlot(XyPlot plot);
    const XyPlot& Plot() const { return plot_; }

    // "Save Graph...": PNG, SVG, PDF or JPEG by the name's extension, at the plot's size or the
    // size given. False, with the reason shown, when it cannot be written.
    bool SaveGraph(const std::string& path, int width = 0, int height = 0);
    // "Export Data...": the pairs as CSV. False, with the reason shown, when it cannot be written.
    bool ExportData(const std::string& path);

    QMenuBar* MainMenu;
    QCustomPlot* Chart;

    // The curve of Y channel i (for tests and pictures), and the reference circle when drawn.
    QCPCurve* Curve(int i) const;
    QCPItemEllipse* ReferenceCircle() const { return circle_; }

public Q_SLOTS:
    void SaveGraph1Click();
    void ExportData1Click();
    void Close1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Draw();
    void DrawMarks(QCPAxis* yAxis, const XyChannel& y, AxisSpan xSpan, AxisSpan ySpan,
                   std::vector<std::pair<double, double>>& placed);
    // With the reference circle the axes share one scale: the shorter side of the plot holds
    // the circle and the longer one is widened to the same units per pixel.
    void KeepEqualScale();

    AppState& state_;
    Prompts& prompts_;
    XyPlot plot_;
    QCPTextElement* title_;
    std::vector<QCPCurve*> curves_;
    QCPItemEllipse* circle_ = nullptr;
    double radius_ = 0.0;
};

}  // namespace orvale
