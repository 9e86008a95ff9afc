// "Edit Parameters Dialog": the flyer describes the current flight (notes, site, weather, model,
// motors, weights, calibration file). OK stores the fields and rewrites the flight's parameter
// file; "Save Par File" stores them under a new parameter file name.
#pragma once

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace orvale {

struct AppState;
class Prompts;

class TEditParDlg : public QDialog {
    Q_OBJECT
public:
    TEditParDlg(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    // The entry box of a field, by its ParameterFieldId.
    QLineEdit* Field(int id) const { return fields_[id]; }
    QToolButton* CalFileBtn;
    QPushButton* SavePar;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public Q_SLOTS:
    void OKBtnClick();
    void SaveParClick();
    void CalFileBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows why the first refused field is refused and puts the cursor there; false when there
    // is one.
    bool AllFieldsTaken();
    bool RefuseLeaving(int id);

    AppState& state_;
    Prompts& prompts_;
    // Kept out of this header: the program state it would bring in clashes with Qt's keywords
    // in the generated meta-object code.
    std::vector<QLineEdit*> fields_;
    bool refusing_ = false;
};

}  // namespace orvale
