#include "platform/file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <QWidget>

namespace {

std::function<FileOpenResult(const FileOpenRequest&)> fileDialogHook;

// "*.*" means every file here; other patterns match in any letter case
// ("*.nes" takes GAME.NES too), which Qt's filter does not do by itself.
QString QtPattern(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  QString result;
  for (QChar c : QString::fromStdString(pattern)) {
    if (c.isLetter())
      result += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
    else
      result += c;
  }
  return result;
}

QStringList QtFilters(const std::vector<FileFilter>& filters) {
  QStringList list;
  for (const FileFilter& filter : filters) {
    // The text before the pattern list is what the user reads.
    QString name = QString::fromStdString(filter.name);
    const qsizetype open = name.lastIndexOf('(');
    if (open > 0) name = name.left(open).trimmed();
    list << QString("%1 (%2)").arg(name, QtPattern(filter.pattern));
  }
  return list;
}

}  // namespace

FileOpenResult OpenFileDialog(WindowHandle owner, const FileOpenRequest& request) {
  if (fileDialogHook) return fileDialogHook(request);
  QFileDialog dialog(static_cast<QWidget*>(owner), QString::fromStdString(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(request.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setNameFilters(QtFilters(request.filters));
  if (!request.initialPath.empty()) dialog.selectFile(QString::fromStdString(request.initialPath));
  FileOpenResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  result.chosen = true;
  result.path = dialog.selectedFiles().first().toStdString();
  return result;
}

void SetFileDialogHook(std::function<FileOpenResult(const FileOpenRequest&)> hook) {
  fileDialogHook = std::move(hook);
}
