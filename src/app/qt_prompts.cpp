#include "app/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

#include "app/error_box.h"
#include "app/summary_dialog.h"
#include "widgets/plain_file_icons.h"

namespace orvale {

namespace {

// Wide enough for a long flight name with its size, type and date columns uncut.
const QSize kFileDialogSize(900, 500);
const int kColumnWidths[] = {360, 90, 110, 170};  // name, size, type, date

}  // namespace

QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QString("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters;
}

QtPrompts::QtPrompts() = default;
QtPrompts::~QtPrompts() = default;

void QtPrompts::Attach(QWidget* window, TErrorBox* errorBox, TShowDtaDlg* summary) {
    window_ = window;
    errorBox_ = errorBox;
    summary_ = summary;
}

QWidget* QtPrompts::Owner() const {
    // A message raised from inside a dialog (the parameter editor, Set Start and Length,
    // Configure Port) belongs over that dialog, where the flyer is looking, not over the main
    // window behind it.
    if (QWidget* dialog = QApplication::activeModalWidget())
        return dialog;
    return window_;
}

TErrorBox& QtPrompts::ErrorBox() {
    if (errorBox_)
        return *errorBox_;
    if (!ownErrorBox_)
        ownErrorBox_ = std::make_unique<TErrorBox>();
    return *ownErrorBox_;
}

TShowDtaDlg& QtPrompts::SummaryDialog() {
    if (summary_)
        return *summary_;
    if (!ownSummary_)
        ownSummary_ = std::make_unique<TShowDtaDlg>();
    return *ownSummary_;
}

void QtPrompts::ShowErrorBox(const std::string& message, const std::string& line2,
                             const std::string& line3) {
    ErrorBox().ShowReport(QString::fromStdString(message), QString::fromStdString(line2),
                          QString::fromStdString(line3));
}

void QtPrompts::ShowSummaryDialog(AppState& state) {
    SummaryDialog().ShowModal(state);
}

void QtPrompts::ShowWarning(const std::string& text) {
    QMessageBox::warning(Owner(), kApplicationTitle, QString::fromStdString(text));
}

bool QtPrompts::ConfirmWarning(const std::string& text) {
    return QMessageBox::warning(Owner(), kApplicationTitle, QString::fromStdString(text),
                                QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtPrompts::ConfirmDestructive(const std::string& text) {
    return QMessageBox::warning(Owner(), kApplicationTitle, QString::fromStdString(text),
                                QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtPrompts::ConfirmInformation(const std::string& text) {
    return QMessageBox::information(Owner(), kApplicationTitle, QString::fromStdString(text),
                                    QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Ok) == QMessageBox::Ok;
}

void QtPrompts::ShowInformation(const std::string& text) {
    QMessageBox::information(Owner(), kApplicationTitle, QString::fromStdString(text));
}

std::optional<std::string> QtPrompts::AskOpenFileName(const FileDialogRequest& request) {
    return AskFileName(request, false);
}

std::optional<std::string> QtPrompts::AskSaveFileName(const FileDialogRequest& request) {
    return AskFileName(request, true);
}

std::optional<std::string> QtPrompts::AskFileName(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(Owner(), QString::fromStdString(request.title),
                       QString::fromStdString(request.initialDirectory));
    dialog.setObjectName(save ? "SaveDialog" : "OpenDialog");
    // Qt's own dialog on every desktop: the same look everywhere, and the recorder's upper-case
    // ".DAT" files match the "*.dat" filter.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The dialog would check only the spelling it saw, with the extension it added, while the
    // program writes a flight's pair in the spelling found on disk: the program asks, once.
    if (save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(save             ? QFileDialog::AnyFile
                       : request.folder ? QFileDialog::Directory
                                        : QFileDialog::ExistingFile);
    if (request.folder)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    const QStringList filters = NameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    // Flights are told apart by name, size and date: list all three, wide enough to read whole.
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setIconProvider(&PlainFileIcons::Shared());
    dialog.resize(dialog.sizeHint().expandedTo(kFileDialogSize));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        for (int column = 0; column < 4; ++column)
            list->header()->resizeSection(column, kColumnWidths[column]);
    }
    const QString proposal = QString::fromStdString(request.proposedName);
    // A wildcard proposal ("*.dat") says no more than the filter does.
    if (!proposal.isEmpty() && !proposal.contains('*'))
        dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace orvale
