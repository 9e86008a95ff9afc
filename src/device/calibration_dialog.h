// "Calibrate Tavix": every calibration value in its own field, the four reading steps and the
// whole calibration in one go. Reading steps change the calibration at once; OK also stores the
// fields as edited, Cancel reads the calibration file again.
#pragma once

#include <QDialog>
#include <array>

#include "device/calibration_steps.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvale {

struct AppState;
class DeviceLink;
class Prompts;

class TCalDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFields = 17;

    TCalDlg(DeviceLink& link, Prompts& prompts, QWidget* parent = nullptr);

    // In the calibration file's order: ActAltE, ActBPE, AvgBPE, StdBPE, OffBPE, GainBPE,
    // AvgM1GE, StdM1GE, Fid0E, Avg0GE, Std0GE, Fid1E, AvgP1GE, Std1GE, SlopeE, Y0E, CCoffE.
    std::array<QLineEdit*, kFields> Fields{};
    QLineEdit* Field(const char* name) const;
    QLineEdit* CalFileE;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    QPushButton* BitBtn1;
    QPushButton* ReadBP;
    QPushButton* ReadM1gBtn;
    QPushButton* Read0GBtn;
    QPushButton* ReadP1GBtn;

public Q_SLOTS:
    void OKBtnClick();
    void BitBtn1Click();
    void ReadClick(CalibrationReading step);

protected:
    void showEvent(QShowEvent* event) override;
    // Cancel, Escape and the close box: the calibration file is read again. While a reading
    // runs they cancel the reading instead and the dialog stays.
    void reject() override;

private:
    void ShowField(int index);
    void ShowStep(CalibrationReading step);
    void SetButtonsEnabled(bool on);

    AppState& state_;
    DeviceLink& link_;
    Prompts& prompts_;
    // What each field showed last and the exact value behind it: a field left as shown keeps
    // the value's full precision on OK instead of its four decimals.
    std::array<QString, kFields> shownText_;
    std::array<float, kFields> shownValue_{};
};

}  // namespace orvale
