#include "ui/OutputChoicesPanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/StoredSettings.h"
#include "ui/CCSVDialog.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/CMalaListDlg.h"
#include "ui/CbatchFileDlg.h"
#include "ui/DialogParts.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"

namespace pellaquin {

OutputChoicesPanel::OutputChoicesPanel(QWidget* parent) : QWidget(parent) {
    // Two columns: the classic lists, and beside them those for today's front-ends and ROM managers.
    auto* types = new QGridLayout;
    m_types = new QButtonGroup(this);
    int rows[2] = {0, 0};
    for (const ListTypeInfo& type : ListTypes()) {
        QRadioButton* button = MakeRadioButton(this, type.controlId, type.caption);
        SetHelp(*button, ToQString(type.help));
        m_types->addButton(button, type.controlId);
        int typeColumn = type.wholeDocument ? 1 : 0;
        types->addWidget(button, rows[typeColumn]++, typeColumn);
    }
    auto* outputTo = new QVBoxLayout;
    m_window = MakeCheckBox(this, ID_WINDOW, "Window");
    m_file = MakeCheckBox(this, ID_FILE, "File");
    SetHelp(*m_window, QStringLiteral("Show the list in the view"));
    SetHelp(*m_file, QStringLiteral("Save the list in a file"));
    outputTo->addWidget(m_window);
    outputTo->addWidget(m_file);
    outputTo->addStretch();

    // Side by side, so the window stays low enough for a laptop's screen.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(MakeGroup(this, "Output Type", types), 0, Qt::AlignTop);
    row->addWidget(MakeGroup(this, "Output to", outputTo), 0, Qt::AlignTop);
    connect(m_types, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) {
            m_previousId = id;
        }
    });
    connect(m_types, &QButtonGroup::idClicked, this, &OutputChoicesPanel::ChooseType);
    Select(ListType::DESCRIPTIONS);
}

void OutputChoicesPanel::SetInput(InputFormat format, RecordElement element, std::set<std::string> addedElements) {
    m_format = format;
    m_element = element;
    m_addedElements = std::move(addedElements);
}

void OutputChoicesPanel::Select(ListType type) {
    m_types->button(ListTypeOf(type).controlId)->setChecked(true);
}

ListType OutputChoicesPanel::Selected() const {
    for (const ListTypeInfo& type : ListTypes()) {
        if (type.controlId == m_types->checkedId()) {
            return type.type;
        }
    }
    return ListType::DESCRIPTIONS;
}

bool OutputChoicesPanel::ToWindow() const {
    return m_window->isChecked();
}

bool OutputChoicesPanel::ToFile() const {
    return m_file->isChecked();
}

void OutputChoicesPanel::SetDestinations(bool toWindow, bool toFile) {
    m_window->setChecked(toWindow);
    m_file->setChecked(toFile);
}

void OutputChoicesPanel::FillRequest(ListRequest& request) const {
    request.type = Selected();
    request.fieldSeparator = m_fieldSeparator;
    request.batchTemplate = m_batchTemplate;
    request.mala = m_mala;
    request.exports = m_exportOptions;
    request.windowLineEnds = ToWindow();
}

void OutputChoicesPanel::ChooseType(int id) {
    for (const ListTypeInfo& type : ListTypes()) {
        if (type.controlId != id) {
            continue;
        }
        if (!AskForOptions(type.type)) {
            // Without columns there is no CSV list to make: the choice before stands.
            if (QAbstractButton* before = m_types->button(m_previousId)) {
                before->setChecked(true);
            }
            return;
        }
        emit TypeChosen(type.type);
    }
}

bool OutputChoicesPanel::AskForOptions(ListType type) {
    switch (ListTypeOf(type).dialog) {
    case ListOptionsDialog::COLUMNS: {
        CCSVDialog columns(m_format, m_element, this);
        columns.OfferAddedElements(m_addedElements);
        columns.SetDelimiter(m_fieldSeparator);
        RunModal(columns);
        if (columns.ColumnList().empty()) {
            return false;
        }
        m_columnList = columns.ColumnList();
        m_fieldSeparator = columns.Delimiter();
        break;
    }
    case ListOptionsDialog::MALA_TITLE: {
        CMalaListDlg settings(this);
        settings.SetListTitle(m_mala.title);
        RunModal(settings);
        m_mala.title = settings.ListTitle();
        break;
    }
    case ListOptionsDialog::BATCH_TEMPLATE: {
        CbatchFileDlg batch(this);
        batch.SetBatchTemplate(m_batchTemplate);
        RunModal(batch);
        m_batchTemplate = batch.BatchTemplate();
        break;
    }
    case ListOptionsDialog::EXPORT_OPTIONS:
        ChooseExportOptions(type);
        break;
    case ListOptionsDialog::NONE:
        break;
    }
    return true;
}

void OutputChoicesPanel::ChooseExportOptions(ListType type) {
    CExportOptionsDlg options(type, this);
    options.SetOptions(m_exportOptions);
    if (RunModal(options) != QDialog::Accepted) {
        return;
    }
    m_exportOptions = options.Options();
    // Only a settings file keeps them: before the first "Set" nothing is stored.
    std::optional<StoredSettings> stored = LoadStoredSettings();
    if (stored) {
        stored->exportOptions = m_exportOptions;
        if (!SaveStoredSettings(*stored)) {
            ShowMessage(this, SETTINGS_NOT_SAVED, MessageIcon::EXCLAMATION);
        }
    }
}

} // namespace pellaquin
