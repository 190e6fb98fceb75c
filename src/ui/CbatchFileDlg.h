#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace pellaquin {

// Asks for the batch template, the line written per game with "%ROM%" standing for its ROM name. OK takes the
// edit's text as it is, empty or without a placeholder; Cancel keeps the template given.
class CbatchFileDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int ID_TEMPLATE = 1054;

    // The dialog with an empty template, not shown yet.
    explicit CbatchFileDlg(QWidget* parent = nullptr);

    // Puts `batchTemplate` (bytes) into the member and into the edit.
    void SetBatchTemplate(const std::string& batchTemplate);
    // The template as given, or as the edit held when OK was pressed.
    const std::string& BatchTemplate() const { return m_batchTemplate; }

    // Reads the edit into the template, then closes the dialog as confirmed.
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    std::string m_batchTemplate;
};

} // namespace pellaquin
