// The "Multi-Graph" page of the graph parameters dialog: up to twelve rows, each a flight, the
// channel of its parameter file to draw, a colour and a time offset, and "Align at launch". Every
// change goes at once into the settings, so the last comparison comes back at the next start.
#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace orvale {

struct AppState;
class Prompts;

class TMultiGraphPage : public QWidget {
    Q_OBJECT
public:
    TMultiGraphPage(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    // Fills the table again from the settings (after "Compare selected" chose the flights).
    void FillTable();
    // Adds a row for the flight at path, its first channel whose title names the altitude (or
    // channel 1). False, with the reason shown, when twelve rows are there already.
    bool AddFlight(const std::string& path);

    QTableWidget* MultiGraphTable;
    QPushButton* AddFlightBtn;
    QPushButton* RemoveFlightBtn;
    QCheckBox* AlignChk;

public Q_SLOTS:
    void AddFlightBtnClick();
    void RemoveFlightBtnClick();

private:
    void FillRow(int row);
    void CommitOffset(int row);
    void UpdateButtons();

    AppState& state_;
    Prompts& prompts_;
    bool filling_ = false;
};

}  // namespace orvale
