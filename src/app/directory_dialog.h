// "Select a Directory": chooses the working directory, where flights and parameter files are
// looked for and written. A name box the flyer may type into, and the folder tree.
#pragma once

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace orvale {

struct AppState;

class TDirDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDirDlg(AppState& state, QWidget* parent = nullptr);

    // The name box's text becomes the working directory, ending with '/'.
    void AcceptDirectory();

    QComboBox* ComboBox1;
    QTreeView* DirectoryListBox1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

public Q_SLOTS:
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFolder(const QString& folder);
    void ListFolderChanged();

    AppState& state_;
    QFileSystemModel* folders_;
    // While true, the current folder is kept in view as the tree fills.
    bool followCurrent_ = true;
};

}  // namespace orvale
