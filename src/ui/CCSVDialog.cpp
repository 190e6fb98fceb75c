#include "ui/CCSVDialog.h"

#include <string_view>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "records/TagVocabulary.h"
#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

// What a column gives for one input format.
struct ColumnKey {
    enum class Kind { KEY, GAME_START_TAG, DISABLED };
    Kind kind;
    std::string_view key; // for KEY; empty when the box is offered but adds nothing
};

constexpr ColumnKey Key(std::string_view key) {
    return {ColumnKey::Kind::KEY, key};
}
constexpr ColumnKey NOTHING{ColumnKey::Kind::KEY, {}};
constexpr ColumnKey START_TAG{ColumnKey::Kind::GAME_START_TAG, {}};
constexpr ColumnKey DISABLED{ColumnKey::Kind::DISABLED, {}};
// Every format's column takes the listxml description tag, even controls.xml, whose records lack it.
constexpr ColumnKey DESCRIPTION_TAG = Key("<description>");

struct Column {
    int id;
    std::string_view caption;
    int screenColumn;
    int screenRow;
    // Indexed by input format + 1: unknown, listxml, controls.xml, merged; then listxml and merged
    // files of machines, whose records carry today's attributes.
    std::array<ColumnKey, 6> keys;
};

// In column-list order, which is not the order on screen.
// clang-format off
constexpr std::array<Column, CCSVDialog::COLUMN_COUNT> COLUMNS = {{
    {1040, "Description", 0, 0,
     {DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG}},
    {1041, "ROM Name", 0, 1, {START_TAG, START_TAG, START_TAG, START_TAG, START_TAG, START_TAG}},
    {1034, "Year", 1, 0, {NOTHING, Key("year"), DISABLED, Key("year"), Key("year"), Key("year")}},
    {1036, "Manufacturer", 1, 1,
     {NOTHING, Key("manufacturer"), DISABLED, Key("manufacturer"), Key("manufacturer"), Key("manufacturer")}},
    // A machine's buttons sit on each of its controls.
    {1038, "# of Buttons", 0, 2,
     {Key("numButtons="), Key("buttons="), Key("numButtons="), Key("numButtons="), Key("_buttons="), Key("_buttons=")}},
    {1037, "Controls", 0, 3,
     {Key("control_name="), Key("control_type="), Key("control_name="), Key("control_name="), Key("control_type="),
      Key("control_type=")}},
    {1043, "Video Width", 1, 2, {NOTHING, Key("width="), DISABLED, Key("width="), Key("width="), Key("width=")}},
    {1044, "Video Height", 1, 3, {NOTHING, Key("height="), DISABLED, Key("height="), Key("height="), Key("height=")}},
    {1039, "Orientation", 1, 4, {NOTHING, Key("rotate="), DISABLED, Key("rotate="), Key("rotate="), Key("rotate=")}},
    // A machine's display names its tag before its type, so no key reaches the type.
    {1045, "Display Type", 1, 5,
     {NOTHING, Key("display_type="), DISABLED, Key("display_type="), DISABLED, DISABLED}},
    {1046, "Emulation Status", 1, 6,
     {NOTHING, Key("emulation="), DISABLED, Key("emulation="), Key("emulation="), Key("emulation=")}},
    {1053, "Category", 0, 10, {NOTHING, DISABLED, Key("<category>"), Key("<category>"), DISABLED, Key("<category>")}},
    // Machines' input elements say whether they have a tilt switch and a service button.
    {1048, "Tilt", 0, 5, {NOTHING, DISABLED, Key("tilt="), Key("tilt="), Key("tilt="), Key("tilt=")}},
    {1049, "Alternating", 0, 6,
     {NOTHING, DISABLED, Key("alternating="), Key("alternating="), DISABLED, Key("alternating=")}},
    {1050, "# Players", 0, 7,
     {NOTHING, DISABLED, Key("numPlayers="), Key("numPlayers="), Key("input_players="), Key("input_players=")}},
    {1051, "Uses Service", 0, 8,
     {NOTHING, DISABLED, Key("usesService="), Key("usesService="), Key("service="), Key("usesService=")}},
    {1052, "Mirrored", 0, 9, {NOTHING, DISABLED, Key("mirrored="), Key("mirrored="), DISABLED, Key("mirrored=")}},
    {1047, "Cocktail", 0, 4, {NOTHING, DISABLED, NOTHING, NOTHING, DISABLED, NOTHING}},
}};
// clang-format on

// Where the delimiter row sits in the right-hand column of boxes, a row's space below its last box.
constexpr int DELIMITER_ROW = 8;

const ColumnKey& KeyFor(const Column& column, InputFormat format, RecordElement element) {
    bool known = format >= FORMAT_LISTXML && format <= FORMAT_MERGED;
    if (element == RecordElement::MACHINE && format == FORMAT_LISTXML) {
        return column.keys[4];
    }
    if (element == RecordElement::MACHINE && format == FORMAT_MERGED) {
        return column.keys[5];
    }
    return column.keys[known ? static_cast<std::size_t>(format + 1) : 0];
}

} // namespace

CCSVDialog::CCSVDialog(InputFormat format, QWidget* parent) : CCSVDialog(format, RecordElement::GAME, parent) {}

CCSVDialog::CCSVDialog(InputFormat format, RecordElement element, QWidget* parent)
    : QDialog(parent), m_format(format), m_element(element) {
    auto* boxes = new QGridLayout;
    for (std::size_t i = 0; i < COLUMNS.size(); ++i) {
        const Column& column = COLUMNS[i];
        auto* box = new QCheckBox(ToQString(column.caption), this);
        box->setObjectName(QString::number(column.id));
        box->setEnabled(KeyFor(column, m_format, m_element).kind != ColumnKey::Kind::DISABLED);
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

void CCSVDialog::SetDelimiter(const std::string& delimiter) {
    m_delimiter = delimiter;
    m_delimiterEdit->setText(ToQString(m_delimiter));
}

void CCSVDialog::accept() {
    m_columnList.clear();
    for (std::size_t i = 0; i < COLUMNS.size(); ++i) {
        const ColumnKey& key = KeyFor(COLUMNS[i], m_format, m_element);
        if (!m_boxes[i]->isChecked() || key.kind == ColumnKey::Kind::DISABLED) {
            continue;
        }
        std::string_view text =
            key.kind == ColumnKey::Kind::GAME_START_TAG ? TagVocabulary::GameStartTag(m_format, m_element) : key.key;
        if (!text.empty()) {
            m_columnList.append(text);
            m_columnList.push_back(',');
        }
    }
    while (!m_columnList.empty() && m_columnList.back() == ',') {
        m_columnList.pop_back();
    }
    m_delimiter = ToBytes(m_delimiterEdit->text());
    QDialog::accept();
}

void CCSVDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        for (QCheckBox* box : m_boxes) {
            box->setChecked(false);
        }
        m_delimiterEdit->setText(ToQString(m_delimiter));
    }
    QDialog::showEvent(event);
}

} // namespace pellaquin
