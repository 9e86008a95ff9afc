// "About Orvale": the program's icon, its title and version, and who makes it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvale {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the box with the given title on its version line until OK.
    void ShowVersion(const QString& programTitle);

    QLabel* ProgramIcon;
    QLabel* Version;
    QPushButton* OKButton;
};

}  // namespace orvale
