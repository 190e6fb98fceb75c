#pragma once

#include <set>
#include <string>

#include <QWidget>

#include "output/ListRequest.h"
#include "records/InputFormat.h"

class QButtonGroup;
class QCheckBox;

namespace pellaquin {

// The list to make and where it goes: the output types, each with the dialog of its options, and "Window"
// and "File". It keeps each type's options: the batch template, the MaLa title, the CSV columns and
// delimiter, and the export options, which are stored too.
class OutputChoicesPanel : public QWidget {
    Q_OBJECT
public:
    // The output types' buttons carry their types' controlId.
    enum ControlId {
        ID_WINDOW = 1021,
        ID_FILE = 1031,
    };

    explicit OutputChoicesPanel(QWidget* parent = nullptr);

    // A new input file: the columns the CSV chooser offers depend on its format, its records and the values a
    // merge added to it.
    void SetInput(InputFormat format, RecordElement element, std::set<std::string> addedElements);
    // The export options the settings file holds.
    void SetExportOptions(const ExportOptions& options) { m_exportOptions = options; }

    // Chooses `type` without asking for its options.
    void Select(ListType type);
    ListType Selected() const;
    bool ToWindow() const;
    bool ToFile() const;
    void SetDestinations(bool toWindow, bool toFile);
    // The CSV chooser's column list, empty until one was chosen.
    const std::string& ColumnList() const { return m_columnList; }
    // Puts the chosen type, its options and the "Window" line ends into `request`.
    void FillRequest(ListRequest& request) const;

signals:
    // An output type was clicked and its options dialog, when it has one, was answered.
    void TypeChosen(ListType type);

private:
    void ChooseType(int id);
    // Runs the type's options dialog; false when the CSV chooser gave no columns.
    bool AskForOptions(ListType type);
    void ChooseExportOptions(ListType type);

    QButtonGroup* m_types = nullptr;
    QCheckBox* m_window = nullptr;
    QCheckBox* m_file = nullptr;
    // The button chosen before the one clicked last, which a cancelled choice goes back to.
    int m_previousId = 0;
    InputFormat m_format = FORMAT_UNKNOWN;
    RecordElement m_element = RecordElement::GAME;
    std::set<std::string> m_addedElements;
    std::string m_columnList;
    std::string m_fieldSeparator = ",";
    std::string m_batchTemplate = std::string(DEFAULT_BATCH_TEMPLATE);
    MalaListSettings m_mala;
    ExportOptions m_exportOptions;
};

} // namespace pellaquin
