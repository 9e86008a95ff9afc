#include "widgets/plain_file_icons.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

namespace orvale {

PlainFileIcons::PlainFileIcons()
    : folder_(QApplication::style()->standardIcon(QStyle::SP_DirIcon)),
      file_(QApplication::style()->standardIcon(QStyle::SP_FileIcon)),
      drive_(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon)) {}

PlainFileIcons& PlainFileIcons::Shared() {
    static auto* icons = new PlainFileIcons;
    return *icons;
}

QIcon PlainFileIcons::icon(IconType type) const {
    switch (type) {
        case Folder:
            return folder_;
        case Drive:
        case Computer:
            return drive_;
        default:
            return file_;
    }
}

QIcon PlainFileIcons::icon(const QFileInfo& info) const {
    if (info.isRoot())
        return drive_;
    return info.isDir() ? folder_ : file_;
}

QString PlainFileIcons::type(const QFileInfo& info) const {
    if (info.isDir())
        return QStringLiteral("Folder");
    const QString suffix = info.suffix().toUpper();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix + QStringLiteral(" File");
}

}  // namespace orvale
