#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace pellaquin {

// Chooses the categories to leave out: a box per choice the open file offers. OK takes the ticked ones;
// Cancel keeps those given.
class CCategoriesDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int ID_CHOICES = 1061;

    // The dialog offering `choices` (bytes), not shown yet, none chosen.
    explicit CCategoriesDlg(const std::vector<std::string>& choices, QWidget* parent = nullptr);

    // Ticks the boxes of `chosen`; choices the file does not offer are dropped.
    void SetChosen(const std::vector<std::string>& chosen);
    // The choices as given, or as ticked when OK was pressed, in the order offered.
    const std::vector<std::string>& Chosen() const { return m_chosen; }

    // Reads the ticked boxes into the chosen categories, then closes the dialog as confirmed.
    void accept() override;

private:
    QListWidget* m_list = nullptr;
    std::vector<std::string> m_chosen;
};

} // namespace pellaquin
