#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace pellaquin {

// Asks for the title of a MaLa game list. OK takes the edit's text; Cancel keeps the title given.
class CMalaListDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int ID_TITLE = 1053;

    // The dialog with an empty list title, not shown yet.
    explicit CMalaListDlg(QWidget* parent = nullptr);

    // Puts `title` (bytes) into the member and into the edit.
    void SetListTitle(const std::string& title);
    // The title as given, or as the edit held when OK was pressed.
    const std::string& ListTitle() const { return m_listTitle; }

    // Reads the edit into the list title, then closes the dialog as confirmed.
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    std::string m_listTitle;
};

} // namespace pellaquin
