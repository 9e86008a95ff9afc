// Icons and type names for the folder tree and the file dialogs without asking the system.
//
// Qt's own provider looks each entry up in the MIME database and the icon theme, which costs
// seconds the first time a folder is listed; the flyer gains nothing from it here. A folder is a
// folder, a file is named by its extension ("DAT File").
#pragma once

#include <QAbstractFileIconProvider>
#include <QIcon>

namespace orvale {

class PlainFileIcons : public QAbstractFileIconProvider {
public:
    PlainFileIcons();

    // One for the whole program, made on first use (after the application object) and kept to
    // the end: models and dialogs that use it may outlive any one window.
    static PlainFileIcons& Shared();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QIcon folder_;
    QIcon file_;
    QIcon drive_;
};

}  // namespace orvale
