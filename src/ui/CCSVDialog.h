#pragma once

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <QDialog>

#include "output/CsvColumns.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace pellaquin {

// The CSV column chooser. Offers a check box per column, greys out those the input format lacks, and on OK turns
// the ticked ones into a column list of keys for that format, in a fixed column order, joined by ",".
class CCSVDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int ID_DELIMITER = 1042;
    // The box of the first value a merge added; the others follow in the order offered.
    static constexpr int ID_FIRST_ADDED = 1070;

    // The dialog for input of `format` (FORMAT_UNKNOWN when none was recognised); column list and delimiter empty.
    explicit CCSVDialog(InputFormat format, QWidget* parent = nullptr);
    // The same for a file whose records are `element`s: machines offer today's keys.
    CCSVDialog(InputFormat format, RecordElement element, QWidget* parent = nullptr);

    // Offers a column per element a merge added to the open file (nplayers, veradded, bestgames...), after the
    // fixed ones: each keys on "<element>" and joins the column list after the fixed columns, in this order.
    void OfferAddedElements(const std::set<std::string>& elements);

    // Puts `delimiter` (bytes) into the member and into the delimiter box.
    void SetDelimiter(const std::string& delimiter);
    // The delimiter as given, or as the delimiter box held when OK was pressed.
    const std::string& Delimiter() const { return m_delimiter; }
    // The keys of the ticked columns joined by "," after OK; empty after Cancel or when no ticked box adds a key.
    const std::string& ColumnList() const { return m_columnList; }

    // Builds the column list from the ticked boxes, reads the delimiter box, then closes the dialog as confirmed.
    void accept() override;

protected:
    // Every showing starts with all boxes unticked and the delimiter member in its box.
    void showEvent(QShowEvent* event) override;

private:
    InputFormat m_format;
    RecordElement m_element;
    std::array<QCheckBox*, CSV_COLUMN_COUNT> m_boxes{};
    QGridLayout* m_boxLayout = nullptr;
    // Each added element's box and its key.
    std::vector<std::pair<QCheckBox*, std::string>> m_addedBoxes;
    QLineEdit* m_delimiterEdit = nullptr;
    std::string m_delimiter;
    std::string m_columnList;
};

} // namespace pellaquin
