#include "ui/QtFileDialogs.h"

#include <optional>
#include <string>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "ui/FileDialogs.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

// Qt reads a filter's patterns from the parenthesised, blank-separated list at the end of its text, while the
// core's filters carry their patterns apart, ';'-separated; the display text keeps its words, the list is redone.
QString ToNameFilter(const FileFilter& filter) {
    QString description = ToQString(filter.description).trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            description = description.left(open).trimmed();
        }
    }
    QStringList patterns = ToQString(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// A default extension like "csv;txt" names several; only the first one is ever added.
QString DefaultSuffix(const std::string& defaultExtension) {
    return ToQString(defaultExtension).section(QLatin1Char(';'), 0, 0);
}

std::optional<std::string> ShowQtFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(nullptr, ToQString(request.title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (request.kind == FileDialogRequest::Kind::OPEN) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else if (request.kind == FileDialogRequest::Kind::FOLDER) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    QStringList nameFilters;
    for (const FileFilter& filter : request.filters) {
        nameFilters.append(ToNameFilter(filter));
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.first());
    }
    dialog.setDefaultSuffix(DefaultSuffix(request.defaultExtension));
    // The dialog opens in the folder of the file given, else in the home folder, never in whatever folder the
    // program was started from.
    dialog.setDirectory(QDir::homePath());
    if (!request.initialPath.empty()) {
        QFileInfo initial(QFile::decodeName(QByteArray::fromStdString(request.initialPath)));
        if (initial.isDir()) {
            dialog.setDirectory(initial.absoluteFilePath());
        } else {
            if (initial.absoluteDir().exists()) {
                dialog.setDirectory(initial.absolutePath());
            }
            dialog.selectFile(initial.fileName());
        }
    }
    if (RunModal(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(chosen.first()).toStdString();
}

} // namespace

void InstallQtFileDialogs() {
    SetFileDialogHandler(ShowQtFileDialog);
}

} // namespace pellaquin
