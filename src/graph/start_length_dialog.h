// "Set Start and Length": the part of the flight the graph shows, asked before a graph is drawn
// when the "Ask_Start_Length" setting is on. The values go through the time-window setters,
// which keep the window inside the recorded flight.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvale {

struct AppState;
class Prompts;

class TStartForm : public QDialog {
    Q_OBJECT
public:
    TStartForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    QLabel* StartLabel;
    QLineEdit* StartField;
    QLabel* LengthLabel;
    QLineEdit* LengthField;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

public Q_SLOTS:
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    Prompts& prompts_;
};

}  // namespace orvale
