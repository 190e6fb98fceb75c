#include "ui/CCSVDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "output/CsvColumns.h"
#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

// Each column's box: its id, caption and place on the chooser's grid, in column-list order.
struct ColumnBox {
    CsvColumn column;
    int id;
    const char* caption;
    int screenColumn;
    int screenRow;
};

constexpr ColumnBox BOXES[CSV_COLUMN_COUNT] = {
    {CsvColumn::DESCRIPTION, 1040, "Description", 0, 0},
    {CsvColumn::ROM_NAME, 1041, "ROM Name", 0, 1},
    {CsvColumn::YEAR, 1034, "Year", 1, 0},
    {CsvColumn::MANUFACTURER, 1036, "Manufacturer", 1, 1},
    {CsvColumn::BUTTONS, 1038, "# of Buttons", 0, 2},
    {CsvColumn::CONTROLS, 1037, "Controls", 0, 3},
    {CsvColumn::VIDEO_WIDTH, 1043, "Video Width", 1, 2},
    {CsvColumn::VIDEO_HEIGHT, 1044, "Video Height", 1, 3},
    {CsvColumn::ORIENTATION, 1039, "Orientation", 1, 4},
    {CsvColumn::DISPLAY_TYPE, 1045, "Display Type", 1, 5},
    {CsvColumn::EMULATION_STATUS, 1046, "Emulation Status", 1, 6},
    {CsvColumn::CATEGORY, 1053, "Category", 0, 10},
    {CsvColumn::TILT, 1048, "Tilt", 0, 5},
    {CsvColumn::ALTERNATING, 1049, "Alternating", 0, 6},
    {CsvColumn::PLAYERS, 1050, "# Players", 0, 7},
    {CsvColumn::USES_SERVICE, 1051, "Uses Service", 0, 8},
    {CsvColumn::MIRRORED, 1052, "Mirrored", 0, 9},
    {CsvColumn::COCKTAIL, 1047, "Cocktail", 0, 4},
};

// Where the delimiter row sits in the right-hand column of boxes, a row's space below its last box.
constexpr int DELIMITER_ROW = 8;
// Where the boxes of added elements start, two to a row, below the fixed ones.
constexpr int FIRST_ADDED_ROW = 11;

} // namespace

CCSVDialog::CCSVDialog(InputFormat format, QWidget* parent) : CCSVDialog(format, RecordElement::GAME, parent) {}

CCSVDialog::CCSVDialog(InputFormat format, RecordElement element, QWidget* parent)
    : QDialog(parent), m_format(format), m_element(element) {
    auto* boxes = new QGridLayout;
    m_boxLayout = boxes;
    for (std::size_t i = 0; i < CSV_COLUMN_COUNT; ++i) {
        const ColumnBox& column = BOXES[i];
        auto* box = new QCheckBox(ToQString(column.caption), this);
        box->setObjectName(QString::number(column.id));
        box->setEnabled(CsvColumnKey(column.column, m_format, m_element).has_value());
        boxes->addWidget(box, column.screenRow, column.screenColumn, Qt::AlignLeft);
        m_boxes[i] = box;
    }
    m_delimiterEdit = MakeEdit(this, ID_DELIMITER);
    m_delimiterEdit->setMaximumWidth(6 * fontMetrics().averageCharWidth());
    auto* delimiterRow = new QHBoxLayout;
    delimiterRow->addWidget(MakeStaticText(this, "Output Delimiter:"));
    delimiterRow->addWidget(m_delimiterEdit);
    delimiterRow->addStretch();
    boxes->addLayout(delimiterRow, DELIMITER_ROW, 1);

    auto* choices = new QVBoxLayout;
    choices->addWidget(MakeStaticText(this, "Select the criteria you'd like to gather."));
    choices->addLayout(boxes);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices, 1);
    layout->addLayout(MakeOkCancelColumn(*this));
}

void CCSVDialog::OfferAddedElements(const std::set<std::string>& elements) {
    for (const std::string& element : elements) {
        auto at = static_cast<int>(m_addedBoxes.size());
        auto* box = new QCheckBox(ToQString(element), this);
        box->setObjectName(QString::number(ID_FIRST_ADDED + at));
        m_boxLayout->addWidget(box, FIRST_ADDED_ROW + at / 2, at % 2, Qt::AlignLeft);
        m_addedBoxes.emplace_back(box, "<" + element + ">");
    }
}

void CCSVDialog::SetDelimiter(const std::string& delimiter) {
    m_delimiter = delimiter;
    m_delimiterEdit->setText(ToQString(m_delimiter));
}

void CCSVDialog::accept() {
    std::vector<CsvColumn> ticked;
    for (std::size_t i = 0; i < CSV_COLUMN_COUNT; ++i) {
        if (m_boxes[i]->isChecked()) {
            ticked.push_back(BOXES[i].column);
        }
    }
    m_columnList = ComposeColumnList(ticked, m_format, m_element);
    for (const auto& [box, key] : m_addedBoxes) {
        if (box->isChecked()) {
            m_columnList.append(m_columnList.empty() ? "" : ",").append(key);
        }
    }
    m_delimiter = ToBytes(m_delimiterEdit->text());
    QDialog::accept();
}

void CCSVDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        for (QCheckBox* box : m_boxes) {
            box->setChecked(false);
        }
        for (const auto& added : m_addedBoxes) {
            added.first->setChecked(false);
        }
        m_delimiterEdit->setText(ToQString(m_delimiter));
    }
    QDialog::showEvent(event);
}

} // namespace pellaquin
