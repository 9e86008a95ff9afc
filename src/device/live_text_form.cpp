#include "device/live_text_form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/units.h"
#include "device/device_link.h"
#include "device/dial_gauge.h"
#include "device/dial_scale.h"
#include "device/qt_serial_port.h"
#include "widgets/palette_colours.h"
#include "widgets/screen_placement.h"

namespace orvale {

namespace {

constexpr int kTickMs = 20;

const QColor kNowColour(20, 20, 20);
const QColor kMaxColour(200, 40, 40);
const QColor kMinColour(30, 100, 210);
const QColor kThousandsColour(70, 70, 70);

void SetUpGMeter(DialGauge& g, const DialScale& scale) {
    g.SetFace(scale, "g", 8);
    using S = DialGauge::NeedleStyle;
    g.SetNeedle(0, {S::Hand, scale, kNowColour, "Acceleration", "g", 2});
    g.SetNeedle(1, {S::ReadOut, scale, kNowColour, "Reading", "", 0});
    g.SetNeedle(2, {S::Mark, scale, kMaxColour, "Maximum", "g", 2});
    g.SetNeedle(3, {S::Mark, scale, kMinColour, "Minimum", "g", 2});
}

void SetUpAltimeter(DialGauge& a, Units units) {
    // One turn of the long hand is a thousand feet (or metres), one of the short hand ten
    // thousand.
    const DialScale hundreds{0.0f, 10.0f, 0.0f, 360.0f, true};
    const DialScale thousands{0.0f, 100.0f, 0.0f, 360.0f, true};
    const QString unit = NamesOf(units).length;
    a.SetFace(hundreds, "ALT x 100 " + unit, 10);
    using S = DialGauge::NeedleStyle;
    a.SetNeedle(0, {S::Hand, hundreds, kNowColour, "Hundreds", "", 2});
    a.SetNeedle(1, {S::ShortHand, thousands, kThousandsColour, "Altitude / 100", "", 2});
    a.SetNeedle(2, {S::ReadOut, hundreds, kNowColour, "Pressure reading", "", 0});
    a.SetNeedle(3, {S::ReadOut, hundreds, kNowColour, "Altitude", unit, 0});
}

}  // namespace

TLiveTextForm::TLiveTextForm(DeviceLink& link, QWidget* parent)
    : QDialog(parent), link_(link), serial_(dynamic_cast<QtSerialPort*>(&link.port())) {
    setObjectName("LiveTextForm");
    setWindowTitle("Live Data");
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    GMeter = new DialGauge(this);
    GMeter->setObjectName("GMeter");
    GMeter->setToolTip("Current G reading");
    SetUpGMeter(*GMeter, GMeterScale(link_.state().calibration));
    Altimeter = new DialGauge(this);
    Altimeter->setObjectName("Altimeter");
    SetUpAltimeter(*Altimeter, link_.state().settings.units);

    NoDataL = new QLabel(kNoDataNote, this);
    NoDataL->setObjectName("NoDataL");
    NoDataL->setAlignment(Qt::AlignCenter);
    FollowPalette();
    // The note's room is kept while it is hidden, so the window does not jump.
    QSizePolicy keep = NoDataL->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    NoDataL->setSizePolicy(keep);
    NoDataL->hide();

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TLiveTextForm::Timer1Timer);

    auto* gauges = new QHBoxLayout;
    gauges->addWidget(GMeter);
    gauges->addWidget(Altimeter);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gauges);
    layout->addWidget(NoDataL);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLiveTextForm::FollowPalette() {
    // A red that reads on the desktop's background, light or dark.
    QPalette look = NoDataL->palette();
    look.setColor(QPalette::WindowText, WarningTextColour(palette()));
    NoDataL->setPalette(look);
}

void TLiveTextForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        FollowPalette();
}

void TLiveTextForm::Start() {
    StartLiveMonitor(link_, needles_);
    // The g scale follows the calibration in use now.
    SetUpGMeter(*GMeter, GMeterScale(link_.state().calibration));
    // The altimeter reads in the units chosen now.
    SetUpAltimeter(*Altimeter, link_.state().settings.units);
    ShowNeedles();
    NoDataL->hide();
    sinceRecord_.start();
    failure_ = nullptr;
}

void TLiveTextForm::ShowModal() {
    Start();
    exec();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TLiveTextForm::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    Timer1->start();
    QDialog::showEvent(event);
}

void TLiveTextForm::hideEvent(QHideEvent* event) {
    // Only the timer stops: the port stays open and the recorder finishes its block.
    Timer1->stop();
    if (serial_)
        serial_->ReleaseInput();
    QDialog::hideEvent(event);
}

void TLiveTextForm::Timer1Timer() {
    int taken = 0;
    LiveTickResult result = LiveTickResult::PortClosed;
    try {
        // What waited in the system since the last tick comes in at once; a port that failed
        // meanwhile says so at the tick's first look at it.
        if (serial_)
            serial_->ReleaseInput();
        result = LiveMonitorTick(link_, needles_, &taken);
        if (serial_ && serial_->IsOpen())
            serial_->HoldInput();
    } catch (const std::exception&) {
        // The device went away: the window closes and the command reports why.
        failure_ = std::current_exception();
    }
    if (result == LiveTickResult::PortClosed) {
        Timer1->stop();
        reject();
        return;
    }
    if (taken > 0)
        sinceRecord_.restart();
    NoDataL->setVisible(sinceRecord_.elapsed() >= kQuietMs);
    if (result == LiveTickResult::Shown)
        ShowNeedles();
}

void TLiveTextForm::ShowNeedles() {
    for (int id = 0; id < DialGauge::kNeedles; ++id) {
        GMeter->setNeedleID(id);
        GMeter->setNeedleValue(needles_.gMeter[static_cast<size_t>(id)]);
        Altimeter->setNeedleID(id);
        Altimeter->setNeedleValue(needles_.altimeter[static_cast<size_t>(id)]);
    }
}

}  // namespace orvale
