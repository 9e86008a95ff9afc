// How long "Select a Directory" takes to show the working directory in its tree: the dialog is
// made as start-up makes it, shown, and the clock stops once the current folder's row is laid
// out in the tree's view. Run offscreen: orvale_directory_dialog [FOLDER] [RUNS].
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QTreeView>
#include <cstdio>

#include "app/directory_dialog.h"
#include "core/app_state.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString(argv[1]) : QDir::currentPath();
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    for (int run = 0; run < runs; ++run) {
        orvale::AppState state;
        state.workingDirectory = QDir(folder).absolutePath().toStdString() + "/";
        QElapsedTimer clock;
        clock.start();
        orvale::TDirDlg dialog(state);
        const qint64 made = clock.nsecsElapsed();
        dialog.show();
        auto* tree = dialog.DirectoryListBox1;
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        // Shown: the folders beside the current one are listed (the model's thread has loaded
        // its parent) and the current folder's row is in view.
        const QString parent = QFileInfo(QDir(folder).absolutePath()).path();
        bool parentLoaded = false;
        QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& path) {
            if (QDir(path) == QDir(parent))
                parentLoaded = true;
        });
        bool shown = false;
        while (!shown && clock.elapsed() < 20000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            const QModelIndex current = tree->currentIndex();
            const QRect row = tree->visualRect(current);
            shown = parentLoaded && current.isValid() && row.isValid() &&
                    tree->viewport()->rect().contains(row);
        }
        std::printf("run %d: made in %.1f ms, current folder shown after %.1f ms%s\n", run + 1,
                    made / 1e6, clock.nsecsElapsed() / 1e6, shown ? "" : " (never shown)");
    }
    return 0;
}
