#include "app/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pictures.h"

namespace orvale {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About Orvale");

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(2);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(orvale::ProgramIcon(64));
    ProgramIcon->setFixedSize(64, 64);

    Version = new QLabel(panel);
    Version->setObjectName("Version");
    QFont bold = Version->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    Version->setFont(bold);

    auto* maker = new QLabel(
        "Flight data for the Tavix flight recorder:\n"
        "capture, summary, graphs and calibration.\n\n"
        "Vantrel\n"
        "Made for model-rocket flyers.",
        panel);
    maker->setObjectName("Comments");

    auto* grid = new QGridLayout(panel);
    grid->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(Version, 0, 1);
    grid->addWidget(maker, 1, 1);
    grid->setHorizontalSpacing(16);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::ShowVersion(const QString& programTitle) {
    Version->setText(programTitle);
    OKButton->setFocus();
    exec();
}

}  // namespace orvale
