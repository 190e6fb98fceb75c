#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace pellaquin {

// Asks for the text a description search looks for. OK takes the edit's text; Cancel keeps the text given.
class CSearchDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int ID_TEXT = 1051;

    // The dialog with an empty search text, not shown yet.
    explicit CSearchDlg(QWidget* parent = nullptr);

    // Puts `text` (bytes) into the member and into the edit.
    void SetSearchText(const std::string& text);
    // The text as given, or as the edit held when OK was pressed.
    const std::string& SearchText() const { return m_searchText; }

    // Reads the edit into the search text, then closes the dialog as confirmed.
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    std::string m_searchText;
};

} // namespace pellaquin
