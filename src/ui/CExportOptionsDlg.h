#pragma once

#include <string>
#include <utility>
#include <vector>

#include <QDialog>

#include "output/ExportOptions.h"
#include "output/ListRequest.h"

class QCheckBox;
class QLineEdit;

namespace pellaquin {

// The options of one list for today's front-ends and ROM managers: a row for each option that list uses,
// filled from the options given. OK takes the rows' texts; Cancel keeps the options given.
class CExportOptionsDlg : public QDialog {
    Q_OBJECT

public:
    // The rows' ids are their options' (ExportOptionInfo::controlId); the folder row's "Browse" has its own.
    static constexpr int ID_ROM_FOLDER_BROWSE = 1431;

    // The dialog for the list `type`, with the default options, not shown yet.
    explicit CExportOptionsDlg(ListType type, QWidget* parent = nullptr);

    // Puts `options` into the member and into the rows.
    void SetOptions(const ExportOptions& options);
    // The options as given, changed by the rows' texts when OK was pressed.
    const ExportOptions& Options() const { return m_options; }

    // Reads the rows into the options, then closes the dialog as confirmed.
    void accept() override;

private:
    void BrowseForRomFolder(QLineEdit& edit);
    // The options as the rows show them.
    ExportOptions Shown() const;
    // Enables OK for options the list can be written with, else says why not.
    void JudgeOptions();

    ListType m_type;
    ExportOptions m_options;
    // Each row's edit or box and the option it holds.
    std::vector<std::pair<QLineEdit*, std::string ExportOptions::*>> m_rows;
    std::vector<std::pair<QCheckBox*, bool ExportOptions::*>> m_boxes;
};

} // namespace pellaquin
