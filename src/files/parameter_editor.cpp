#include "files/parameter_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/prompts.h"
#include "core/text_format.h"
#include "files/data_files.h"
#include "files/parameter_fields.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"
#include "widgets/command_guard.h"
#include "widgets/screen_placement.h"

namespace orvale {

namespace {

// Where each field sits: row, first column, columns spanned by the box. Short fields share a
// row; names and notes get the whole width.
struct Place {
    int row;
    int column;
    int span;
};
constexpr std::array<Place, kParameterFieldCount> kPlaces{{
    {0, 0, 5},  // data file
    {1, 0, 5},  // notes
    {2, 0, 5},  // location
    {3, 0, 1},  // launch elevation
    {3, 2, 1},  // launch date
    {3, 4, 1},  // launch time
    {4, 0, 5},  // weather
    {5, 0, 3},  // model name
    {5, 4, 1},  // number of stages
    {6, 0, 5},  // motors
    {7, 0, 1},  // launch weight
    {7, 2, 1},  // recovered weight
    {7, 4, 1},  // expected altitude
    {8, 0, 5},  // calibration file
}};

QValidator* DigitsOnly(const ParameterField& field, QObject* parent) {
    const QString sign = field.min < 0 ? "[-+]?" : "\\+?";
    return new QRegularExpressionValidator(QRegularExpression("\\s*" + sign + "\\d*\\s*"), parent);
}

ParameterTexts Texts(const std::vector<QLineEdit*>& fields) {
    ParameterTexts texts;
    for (int id = 0; id < kParameterFieldCount; ++id)
        texts[id] = fields[id]->text().toStdString();
    return texts;
}

}  // namespace

TEditParDlg::TEditParDlg(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), fields_(kParameterFieldCount) {
    setObjectName("EditParDlg");
    setWindowTitle("Edit Parameters Dialog");

    // Each place is a label column followed by the box's columns.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int id = 0; id < kParameterFieldCount; ++id) {
        const ParameterField& field = kParameterFields[id];
        const Place& place = kPlaces[id];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(field.control);
        edit->setToolTip(field.hint);
        edit->setStatusTip(field.hint);
        if (field.maxLength > 0)
            edit->setMaxLength(field.maxLength);
        // Short boxes are as wide as what they take, so a date or a number shows whole.
        if (place.span == 1)
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance('0') *
                                      (std::min(field.maxLength, 12) + 1) +
                                  12);
        if (field.kind == FieldKind::Display)
            edit->setReadOnly(true);
        if (field.kind == FieldKind::WholeNumber) {
            edit->setValidator(DigitsOnly(field, edit));
            edit->setAlignment(Qt::AlignRight);
            edit->installEventFilter(this);
        }
        fields_[id] = edit;
        auto* label = new QLabel(field.label, this);
        label->setBuddy(edit);
        grid->addWidget(label, place.row, place.column * 2, Qt::AlignRight);
        QWidget* box = edit;
        if (id == kCalibrationFileField) {
            box = new QWidget(this);
            auto* row = new QHBoxLayout(box);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(edit, 1);
            CalFileBtn = new QToolButton(box);
            CalFileBtn->setObjectName("CalFileBtn");
            CalFileBtn->setText("...");
            CalFileBtn->setToolTip(field.hint);
            row->addWidget(CalFileBtn);
        }
        grid->addWidget(box, place.row, place.column * 2 + 1, 1, place.span * 2 - 1);
    }
    fields_[kCalibrationFileField]->installEventFilter(this);
    connect(CalFileBtn, &QToolButton::clicked, this, &TEditParDlg::CalFileBtnClick);

    SavePar = new QPushButton("Save Par File", this);
    SavePar->setObjectName("SavePar");
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    connect(SavePar, &QPushButton::clicked, this, &TEditParDlg::SaveParClick);
    connect(OKBtn, &QPushButton::clicked, this, &TEditParDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SavePar);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // A fixed border: the fields have room for their longest texts.
    setFixedSize(std::max(560, minimumSizeHint().width()), sizeHint().height());
}

void TEditParDlg::showEvent(QShowEvent* event) {
    // Refilled on every showing, so edits abandoned with Cancel do not come back.
    const ParameterTexts texts = ParameterFieldTexts(state_);
    for (int id = 0; id < kParameterFieldCount; ++id)
        fields_[id]->setText(QString::fromStdString(texts[id]));
    fields_[kDataFileField]->setCursorPosition(0);
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    OKBtn->setFocus();
}

bool TEditParDlg::AllFieldsTaken() {
    const auto refused = FirstRefusedField(Texts(fields_));
    if (!refused)
        return true;
    RefuseLeaving(*refused);
    return false;
}

bool TEditParDlg::RefuseLeaving(int id) {
    const auto refusal = ParameterFieldRefusal(id, fields_[id]->text().toStdString());
    if (!refusal)
        return false;
    // The box opening the warning takes the focus away again; that must not warn twice.
    refusing_ = true;
    prompts_.ShowWarning(*refusal);
    refusing_ = false;
    fields_[id]->setFocus(Qt::OtherFocusReason);
    fields_[id]->selectAll();
    return true;
}

void TEditParDlg::OKBtnClick() {
    if (!AllFieldsTaken())
        return;
    // A parameter file that cannot be written keeps the dialog open with the edits in it.
    const bool written = RunCommand(prompts_, [&] {
        StoreEditedParameters(state_, Texts(fields_));
        WriteParameterFile(state_);
    });
    if (written)
        accept();
}

void TEditParDlg::SaveParClick() {
    if (!AllFieldsTaken())
        return;
    RunCommand(prompts_, [&] {
        StoreEditedParameters(state_, Texts(fields_));
        SaveParameterFileAs(state_, prompts_);
    });
}

void TEditParDlg::CalFileBtnClick() {
    RunCommand(prompts_, [&] {
        FileDialogRequest request;
        request.title = "Select Calibration File";
        request.filter = "Calibration files|*.cal";
        request.defaultExtension = "cal";
        const std::string& current = state_.flight.calibrationFile;
        const std::string folder = DirectoryPart(current);
        request.initialDirectory = folder.empty() ? state_.workingDirectory : folder;
        request.proposedName = current;
        const auto chosen = prompts_.AskOpenFileName(request);
        if (!chosen)
            return;
        // Stored at once: even Cancel keeps the calibration file chosen here.
        state_.flight.calibrationFile = CutText(*chosen, kPathLimit);
        fields_[kCalibrationFileField]->setText(
            QString::fromStdString(state_.flight.calibrationFile));
    });
}

bool TEditParDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == fields_[kCalibrationFileField] && event->type() == QEvent::MouseButtonDblClick) {
        CalFileBtnClick();
        return true;
    }
    if (edit && event->type() == QEvent::FocusIn) {
        // Whole-number boxes select their contents on entry, after the click has placed the
        // cursor.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    if (edit && event->type() == QEvent::FocusOut && !refusing_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving for the warning box or another window is not leaving the box.
        const bool toOtherWindow =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        // The buttons check every box themselves, and Cancel throws the edits away.
        QWidget* next = QApplication::focusWidget();
        const bool toButton = next == CancelBtn || next == OKBtn || next == SavePar;
        if (!toOtherWindow && !toButton) {
            for (int id = 0; id < kParameterFieldCount; ++id)
                if (fields_[id] == edit && RefuseLeaving(id))
                    return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvale
