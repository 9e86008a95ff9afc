// The program's modal error box, "Error Message": one message line and two fixed-pitch detail
// lines with which the formula compiler points at a bad character. Created once and reused.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvale {

class TErrorBox : public QDialog {
    Q_OBJECT
public:
    explicit TErrorBox(QWidget* parent = nullptr);

    // Shows one report and returns when the flyer presses OK or closes the box. Detail lines
    // are emptied once the box closes, so a plain report that follows shows none.
    void ShowReport(const QString& message, const QString& line2 = {}, const QString& line3 = {});

    QLabel* ErrorMsg;
    QLabel* Line2;
    QLabel* Line3;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace orvale
