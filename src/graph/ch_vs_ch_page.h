// The "Channel vs Channel" page of "Graph Parameters": the X channel, the Y channels to draw
// against it, the part of the flight to take them from, and how the plot is drawn (scatter plot,
// reference circle). "Draw Graph" on this page shows the plot over the dialog.
#pragma once

#include <QWidget>

#include "graph/xy_plot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace orvale {

struct AppState;
class Prompts;
class TChVsChForm;

class TChVsChPage : public QWidget {
    Q_OBJECT
public:
    TChVsChPage(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~TChVsChPage() override;

    // What the page asks for now: the X slot, the ticked Y slots in slot order, the window.
    XyChoice Choice() const;

    // Computes the plot and shows it modally; a field still being typed in is taken first.
    // Nothing to draw is told and shows nothing.
    void Draw();

    QComboBox* XChannelCombo;
    QListWidget* YChannelList;
    QLabel* StartTimeLabel;
    QLineEdit* StartE;
    QLabel* LengthLabel;
    QLineEdit* LengthE;
    QCheckBox* ScatterChk;
    QCheckBox* RefCircleChk;
    TChVsChForm* ChVsChForm;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillChannels();
    // Takes the flight's window when the flight or its window changed since it was last taken.
    void TakeFlightWindow();
    void LeaveStart();
    void LeaveLength();

    AppState& state_;
    Prompts& prompts_;
    XyWindow window_;
    // The flight's window the page's was last taken from: a new flight or window starts it again.
    std::string takenFile_;
    XyWindow takenWindow_{-1.0, -1.0};
};

}  // namespace orvale
