// "Graph Parameters": the flyer picks the channels to graph and how each is drawn (title, range,
// filter, formula, colour), the part of the flight to show, and whether the channels share one
// plot area. Cell edits and the start and length take effect at once; the buttons save the
// channel table to the parameter file.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace orvale {

struct AppState;
class Prompts;
class GraphSelection;
class TMultiGraphPage;
class TChVsChPage;

class TGraphDlg : public QDialog {
    Q_OBJECT
public:
    TGraphDlg(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~TGraphDlg() override;

    // "Overlap all Channels": on at start and kept, as the flyer leaves it, for the whole run.
    bool OverlapAllChannels() const;

    // Shows the graph window over this dialog; the dialog stays open under it. Until it is set,
    // "Draw Graph" only saves the channel table.
    void SetDrawGraphHook(std::function<void()> hook) { drawGraph_ = std::move(hook); }
    // What "Draw Graph" does on the Multi-Graph page: the flights laid over one another.
    void SetDrawMultiGraphHook(std::function<void()> hook) { drawMultiGraph_ = std::move(hook); }

    QTabWidget* PageControl;
    TMultiGraphPage* MultiGraphPage;
    QCheckBox* OverlapChk;
    QLabel* StartTimeLabel;
    QLineEdit* StartE;
    QLabel* LengthLabel;
    QLineEdit* LengthE;
    QTableWidget* GraphTable;
    QPushButton* OKBtn;
    QPushButton* DrawGrBtn;
    QPushButton* SaveParBtn;
    TChVsChPage* ChVsChPage;

    // Used by the table's cell editors.
    bool CommitCell(int row, int column, const QString& text);
    void CommitChoice(int row, int column, int choice);
    void ToggleSelect(int row);

public Q_SLOTS:
    void OKBtnClick();
    void DrawGrBtnClick();
    void SaveParBtnClick();
    // Escape or the close box.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillTable();
    void FillRow(int row);
    void ShowWindow();
    void LeaveStart();
    void LeaveLength();
    // What every button does first: the edit in progress ends (kept) and the working "selected"
    // flags go into the channels.
    void EndEdits();
    // The editor of the cell being edited, if any.
    QWidget* OpenEditor() const;

    AppState& state_;
    Prompts& prompts_;
    std::unique_ptr<GraphSelection> selection_;
    std::function<void()> drawGraph_;
    std::function<void()> drawMultiGraph_;
    bool closing_ = false;
};

}  // namespace orvale
