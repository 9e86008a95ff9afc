// "Flights": the logbook of the working directory and any folder the flyer adds, one row per
// flight, sortable by any column. A double-click (or Open) opens the flight as Load Data file
// does; "Compare selected" lays the selected flights over one another.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace orvale {

struct AppState;
class Prompts;

class TFlightsForm : public QDialog {
    Q_OBJECT
public:
    TFlightsForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    // Reads the flights of the working directory and of the added folders again.
    void Refresh();
    // Adds a folder to the ones listed (kept while the program runs) and lists it.
    void AddFolder(const std::string& folder);
    // The flight chosen to be opened when the window closed with it; cleared on each show.
    const std::optional<std::string>& Chosen() const { return chosen_; }
    // The flights chosen to be compared (at most twelve, in the table's order) when the window
    // closed with "Compare selected"; cleared on each show.
    const std::vector<std::string>& Compared() const { return compared_; }

    QLabel* FoldersLabel;
    QTableWidget* FlightsTable;
    QLabel* ProblemsLabel;
    QPushButton* AddFolderBtn;
    QPushButton* OpenBtn;
    QPushButton* CompareBtn;
    QPushButton* CloseBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddFolderClick();
    void OpenRow(int row);
    void CompareSelected();
    std::vector<std::string> Folders() const;

    AppState& state_;
    Prompts& prompts_;
    std::vector<std::string> added_;
    std::optional<std::string> chosen_;
    std::vector<std::string> compared_;
};

}  // namespace orvale
